// The command phase of a party unit's turn and its overlays.
#include "battle/command_phase.h"

#include "battle/battle_controller.h"
#include "battle/battle_hud.h"
#include "battle/battle_items.h"
#include "battle/battle_states.h"
#include "battle/battle_team.h"
#include "battle/escape.h"
#include "battle/movement_planner.h"
#include "battle/skill_command.h"
#include "battle/unit_gauges.h"
#include "data/atlas_battle.h"
#include "data/atlas_battle_commands.h"
#include "data/atlas_menus.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "menu/camp_widgets.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

const int32_t battleCommandLists[BATTLE_COMMAND_CLASSES][BATTLE_COMMAND_LIST_MAX] = {
    {BATTLE_COMMAND_ATTACK, BATTLE_COMMAND_DEFEND, BATTLE_COMMAND_ITEM, BATTLE_COMMAND_ESCAPE,
     BATTLE_COMMAND_AUTO, -1},
    {BATTLE_COMMAND_SKILL, BATTLE_COMMAND_DEFEND, BATTLE_COMMAND_ITEM, BATTLE_COMMAND_ESCAPE,
     BATTLE_COMMAND_AUTO, -1},
    {BATTLE_COMMAND_ATTACK, BATTLE_COMMAND_SKILL, BATTLE_COMMAND_DEFEND, BATTLE_COMMAND_ITEM,
     BATTLE_COMMAND_ESCAPE, BATTLE_COMMAND_AUTO},
    {BATTLE_COMMAND_ATTACK, BATTLE_COMMAND_DEFEND, BATTLE_COMMAND_ITEM, BATTLE_COMMAND_ESCAPE,
     BATTLE_COMMAND_TURN_CHOICE, BATTLE_COMMAND_AUTO},
};
const int32_t battleCommandCounts[BATTLE_COMMAND_CLASSES] = {5, 5, 6, 6};

namespace {

constexpr float MENU_X = 2.0f;
constexpr float MENU_Y = 120.0f;
constexpr float NAME_PANEL_Y = 90.0f;
constexpr int32_t DEFEND_MESSAGE_FRAMES = 60;
constexpr float TARGET_PANEL_X = 465.0f;
constexpr float TARGET_ROW_TOP = 124.0f;
constexpr float TARGET_ROW_PITCH = 30.0f;
constexpr float TARGET_CURSOR_X = 473.0f;
constexpr float TARGET_NAME_X = 489.0f;
constexpr float TARGET_GAUGE_X = 475.0f;
constexpr float TARGET_GAUGE_LENGTH = 140.0f;
constexpr float UNIT_MESSAGE_X = 178.0f;
constexpr float UNIT_MESSAGE_Y = 120.0f;
constexpr float UNIT_MESSAGE_TEXT_Y = 122.0f;

constexpr AtlasRect promptLabels[] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
constexpr int promptIds[] = {0, 1};

int32_t ClassIndex(const BattleUnit* unit) {
    return unit->record.characterClass - 1;
}

void BackToCommandMenu(BattleUnit* unit) {
    unit->promptCursor = 0;
    unit->stateFn = CommandMenuState;
}

// The first party unit whose turn it is: the first in slot order that is not idle.
BattleUnit* TurnPartyUnit() {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const TaskSlot* task = TaskAt(slot);
        if (task->inUse == 0 || task->kind != TASK_KIND_BATTLE_UNIT) {
            continue;
        }
        BattleUnit* unit = TaskPayload<BattleUnit>(TaskAt(slot));
        if (unit->record.side == SIDE_PARTY && unit->stateFn != UnitIdleState) {
            return unit;
        }
    }
    return nullptr;
}

// The states in which every unit carries its gauges: while a command is being chosen.
bool ShowsGauges(BattleUnitStateFn state) {
    const BattleUnitStateFn states[] = {
        CommandMenuState,     RunTargetSelect,       RunDefendConfirm,       DefendMessageState,
        RunEscapeConfirm,     ParalysedMessageState, OpenSkillMenu,          SkillMenuState,
        SkillTargetState,     AreaSkillConfirmState, NotEnoughMpState,       OpenBattleItemMenu,
        BattleItemMenuState,  ItemTargetState,       AutoBattleConfirmState, EscapeFailedState,
        TurnChoicePromptState};
    for (BattleUnitStateFn s : states) {
        if (s == state) {
            return true;
        }
    }
    return false;
}

