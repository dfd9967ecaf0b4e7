// What the camp screens share: the party size they may index, the wrapping cursor, the
// backdrop, the question window and the value of a piece of equipment.
#include "menu/camp_screens.h"

#include <algorithm>

#include "battle/inventory.h"
#include "data/atlas_camp_screens.h"
#include "data/atlas_menus.h"
#include "engine/keyboard.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float QUESTION_X = 234.0f;
constexpr float QUESTION_Y = 120.0f;

const AtlasRect questionRows[2] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
const int questionIds[2] = {0, 1};

}  // namespace

int32_t CampPartySize() {
    return std::clamp(partyCount, 0, PARTY_MAX);
}

CharacterRecord* CampMember(int32_t index) {
    return index >= 0 && index < CampPartySize() ? &partyRoster[index] : nullptr;
}

int32_t EquipValue(int32_t id, int32_t type) {
    return IsItemId(id) && itemTable[id].type == type ? itemTable[id].value : 0;
}

void DrawCampImage(float x, float y, const AtlasRect& rect, uint32_t argb) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, argb, uiAtlas);
}

void DrawCampBackdrop() {
    const AtlasRect& t = RECT_CAMP_SCREEN_TILE;
    DrawTiledBackground(t.left, t.top, t.right, t.bottom);
}

void DrawCampQuestion(int32_t choice, const AtlasRect& frame, const AtlasRect& title) {
    DrawMenuWindow(QUESTION_X, QUESTION_Y, choice, 2, COLOUR_WHITE, frame, title, questionRows,
                   questionIds);
}
