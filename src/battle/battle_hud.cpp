// The battle's drawing over the field, by the controller's state and flags.
#include "battle/battle_hud.h"

#include "battle/battle_states.h"
#include "battle/command_phase.h"
#include "battle/unit_gauges.h"
#include "data/atlas_battle.h"
#include "data/atlas_battle_commands.h"
#include "data/atlas_battle_hud.h"
#include "data/atlas_menus.h"
#include "event/message_window.h"
#include "menu/camp_widgets.h"
#include "render/camera.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_popups.h"

namespace {

constexpr float PAUSE_BOX_X = 4.0f;
constexpr float PAUSE_BOX_Y = 120.0f;
constexpr AtlasRect pauseLabels[] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
constexpr int pauseIds[] = {0, 1};

constexpr float STATUS_PANEL_Y = 364.0f;
constexpr float STATUS_PANEL_STEP = 160.0f;
constexpr float PANEL_GAUGE_WIDTH = 140.0f;
constexpr float BOTTOM_BAR_Y = 464.0f;
constexpr float BOTTOM_LABEL_X[6] = {0.0f, 112.0f, 224.0f, 364.0f, 472.0f, 550.0f};
constexpr float AUTO_ICON_X = 70.0f;
constexpr float AUTO_ICON_Y = 2.0f;
// The ring's corners lie this far from the unit's centre, towards the diagonals.
constexpr float RING_REACH = 1.71421f;
constexpr int RING_TEXTURE = 2;
constexpr float NAME_PLATE_WIDTH = 126.0f;
constexpr float NAME_PLATE_HEIGHT = 28.0f;

void Sprite(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void Panel(float x, float y, const AtlasRect& rect) {
    DrawPanel(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW, uiAtlas);
}

bool ShowsMessageBox(BattleStateFn state) {
    return state == ShowQueuedLines || state == BattleMessageWaitState || state == ShowFinalLines ||
           state == WaitFinalMessageKey;
}

}  // namespace

void DrawBattleController(TaskSlot* slot) {
    const BattleController* controller = TaskPayload<BattleController>(slot);
    if (controller->stateFn == HandleBattlePauseMenu) {
        DrawBattlePauseMenu(controller);
        return;
    }
    DrawBattleTopBar();
    UpdateTurnUnitUi();
    DrawActiveUnitCursor(controller->infoShown);
    DrawTurnUnitUi();
    if (controller->infoShown == 1) {
        DrawPartyStatusPanels(controller);
    }
    if (ShowsMessageBox(controller->stateFn)) {
        DrawBattleMessageBox(controller->shownLines);
    }
    if (controller->autoBattle == 1) {
        DrawAutoIcon(AUTO_ICON_X, AUTO_ICON_Y);
    }
    // The acting unit's overlays above may have just set it.
    if (controller->hudShown == 1) {
        DrawBattleBottomBar(controller);
    }
}

void DrawBattleTopBar() {
    Panel(2.0f, 2.0f, RECT_TOP_BAR_PANEL);
    Sprite(8.0f, 6.0f, RECT_TOP_BAR_PARTY_ICON);
    DrawNumberSmall(44.0f, 7.0f, CountUnitsOfSide(SIDE_PARTY));
    Sprite(8.0f, 26.0f, RECT_TOP_BAR_ENEMY_ICON);
    DrawNumberSmall(44.0f, 28.0f, CountUnitsOfSide(SIDE_ENEMY));
}

void DrawPartyStatusPanels(const BattleController*) {
    if (IsUnitChoosingCommand() == 0) {
        return;
    }
    int drawn = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END && drawn < PARTY_MAX;
         ++slot) {
        const TaskSlot* task = TaskAt(slot);
        if (task->inUse == 0 || task->kind != TASK_KIND_BATTLE_UNIT) {
            continue;
        }
        const BattleUnit* unit = TaskPayload<BattleUnit>(task);
        if (unit->record.side == SIDE_PARTY) {
            DrawUnitStatusPanel(STATUS_PANEL_STEP * static_cast<float>(drawn), STATUS_PANEL_Y,
                                unit->record);
            ++drawn;
        }
    }
}

void DrawUnitStatusPanel(float x, float y, const CharacterRecord& record) {
    Panel(x, y, RECT_UNIT_STATUS_PANEL);
    Sprite(x + 10.0f, y + 4.0f, record.nameRect);
    DrawPanelGauge(x + 10.0f, y + 24.0f, PANEL_GAUGE_WIDTH, record.hp, record.hpMax);
    Sprite(x + 10.0f, y + 30.0f, RECT_PANEL_HP_LABEL);
    DrawCurMaxNumbers(x + 40.0f, y + 30.0f, record.hp, record.hpMax);
    DrawPanelGauge(x + 10.0f, y + 50.0f, PANEL_GAUGE_WIDTH, record.mp, record.mpMax);
    Sprite(x + 10.0f, y + 56.0f, RECT_PANEL_MP_LABEL);
    DrawCurMaxNumbers(x + 40.0f, y + 56.0f, record.mp, record.mpMax);
    DrawMemberStatusIcons(x + 10.0f, y + 76.0f, record.statusBits);
}