void DrawPrompt(const BattleUnit* unit, const AtlasRect& title) {
    DrawMenuWindow(MENU_X, MENU_Y, unit->promptCursor, 2, COLOUR_WINDOW, RECT_BATTLE_PAUSE_FRAME,
                   title, promptLabels, promptIds);
}

}  // namespace

const int32_t* GetCommandList(int32_t classIndex) {
    return battleCommandLists[classIndex >= 0 && classIndex < BATTLE_COMMAND_CLASSES ? classIndex
                                                                                     : 0];
}

int32_t GetCommandCount(int32_t classIndex) {
    return battleCommandCounts[classIndex >= 0 && classIndex < BATTLE_COMMAND_CLASSES ? classIndex
                                                                                      : 0];
}

void CommandMenuState(BattleUnit* unit) {
    const int32_t classIndex = ClassIndex(unit);
    if (MoveMenuCursor(&unit->promptCursor, GetCommandCount(classIndex)) == 0) {
        return;
    }
    switch (GetCommandList(classIndex)[unit->promptCursor]) {
        case BATTLE_COMMAND_ATTACK:
            unit->promptCursor = 0;
            unit->stateFn = RunTargetSelect;
            BuildEnemyTargetList(unit);
            break;
        case BATTLE_COMMAND_SKILL:
            unit->stateFn = OpenSkillMenu;
            break;
        case BATTLE_COMMAND_DEFEND:
            unit->stateFn = RunDefendConfirm;
            unit->promptCursor = 0;
            break;
        case BATTLE_COMMAND_ITEM:
            unit->stateFn = OpenBattleItemMenu;
            break;
        case BATTLE_COMMAND_ESCAPE:
            // A scripted battle cannot be fled: the cursor only goes back to the top.
            if (IsScriptedBattle() == 0) {
                unit->stateFn = RunEscapeConfirm;
            }
            unit->promptCursor = 0;
            break;
        case BATTLE_COMMAND_TURN_CHOICE:
            unit->stateFn = TurnChoicePromptState;
            unit->promptCursor = 0;
            break;
        case BATTLE_COMMAND_AUTO:
            unit->stateFn = AutoBattleConfirmState;
            unit->promptCursor = 0;
            break;
        default:
            break;
    }
}

int CollectTargetsBySide(BattleUnit* unit, int32_t side) {
    unit->targetCursor = 0;
    for (BattleUnit*& target : unit->targets) {
        target = nullptr;
    }
    const int count = CollectSideUnits(side, unit->targets, UNIT_TARGET_MAX);
    ExchangeSort(
        std::span<BattleUnit*>(unit->targets, static_cast<size_t>(count)),
        [](const BattleUnit* a, const BattleUnit* b) { return a->position.x > b->position.x; });
    unit->target = unit->targets[0];
    return count;
}

void BuildEnemyTargetList(BattleUnit* unit) {
    unit->targetCount = CollectTargetsBySide(unit, SIDE_ENEMY);
}

void HandleTargetInput(BattleUnit* unit, BattleUnitStateFn back, BattleUnitStateFn confirm) {
    if (IsKeyTriggered(KEY_ESCAPE) != 0) {
        RequestSound(SOUND_CURSOR, 0);
        unit->promptCursor = 0;
        unit->stateFn = back;
        return;
    }
    // An empty list takes no moves and no confirm, so no action starts without a target.
    const int32_t count = unit->targetCount < UNIT_TARGET_MAX ? unit->targetCount : UNIT_TARGET_MAX;
    if (count <= 0) {
        return;
    }
    if (IsKeyTriggered(KEY_RIGHT) != 0 || IsKeyTriggered(KEY_DOWN) != 0) {
        RequestSound(SOUND_CURSOR, 0);
        unit->targetCursor = unit->targetCursor + 1 > count - 1 ? 0 : unit->targetCursor + 1;
    } else if (IsKeyTriggered(KEY_LEFT) != 0 || IsKeyTriggered(KEY_UP) != 0) {
        RequestSound(SOUND_CURSOR, 0);
        unit->targetCursor = unit->targetCursor - 1 < 0 ? count - 1 : unit->targetCursor - 1;
    } else if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        unit->target = unit->targets[unit->targetCursor];
        unit->stateFn = confirm;
    }
}

