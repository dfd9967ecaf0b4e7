// The shared camp widgets.
#include "menu/camp_widgets.h"

#include <algorithm>

#include "data/atlas_camp.h"
#include "data/atlas_images.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

// Column positions on the screen.
constexpr float NAME_X = 20.0f;
constexpr float HP_X = 124.0f;
constexpr float HP_SLASH_X = 164.0f;
constexpr float HP_MAX_X = 180.0f;
constexpr float MP_X = 254.0f;
constexpr float MP_SLASH_X = 294.0f;
constexpr float MP_MAX_X = 310.0f;
constexpr float LEVEL_X = 380.0f;
constexpr float STATUS_X = 432.0f;
constexpr float FACE_X = 510.0f;
constexpr float FACE_OFFSET_Y = 16.0f;
// The slash sits a pixel lower than the digits, the status two pixels higher.
constexpr float SLASH_DROP = 1.0f;
constexpr float STATUS_RISE = 2.0f;
constexpr float STATUS_ICON_GAP = 8.0f;

void DrawAtlasImage(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void DrawPartyRow(float r, const CharacterRecord& record) {
    DrawAtlasImage(NAME_X, r, record.nameRect);
    DrawNumber(HP_X, r, record.hp);
    DrawAtlasImage(HP_SLASH_X, r + SLASH_DROP, RECT_SLASH);
    DrawNumber(HP_MAX_X, r, record.hpMax);
    DrawNumber(MP_X, r, record.mp);
    DrawAtlasImage(MP_SLASH_X, r + SLASH_DROP, RECT_SLASH);
    DrawNumber(MP_MAX_X, r, record.mpMax);
    DrawNumber(LEVEL_X, r, record.level);
    DrawStatus(STATUS_X, r - STATUS_RISE, record.statusBits);
}

}  // namespace

void DrawPartyList(float x, float y, const CharacterRecord* records, int32_t count,
                   int32_t faceIndex) {
    DrawAtlasImage(x, y, RECT_PARTY_LIST_BACKDROP);
    DrawAtlasImage(HP_X, y, RECT_PARTY_LIST_HP_CAPTION);
    DrawAtlasImage(MP_X, y, RECT_PARTY_LIST_MP_CAPTION);
    DrawAtlasImage(LEVEL_X, y, RECT_PARTY_LIST_LEVEL_CAPTION);
    // The count may come from a save file.
    const int32_t shown = records == nullptr ? 0 : std::clamp(count, 0, PARTY_MAX);
    for (int32_t i = 0; i < shown; ++i) {
        DrawPartyRow(y + PARTY_LIST_FIRST_ROW + PARTY_LIST_ROW_PITCH * static_cast<float>(i),
                     records[i]);
    }
    if (faceIndex >= 0) {
        DrawMemberFace(FACE_X, y + FACE_OFFSET_Y, faceIndex);
    }
}

void DrawMemberFace(float x, float y, int32_t index) {
    if (index < 0 || index >= PARTY_MAX) {
        return;
    }
    DrawAtlasImage(x, y, partyRoster[index].faceRect);
}

void DrawStatus(float x, float y, uint32_t statusBits) {
    if (statusBits == 0) {
        DrawAtlasImage(x, y, RECT_STATUS_NORMAL);
        return;
    }
    DrawMemberStatusIcons(x, y, statusBits);
}

void DrawMemberStatusIcons(float x, float y, uint32_t statusBits) {
    if ((statusBits & STATUS_POISON) != 0) {
        DrawAtlasImage(x, y, RECT_MEMBER_POISON_ICON);
        x += RectWidth(RECT_MEMBER_POISON_ICON) + STATUS_ICON_GAP;
    }
    if ((statusBits & STATUS_PARALYSIS) != 0) {
        DrawAtlasImage(x, y, RECT_MEMBER_PARALYSIS_ICON);
    }
}

void DrawListCursor(float x, float y, float pitch, int index) {
    DrawAtlasImage(x, y + static_cast<float>(index) * pitch, RECT_MENU_CURSOR);
}