void DrawPanelGauge(float x, float y, float width, int32_t current, int32_t maximum) {
    const float fill = GaugeFill(width, current, maximum);
    Sprite(x, y, RECT_PANEL_GAUGE_EMPTY);
    AtlasRect source;
    SetRectF(&source, RECT_PANEL_GAUGE_FILL.left, RECT_PANEL_GAUGE_FILL.top,
             RECT_PANEL_GAUGE_FILL.left + fill, RECT_PANEL_GAUGE_FILL.bottom);
    Sprite(x, y, source);
}

void DrawCurMaxNumbers(float x, float y, int32_t current, int32_t maximum) {
    DrawNumber(x, y, current);
    Sprite(x + 44.0f, y, RECT_PANEL_SLASH);
    DrawNumber(x + 60.0f, y, maximum);
}

void DrawAutoIcon(float x, float y) {
    Sprite(x, y, RECT_AUTO_ICON);
}

void DrawBattleBottomBar(const BattleController* controller) {
    Sprite(0.0f, BOTTOM_BAR_Y, RECT_BOTTOM_BAR);
    for (int i = 0; i < 3; ++i) {
        Sprite(BOTTOM_LABEL_X[i], BOTTOM_BAR_Y, RECT_BOTTOM_LABELS[i]);
    }
    DrawNumberSmall(324.0f, 465.0f, static_cast<int32_t>(controller->cameraAngle));
    Sprite(BOTTOM_LABEL_X[3], BOTTOM_BAR_Y, RECT_BOTTOM_LABELS[3]);
    DrawNumberSmall(434.0f, 465.0f, static_cast<int32_t>(controller->eye.y));
    for (int i = 4; i < 6; ++i) {
        Sprite(BOTTOM_LABEL_X[i], BOTTOM_BAR_Y, RECT_BOTTOM_LABELS[i]);
    }
}

void DrawActiveUnitCursor(uint32_t info) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const TaskSlot* task = TaskAt(slot);
        if (task->inUse == 0 || task->kind != TASK_KIND_BATTLE_UNIT) {
            continue;
        }
        const BattleUnit* unit = TaskPayload<BattleUnit>(task);
        if (unit->stateFn == CommandMenuState || unit->stateFn == AutoBattleTurnState ||
            unit->stateFn == EnemyTurnDelayState) {
            DrawSelectionRing(unit, info);
            return;
        }
    }
}

void DrawSelectionRing(const BattleUnit* unit, uint32_t info) {
    Vec3 corners[4];
    const float angles[4] = {45.0f, 135.0f, 225.0f, 315.0f};
    for (int i = 0; i < 4; ++i) {
        corners[i].y = unit->position.y;
        OffsetByAngle(&corners[i].x, &corners[i].z, unit->position.x, unit->position.z, angles[i],
                      RING_REACH);
    }
    DrawQuadCorners(corners, RING_TEXTURE);
    if (info == 1) {
        DrawUnitNamePlate(unit);
    }
}

void DrawUnitNamePlate(const BattleUnit* unit) {
    Vec3 point = unit->position;
    const int32_t model = unit->record.modelIndex;
    if (model >= 0 && model < MESH_COUNT) {
        point.y += meshTable[model].height;
    }
    Vec3 screen;
    ProjectToScreen(&screen, point);
    const bool party = unit->record.side == SIDE_PARTY;
    const float x = screen.x - 63.0f;
    const float y = screen.y - 64.0f;
    Panel(x, y, party ? RECT_NAME_PLATE_UPPER_PARTY : RECT_NAME_PLATE_UPPER_ENEMY);
    Panel(x, screen.y - 32.0f, party ? RECT_NAME_PLATE_LOWER_PARTY : RECT_NAME_PLATE_LOWER_ENEMY);
    const AtlasRect& name = unit->record.nameRect;
    Sprite(x + (NAME_PLATE_WIDTH - RectWidth(name)) / 2.0f,
           y + (NAME_PLATE_HEIGHT - RectHeight(name)) / 2.0f, name);
}

void DrawBattlePauseMenu(const BattleController* controller) {
    DrawMenuWindow(PAUSE_BOX_X, PAUSE_BOX_Y, controller->pauseChoice, 2, COLOUR_WINDOW,
                   RECT_BATTLE_PAUSE_FRAME, RECT_QUIT_PROMPT, pauseLabels, pauseIds);
}
