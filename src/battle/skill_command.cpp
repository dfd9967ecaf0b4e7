// The skill command of a party unit and its window.
#include "battle/skill_command.h"

#include <algorithm>
#include <cstdint>

#include "battle/battle_states.h"
#include "battle/command_phase.h"
#include "battle/movement_planner.h"
#include "battle/skill_effects.h"
#include "battle/skill_table.h"
#include "data/atlas_battle.h"
#include "data/atlas_images.h"
#include "data/atlas_skills.h"
#include "engine/keyboard.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

SkillMenu skillMenu;

namespace {

constexpr float WINDOW_X = 0.0f;
constexpr float WINDOW_Y = 364.0f;
constexpr float CELL_X = 20.0f;
constexpr float CELL_PITCH_X = 210.0f;
constexpr float CELL_Y = 384.0f;
constexpr float CELL_PITCH_Y = 22.0f;
constexpr float HAND_OFFSET = 14.0f;
constexpr float DETAIL_Y = 330.0f;
constexpr float PAGE_Y = 366.0f;
constexpr float PAGE_NUMBER_X = 6.0f;
constexpr float PAGE_SLASH_X = 30.0f;
constexpr float PAGE_COUNT_X = 54.0f;
constexpr float DETAIL_TEXT_X = 8.0f;
constexpr float COST_LABEL_X = 380.0f;
constexpr float COST_NUMBER_X = 441.0f;
constexpr float MP_LABEL_X = 480.0f;
constexpr float MP_NUMBER_X = 581.0f;
constexpr float NUMBER_DROP = 2.0f;
constexpr float PROMPT_X = 2.0f;
constexpr float PROMPT_Y = 120.0f;
constexpr float NOT_ENOUGH_MP_Y = 240.0f;

constexpr int promptIds[] = {0, 1};

void Sprite(float x, float y, const AtlasRect& rect, uint32_t argb) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, argb, uiAtlas);
}

const SkillRecord* ChosenSkill(const BattleUnit* unit) {
    return SkillRow(unit->skillId);
}

// Whether the skill reaches one chosen unit, which must then still be on the field.
bool NeedsTarget(const SkillRecord& row) {
    return row.targetCount <= 1 && row.kind != SKILL_KIND_SUMMON;
}

// The prompt of a skill that reaches several units or calls the familiars: 1 when it was
// answered with cast.
bool AnsweredCast(BattleUnit* unit) {
    if (MoveMenuCursor(&skillMenu.confirmChoice, 2) == 0) {
        return false;
    }
    const bool cast = skillMenu.confirmChoice == 1;
    skillMenu.confirmChoice = 0;
    if (!cast) {
        unit->stateFn = SkillMenuState;
    }
    return cast;
}

}  // namespace

int32_t SkillMenuCell(const SkillMenu& menu) {
    return menu.page * SKILL_MENU_PAGE_CELLS + menu.row * SKILL_MENU_COLUMNS + menu.column;
}

void OpenSkillMenu(BattleUnit* unit) {
    skillMenu.column = 0;
    skillMenu.row = 0;
    skillMenu.page = 0;
    skillMenu.confirmChoice = 0;
    skillMenu.pageCount = SKILL_MENU_PAGES;
    for (int cell = 0; cell < SKILL_MENU_CELLS; ++cell) {
        skillMenu.entries[cell] = cell < SKILL_COUNT ? cell : -1;
    }
    unit->stateFn = SkillMenuState;
}

void SkillMenuState(BattleUnit* unit) {
    const int result = SkillMenuInput(&skillMenu);
    if (result < 0) {
        unit->promptCursor = 0;
        unit->stateFn = CommandMenuState;
    } else if (result > 0) {
        SelectSkill(unit);
    }
}

int SkillMenuInput(SkillMenu* menu) {
    return MovePagedGridCursor(&menu->column, &menu->row, &menu->page, SKILL_MENU_COLUMNS,
                               SKILL_MENU_ROWS, menu->pageCount);
}