void RunTargetSelect(BattleUnit* unit) {
    HandleTargetInput(unit, CommandMenuState, ApproachTargetState);
}

void RunDefendConfirm(BattleUnit* unit) {
    if (MoveMenuCursor(&unit->promptCursor, 2) == 0) {
        return;
    }
    if (unit->promptCursor == 0) {
        BackToCommandMenu(unit);
    } else {
        ApplyDefend(unit);
    }
}

void ApplyDefend(BattleUnit* unit) {
    unit->guard = static_cast<float>(unit->record.defence) / 3.0f;
    unit->countdown = DEFEND_MESSAGE_FRAMES;
    unit->stateFn = DefendMessageState;
}

void DefendMessageState(BattleUnit* unit) {
    --unit->countdown;
    if (IsConfirmTriggered() || unit->countdown <= 0) {
        unit->countdown = 0;
        unit->stateFn = TurnEndState;
    }
}

void RunEscapeConfirm(BattleUnit* unit) {
    if (MoveMenuCursor(&unit->promptCursor, 2) == 0) {
        return;
    }
    if (unit->promptCursor == 0) {
        BackToCommandMenu(unit);
    } else {
        TryEscape(unit);
    }
}

void UpdateTurnUnitUi() {
    const BattleUnit* unit = TurnPartyUnit();
    if (unit != nullptr && ShowsGauges(unit->stateFn)) {
        DrawAllUnitGauges();
    }
}

void DrawTurnUnitUi() {
    if (BattleUnit* unit = TurnPartyUnit()) {
        DrawCommandUi(unit);
    }
}

void DrawCommandUi(BattleUnit* unit) {
    BattleController* controller = ActiveBattle();
    const BattleUnitStateFn state = unit->stateFn;
    uint32_t hudShown = 1;
    if (state == CommandMenuState) {
        DrawCommandMenu(unit);
    } else if (state == RunTargetSelect) {
        DrawTargetList(unit);
        DrawCommandMenu(unit);
    } else if (state == RunDefendConfirm) {
        DrawDefendConfirm(unit);
    } else if (state == DefendMessageState) {
        DrawDefendMessage(unit);
    } else if (state == RunEscapeConfirm) {
        DrawEscapeConfirm(unit);
    } else if (state == AutoBattleConfirmState) {
        DrawAutoBattleConfirm(unit);
    } else if (state == EscapeFailedState) {
        DrawEscapeFailed(unit);
    } else if (state == TurnChoicePromptState) {
        DrawTurnChoicePrompt(unit);
    } else if (state == ParalysedMessageState) {
        DrawParalysedMessage(unit);
    } else if (state == OpenSkillMenu || state == SkillMenuState) {
        // The skill and item windows cover the bottom bar.
        DrawUnitSkillMenu(unit);
        hudShown = 0;
    } else if (state == SkillTargetState) {
        DrawTargetList(unit);
        DrawUnitSkillMenu(unit);
        hudShown = 0;
    } else if (state == AreaSkillConfirmState || state == SpecialSkillConfirmState) {
        DrawUnitSkillMenu(unit);
        DrawSkillConfirm();
        hudShown = 0;
    } else if (state == NotEnoughMpState) {
        DrawUnitSkillMenu(unit);
        DrawNotEnoughMp();
        hudShown = 0;
    } else if (state == OpenBattleItemMenu || state == BattleItemMenuState) {
        DrawUnitItemMenu(unit);
        hudShown = 0;
    } else if (state == ItemTargetState) {
        DrawTargetList(unit);
        DrawUnitItemMenu(unit);
        hudShown = 0;
    }
    if (controller != nullptr) {
        controller->hudShown = hudShown;
    }
}

void DrawCommandMenu(const BattleUnit* unit) {
    const int32_t classIndex = ClassIndex(unit);
    DrawMenuWindow(MENU_X, MENU_Y, unit->promptCursor, GetCommandCount(classIndex), COLOUR_WINDOW,
                   RECT_COMMAND_MENU_FRAME, RECT_COMMAND_MENU_TITLE, RECT_BATTLE_COMMAND_LABELS,
                   GetCommandList(classIndex));
    DrawUnitNamePanel(MENU_X, NAME_PANEL_Y, COLOUR_WINDOW, unit);
}

