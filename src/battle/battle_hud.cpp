// The battle's pause box and the name plates over units.
#include "battle/battle_hud.h"

#include "data/atlas_battle.h"
#include "data/atlas_battle_commands.h"
#include "data/atlas_menus.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_popups.h"

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
    DrawSprite(x, screen.y - 64.0f,
               party ? RECT_NAME_PLATE_UPPER_PARTY : RECT_NAME_PLATE_UPPER_ENEMY, ATLAS_SIZE,
               ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    DrawSprite(x, screen.y - 32.0f,
               party ? RECT_NAME_PLATE_LOWER_PARTY : RECT_NAME_PLATE_LOWER_ENEMY, ATLAS_SIZE,
               ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    const AtlasRect& name = unit->record.nameRect;
    DrawSprite(x + (126.0f - RectWidth(name)) / 2.0f,
               screen.y - 64.0f + (28.0f - RectHeight(name)) / 2.0f, name, ATLAS_SIZE, ATLAS_SIZE,
               COLOUR_WHITE, uiAtlas);
}
