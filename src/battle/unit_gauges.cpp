// Unit gauges and the four-corner quad.
#include "battle/unit_gauges.h"

#include <algorithm>

#include "data/atlas_battle.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"
#include "render/world_popups.h"

namespace {

// The gauges hang from a point 20 pixels left of the feet, so the 40-pixel bars centre on them.
constexpr float GAUGE_HALF_WIDTH = 20.0f;
constexpr float GAUGE_INSET = 2.0f;
constexpr float MP_BAR_OFFSET_Y = 9.0f;
constexpr float STATUS_ICONS_OFFSET_Y = -14.0f;
constexpr float BUFF_ICONS_OFFSET_Y = 15.0f;
constexpr float STATUS_ICON_PITCH = 16.0f;
constexpr float BUFF_ICON_PITCH = 32.0f;

void DrawAtlasImage(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

// The fill is cut from the left of its row, as long as the share of the maximum.
void DrawBar(float x, float y, float length, int32_t current, int32_t maximum,
             const AtlasRect& fillRow) {
    DrawAtlasImage(x, y, RECT_GAUGE_FRAME);
    const float width = GaugeFill(length, current, maximum);
    const AtlasRect fill{fillRow.left, fillRow.top, fillRow.left + width, fillRow.bottom};
    DrawAtlasImage(x + GAUGE_INSET, y + GAUGE_INSET, fill);
}

}  // namespace

float GaugeFill(float length, int32_t current, int32_t maximum) {
    if (maximum == 0) {
        return 0.0f;
    }
    const float width = length * static_cast<float>(current) / static_cast<float>(maximum);
    return std::clamp(width, 0.0f, length);
}

void DrawAllUnitGauges() {
    // The dynamic slots also hold effects and map objects with payloads of their own.
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const TaskSlot* task = TaskAt(slot);
        if (task->inUse == 0 || task->kind != TASK_KIND_BATTLE_UNIT) {
            continue;
        }
        DrawUnitGauges(TaskPayload<BattleUnit>(task));
    }
}

void DrawUnitGauges(const BattleUnit* unit) {
    Vec3 screen;
    ProjectToScreen(&screen, unit->position);
    const float x = screen.x - GAUGE_HALF_WIDTH;
    const float y = screen.y;
    const CharacterRecord& record = unit->record;
    DrawHpBar(record.side, x + GAUGE_INSET, y + GAUGE_INSET, UNIT_GAUGE_LENGTH, record.hp,
              record.hpMax);
    const bool caster =
        record.characterClass == CLASS_CASTER || record.characterClass == CLASS_HYBRID;
    if (record.side == SIDE_PARTY && caster) {
        DrawMpBar(x + GAUGE_INSET, y + MP_BAR_OFFSET_Y, UNIT_GAUGE_LENGTH, record.mp, record.mpMax);
    }
    DrawUnitStatusIcons(x + GAUGE_INSET, y + STATUS_ICONS_OFFSET_Y, record.statusBits);
    DrawBuffIcons(x + GAUGE_INSET, y + BUFF_ICONS_OFFSET_Y, unit->defenceBuff,
                  unit->magicDefenceBuff);
}

void DrawHpBar(int32_t side, float x, float y, float length, int32_t current, int32_t maximum) {
    DrawBar(x, y, length, current, maximum,
            side == SIDE_PARTY ? RECT_HP_FILL_PARTY : RECT_HP_FILL_ENEMY);
}

void DrawMpBar(float x, float y, float length, int32_t current, int32_t maximum) {
    DrawBar(x, y, length, current, maximum, RECT_MP_FILL);
}

void DrawUnitStatusIcons(float x, float y, uint32_t statusBits) {
    if ((statusBits & STATUS_POISON) != 0) {
        DrawAtlasImage(x, y, RECT_UNIT_POISON_ICON);
        x += STATUS_ICON_PITCH;
    }
    if ((statusBits & STATUS_PARALYSIS) != 0) {
        DrawAtlasImage(x, y, RECT_UNIT_PARALYSIS_ICON);
    }
}

void DrawBuffIcons(float x, float y, float defenceBuff, float magicDefenceBuff) {
    if (defenceBuff > 0.0f) {
        DrawAtlasImage(x, y, RECT_DEFENCE_BUFF_ICON);
        x += BUFF_ICON_PITCH;
    }
    if (magicDefenceBuff > 0.0f) {
        DrawAtlasImage(x, y, RECT_MAGIC_DEFENCE_BUFF_ICON);
    }
}

void DrawQuadCorners(const Vec3 (&corners)[4], int textureIndex) {
    if (textureIndex < 0 || textureIndex >= TEXTURE_COUNT) {
        return;
    }
    constexpr float U[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    constexpr float V[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    WorldVertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        SetWorldVertex(&vertices[i], corners[i].x, corners[i].y, corners[i].z, U[i], V[i]);
    }
    // The corners are already world points.
    SetWorldTransform(MatrixIdentity());
    DrawWorldQuad(vertices, COLOUR_WHITE, textures[textureIndex]);
}