void SelectSkill(BattleUnit* unit) {
    const int32_t cell = SkillMenuCell(skillMenu);
    const SkillRecord* row =
        cell >= 0 && cell < SKILL_MENU_CELLS ? SkillRow(skillMenu.entries[cell]) : nullptr;
    if (row == nullptr) {
        return;
    }
    unit->skillId = row->id;
    if (unit->record.level < row->requiredLevel) {
        RequestSound(SOUND_BUZZER, 0);
    } else if (unit->record.mp >= row->mpCost) {
        if (row->kind == SKILL_KIND_SUMMON) {
            BeginSpecialSkillConfirm(unit);
        } else {
            BeginSkillTargeting(unit);
        }
    } else {
        unit->stateFn = NotEnoughMpState;
        RequestSound(SOUND_BUZZER, 0);
    }
}

void BeginSkillTargeting(BattleUnit* unit) {
    const SkillRecord* row = ChosenSkill(unit);
    if (row == nullptr) {
        return;
    }
    if (row->targetCount > 1) {
        skillMenu.confirmChoice = 0;
        unit->stateFn = AreaSkillConfirmState;
        return;
    }
    unit->targetCount =
        CollectTargetsBySide(unit, row->kind == SKILL_KIND_ATTACK ? SIDE_ENEMY : SIDE_PARTY);
    unit->targetCursor = 0;
    unit->stateFn = SkillTargetState;
}

void BeginSpecialSkillConfirm(BattleUnit* unit) {
    skillMenu.confirmChoice = 0;
    unit->stateFn = SpecialSkillConfirmState;
}

void SkillTargetState(BattleUnit* unit) {
    HandleTargetInput(unit, SkillMenuState, CastSkillOnTarget);
}

void CastSkillOnTarget(BattleUnit* unit) {
    const SkillRecord* row = ChosenSkill(unit);
    // A target that has left the field is refused before anything is paid.
    if (row == nullptr || (NeedsTarget(*row) && !IsLiveBattleUnit(unit->target))) {
        RequestSound(SOUND_BUZZER, 0);
        unit->stateFn = SkillMenuState;
        return;
    }
    unit->stateFn = WaitSkillEffectState;
    if (row->targetCount <= 1 && unit->target != nullptr && unit->target != unit) {
        unit->facing = AngleBetweenPoints(unit->position.x, unit->position.z,
                                          unit->target->position.x, unit->target->position.z);
    }
    if (unit->record.side == SIDE_PARTY) {
        PaySkillCost(unit);
    }
    RunBattleEffect(unit);
}

void AreaSkillConfirmState(BattleUnit* unit) {
    if (AnsweredCast(unit)) {
        unit->stateFn = WaitSkillEffectState;
        RunBattleEffect(unit);
        PaySkillCost(unit);
    }
}

void SpecialSkillConfirmState(BattleUnit* unit) {
    // The summon sets the caster's state itself.
    if (AnsweredCast(unit)) {
        RunBattleEffect(unit);
        PaySkillCost(unit);
    }
}

void NotEnoughMpState(BattleUnit* unit) {
    if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        unit->stateFn = SkillMenuState;
    }
}

void PaySkillCost(BattleUnit* unit) {
    const SkillRecord* row = ChosenSkill(unit);
    if (row == nullptr) {
        return;
    }
    unit->record.mp = std::max(0, SaturatingSub(unit->record.mp, row->mpCost));
}

void WaitSkillEffectState(BattleUnit* unit) {
    if (IsSkillEffectActive() != 0) {
        return;
    }
    const SkillRecord* row = ChosenSkill(unit);
    if (row != nullptr && row->kind == SKILL_KIND_ATTACK) {
        ApplyPendingMagicDamage();
    } else {
        ApplySupportSkill(unit);
    }
    unit->stateFn = TurnEndState;
}

void DrawUnitSkillMenu(const BattleUnit* unit) {
    DrawSkillMenu(skillMenu, unit);
}

