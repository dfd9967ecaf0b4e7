// The battle's pause box.
#include "battle/battle_hud.h"

#include "data/atlas_battle.h"
#include "data/atlas_menus.h"
#include "render/screen_draw.h"

namespace {

constexpr float PAUSE_BOX_X = 4.0f;
constexpr float PAUSE_BOX_Y = 120.0f;
constexpr AtlasRect pauseLabels[] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
constexpr int pauseIds[] = {0, 1};

}  // namespace

void DrawBattlePauseMenu(const BattleController* controller) {
    DrawMenuWindow(PAUSE_BOX_X, PAUSE_BOX_Y, controller->pauseChoice, 2, COLOUR_WINDOW,
                   RECT_BATTLE_PAUSE_FRAME, RECT_QUIT_PROMPT, pauseLabels, pauseIds);
}