void DrawUnitNamePanel(float x, float y, uint32_t argb, const BattleUnit* unit) {
    DrawPanel(x, y, RECT_UNIT_NAME_PANEL, ATLAS_SIZE, ATLAS_SIZE, argb, uiAtlas);
    const AtlasRect& name = unit->record.nameRect;
    DrawSprite(x + (RectWidth(RECT_UNIT_NAME_PANEL) - RectWidth(name)) / 2.0f,
               y + (RectHeight(RECT_UNIT_NAME_PANEL) - RectHeight(name)) / 2.0f, name, ATLAS_SIZE,
               ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void DrawTargetList(const BattleUnit* unit) {
    const int32_t count = unit->targetCount < UNIT_TARGET_MAX ? unit->targetCount : UNIT_TARGET_MAX;
    if (unit->targetCursor >= 0 && unit->targetCursor < UNIT_TARGET_MAX &&
        unit->targets[unit->targetCursor] != nullptr) {
        DrawUnitNamePlate(unit->targets[unit->targetCursor]);
    }
    DrawPanel(TARGET_PANEL_X, MENU_Y, RECT_TARGET_LIST_PANEL, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW,
              uiAtlas);
    DrawListCursor(TARGET_CURSOR_X, TARGET_ROW_TOP, TARGET_ROW_PITCH, unit->targetCursor);
    for (int32_t i = 0; i < count; ++i) {
        const BattleUnit* target = unit->targets[i];
        if (target == nullptr) {
            continue;
        }
        const float y = TARGET_ROW_TOP + TARGET_ROW_PITCH * static_cast<float>(i);
        DrawSprite(TARGET_NAME_X, y, target->record.nameRect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                   uiAtlas);
        DrawHpGauge(TARGET_GAUGE_X, y + 24.0f, target);
    }
}

void DrawHpGauge(float x, float y, const BattleUnit* unit) {
    DrawGauge(x, y, unit->record.hp, unit->record.hpMax,
              unit->record.side == SIDE_PARTY ? RECT_TARGET_GAUGE_FILL_PARTY
                                              : RECT_TARGET_GAUGE_FILL_ENEMY);
}

void DrawGauge(float x, float y, int32_t current, int32_t maximum, const AtlasRect& fillRow) {
    DrawSprite(x, y, RECT_TARGET_GAUGE_FRAME, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    const float fill = GaugeFill(TARGET_GAUGE_LENGTH, current, maximum);
    AtlasRect source;
    SetRectF(&source, fillRow.left, fillRow.top, fillRow.left + fill, fillRow.bottom);
    DrawSprite(x, y, source, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void DrawDefendConfirm(const BattleUnit* unit) {
    DrawPrompt(unit, RECT_DEFEND_PROMPT_TITLE);
}

void DrawEscapeConfirm(const BattleUnit* unit) {
    DrawPrompt(unit, RECT_ESCAPE_PROMPT_TITLE);
}

void DrawAutoBattleConfirm(const BattleUnit* unit) {
    DrawPrompt(unit, RECT_AUTO_PROMPT_TITLE);
}

void DrawDefendMessage(const BattleUnit* unit) {
    DrawUnitMessage(unit, RECT_DEFEND_MESSAGE);
}

void DrawParalysedMessage(const BattleUnit* unit) {
    DrawUnitMessage(unit, RECT_CANNOT_ACT_MESSAGE);
}

void DrawUnitMessage(const BattleUnit* unit, const AtlasRect& message) {
    const AtlasRect& frame =
        unit->record.side == SIDE_PARTY ? RECT_UNIT_MESSAGE_PARTY : RECT_UNIT_MESSAGE_ENEMY;
    DrawPanel(UNIT_MESSAGE_X, UNIT_MESSAGE_Y, frame, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW,
              uiAtlas);
    const AtlasRect& name = unit->record.nameRect;
    const float x =
        UNIT_MESSAGE_X + (RectWidth(frame) - RectWidth(name) - RectWidth(message)) / 2.0f;
    DrawSprite(x, UNIT_MESSAGE_TEXT_Y, name, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    DrawSprite(x + RectWidth(name), UNIT_MESSAGE_TEXT_Y, message, ATLAS_SIZE, ATLAS_SIZE,
               COLOUR_WHITE, uiAtlas);
}