void DrawSkillMenu(const SkillMenu& menu, const BattleUnit* unit) {
    DrawPanel(WINDOW_X, WINDOW_Y, RECT_SKILL_WINDOW_PANEL, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW,
              uiAtlas);
    for (int32_t r = 0; r < SKILL_MENU_ROWS; ++r) {
        for (int32_t c = 0; c < SKILL_MENU_COLUMNS; ++c) {
            const float x = CELL_X + CELL_PITCH_X * static_cast<float>(c);
            const float y = CELL_Y + CELL_PITCH_Y * static_cast<float>(r);
            const int32_t cell = menu.page * SKILL_MENU_PAGE_CELLS + r * SKILL_MENU_COLUMNS + c;
            const SkillRecord* row =
                cell >= 0 && cell < SKILL_MENU_CELLS ? SkillRow(menu.entries[cell]) : nullptr;
            if (row == nullptr) {
                Sprite(x, y, RECT_SKILL_EMPTY_CELL, COLOUR_WINDOW);
            } else {
                // Dimmed while the level is too low; too few magic points is not shown.
                Sprite(x, y, row->nameRect,
                       row->requiredLevel <= unit->record.level ? COLOUR_WHITE : COLOUR_WINDOW);
            }
        }
    }
    const float cursorX = CELL_X + CELL_PITCH_X * static_cast<float>(menu.column);
    const float cursorY = CELL_Y + CELL_PITCH_Y * static_cast<float>(menu.row);
    Sprite(cursorX - HAND_OFFSET, cursorY, RECT_MENU_CURSOR, COLOUR_WHITE);
    DrawSkillDetails(0.0f, DETAIL_Y, menu.page, menu.column, menu.row, unit->record.mp,
                     COLOUR_WINDOW);
    DrawNumberSmall(PAGE_NUMBER_X, PAGE_Y, menu.page + 1);
    Sprite(PAGE_SLASH_X, PAGE_Y, RECT_PAGE_SLASH, COLOUR_WHITE);
    DrawNumberSmall(PAGE_COUNT_X, PAGE_Y, menu.pageCount);
}

void DrawSkillDetails(float x, float y, int32_t page, int32_t column, int32_t row,
                      int32_t currentMp, uint32_t argb) {
    DrawPanel(x, y, RECT_SKILL_DETAIL_PANEL, ATLAS_SIZE, ATLAS_SIZE, argb, uiAtlas);
    // Both skill lists hold the ids in cell order, so the cell is the id.
    const SkillRecord* skill =
        SkillRow(page * SKILL_MENU_PAGE_CELLS + column + row * SKILL_MENU_COLUMNS);
    if (skill == nullptr) {
        return;
    }
    const float dy =
        RoundToPixel((RectHeight(RECT_SKILL_DETAIL_PANEL) - RectHeight(skill->detailRect)) / 2.0f);
    Sprite(DETAIL_TEXT_X, y + dy, skill->detailRect, COLOUR_WHITE);
    Sprite(COST_LABEL_X, y + dy, RECT_SKILL_COST_LABEL, COLOUR_WHITE);
    DrawNumber(COST_NUMBER_X, y + dy + NUMBER_DROP, skill->mpCost);
    Sprite(MP_LABEL_X, y + dy, RECT_SKILL_MP_LABEL, COLOUR_WHITE);
    DrawNumber(MP_NUMBER_X, y + dy + NUMBER_DROP, currentMp);
}

void DrawSkillConfirm() {
    DrawMenuWindow(PROMPT_X, PROMPT_Y, skillMenu.confirmChoice, 2, COLOUR_WINDOW,
                   RECT_BATTLE_PAUSE_FRAME, RECT_SKILL_PROMPT_TITLE, RECT_SKILL_PROMPT_ENTRIES,
                   promptIds);
}

void DrawNotEnoughMp() {
    DrawSpriteCentered(RECT_NOT_ENOUGH_MP, NOT_ENOUGH_MP_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
}
