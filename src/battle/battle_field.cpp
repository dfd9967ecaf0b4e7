// The battle field's grids, its cell conversions, the enemies' spawn cells and the field view.
#include "battle/battle_field.h"

#include <cmath>

#include "data/atlas_battle.h"
#include "data/atlas_images.h"
#include "engine/random.h"
#include "field/map_data.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

uint32_t battleGrid[BATTLE_GRID_CELLS];
uint32_t battleBlockedGrid[BATTLE_GRID_CELLS];

namespace {

constexpr float FIELD_HALF_SPAN = 18.0f;
constexpr float FIELD_WALKABLE_HALF_SPAN = 14.0f;
constexpr float FIELD_CELL_SIZE = 2.0f;
constexpr float FIELD_BLOCK_DEPTH = 4.0f;

constexpr int32_t SPAWN_FIRST_ROW = 3;
constexpr int32_t SPAWN_LAST_ROW = 7;
constexpr int32_t SPAWN_FIRST_COLUMN = 3;
constexpr int32_t SPAWN_LAST_COLUMN = 14;

// Map tiles below 6 are low ground, with a top, sides and background of their own; tile 6
// already takes the high ground's top but keeps the low ground's sides.
constexpr int8_t HIGH_GROUND_TOP_TILE = 6;
constexpr int32_t LOW_GROUND_TOP_TEXTURE = 5;
constexpr int32_t HIGH_GROUND_TOP_TEXTURE = 18;
constexpr int32_t LOW_GROUND_SIDE_TEXTURE = 24;
constexpr int32_t HIGH_GROUND_SIDE_TEXTURE = 17;

bool IsWalkableLine(int32_t i) {
    return i >= BATTLE_WALKABLE_FIRST && i <= BATTLE_WALKABLE_LAST;
}

// Truncation toward zero of a span that may be far off the field, huge or not a number: those
// become a line far outside the grid instead of an undefined conversion.
int32_t TruncSpan(float span) {
    constexpr float limit = 1e6f;
    if (!(span > -limit && span < limit)) {
        return span >= limit ? static_cast<int32_t>(limit) : -static_cast<int32_t>(limit);
    }
    return static_cast<int32_t>(std::trunc(span));
}

const GfxTexture* FieldTexture(uint32_t slot) {
    return slot < static_cast<uint32_t>(TEXTURE_COUNT) ? textures[slot] : nullptr;
}

void DrawFieldQuad(const float (&corners)[4][3], const GfxTexture* texture) {
    static constexpr float us[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    static constexpr float vs[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    WorldVertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        SetWorldVertex(&vertices[i], corners[i][0], corners[i][1], corners[i][2], us[i], vs[i]);
    }
    DrawWorldQuad(vertices, COLOUR_WHITE, texture);
}

// One walkable cell: its top, then the faces at x0 + 2, x0, z0 and z0 - 2, reaching 4 down.
void DrawFieldBlock(float x0, float z0, const GfxTexture* top, const GfxTexture* side) {
    const float x1 = x0 + FIELD_CELL_SIZE;
    const float z1 = z0 - FIELD_CELL_SIZE;
    const float y = -FIELD_BLOCK_DEPTH;
    DrawFieldQuad({{x0, 0, z0}, {x1, 0, z0}, {x1, 0, z1}, {x0, 0, z1}}, top);
    for (float x : {x1, x0}) {
        DrawFieldQuad({{x, 0, z0}, {x, 0, z1}, {x, y, z1}, {x, y, z0}}, side);
    }
    for (float z : {z0, z1}) {
        DrawFieldQuad({{x0, 0, z}, {x1, 0, z}, {x1, y, z}, {x0, y, z}}, side);
    }
}

}  // namespace

void InitBattleGrid() {
    for (int32_t row = 0; row < BATTLE_GRID_SIZE; ++row) {
        for (int32_t column = 0; column < BATTLE_GRID_SIZE; ++column) {
            const uint32_t walkable = IsWalkableLine(column) && IsWalkableLine(row) ? 1 : 0;
            const int32_t index = BattleGridIndex(column, row);
            battleGrid[index] = walkable;
            battleBlockedGrid[index] = 1 - walkable;
        }
    }
}

int32_t BattleGridIndex(int32_t column, int32_t row) {
    if (column < 0 || column >= BATTLE_GRID_SIZE || row < 0 || row >= BATTLE_GRID_SIZE) {
        return -1;
    }
    return row * BATTLE_GRID_SIZE + column;
}

bool IsBattleCellWalkable(int32_t column, int32_t row) {
    const int32_t index = BattleGridIndex(column, row);
    return index >= 0 && battleGrid[index] != 0;
}

bool IsBattleCellBlocked(int32_t column, int32_t row) {
    const int32_t index = BattleGridIndex(column, row);
    return index < 0 || battleBlockedGrid[index] != 0;
}

void FieldCellToWorld(float* columnToX, float* rowToZ) {
    const float half = FIELD_HALF_SPAN - 1.0f;
    *columnToX = FIELD_CELL_SIZE * *columnToX - half;
    *rowToZ = half - FIELD_CELL_SIZE * *rowToZ;
}

void WorldToFieldColumnRow(float x, float z, int32_t* column, int32_t* row) {
    *row = TruncSpan(FIELD_HALF_SPAN - z) / 2;
    *column = TruncSpan(x + FIELD_HALF_SPAN) / 2;
}

int32_t WorldToFieldCell(float x, float z) {
    int32_t column = 0;
    int32_t row = 0;
    WorldToFieldColumnRow(x, z, &column, &row);
    return row * BATTLE_GRID_SIZE + column;
}

bool IsInsideBattlefield(float x, float z) {
    const float h = FIELD_WALKABLE_HALF_SPAN;
    return x > -h && x < h && z > -h && z < h;
}

void BuildSpawnCellList(SpawnCellList* list) {
    int32_t n = 0;
    for (int32_t row = SPAWN_FIRST_ROW; row <= SPAWN_LAST_ROW; ++row) {
        for (int32_t column = SPAWN_FIRST_COLUMN; column <= SPAWN_LAST_COLUMN; ++column) {
            list->spawnCol[n] = column;
            list->spawnRow[n] = row;
            ++n;
        }
    }
    list->spawnCount = n;
}

bool TakeRandomSpawnCell(SpawnCellList* list, int32_t* column, int32_t* row) {
    if (list->spawnCount > SPAWN_CELL_MAX) {
        list->spawnCount = SPAWN_CELL_MAX;
    }
    if (list->spawnCount < 2) {
        return false;
    }
    const int32_t taken = RandomInt(list->spawnCount);
    *column = list->spawnCol[taken];
    *row = list->spawnRow[taken];
    for (int32_t i = taken; i + 1 < list->spawnCount; ++i) {
        list->spawnCol[i] = list->spawnCol[i + 1];
        list->spawnRow[i] = list->spawnRow[i + 1];
    }
    list->spawnCount -= 1;
    return true;
}

int32_t GetFieldTopTexture(int8_t tile) {
    return tile < HIGH_GROUND_TOP_TILE ? LOW_GROUND_TOP_TEXTURE : HIGH_GROUND_TOP_TEXTURE;
}

int32_t GetFieldSideTexture(int8_t tile) {
    return tile > HIGH_GROUND_TOP_TILE ? HIGH_GROUND_SIDE_TEXTURE : LOW_GROUND_SIDE_TEXTURE;
}

bool CreateBattleFieldView(float x, float z) {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_BATTLE_FIELD);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_BATTLE_FIELD, 0, UpdateBattleFieldView, DrawBattleFieldView);
    BattleFieldViewPayload* view = TaskPayload<BattleFieldViewPayload>(slot);
    view->alive = 1;
    // A position off the loaded map (or no map at all) reads as plain ground.
    const int8_t tile = tileLayer != nullptr ? GetTileAt(x, z) : int8_t{0};
    view->topTexture = static_cast<uint32_t>(GetFieldTopTexture(tile));
    view->sideTexture = static_cast<uint32_t>(GetFieldSideTexture(tile));
    return true;
}

void UpdateBattleFieldView(TaskSlot* slot) {
    if (TaskPayload<BattleFieldViewPayload>(slot)->alive == 0) {
        slot->inUse = 0;
    }
}

void DrawBattleFieldView(TaskSlot* slot) {
    const BattleFieldViewPayload* view = TaskPayload<BattleFieldViewPayload>(slot);
    // The background lies behind everything, so it must not fill the depth buffer.
    SetDepthTest(0);
    const AtlasRect& tile = view->topTexture == static_cast<uint32_t>(LOW_GROUND_TOP_TEXTURE)
                                ? RECT_BATTLE_BACKGROUND_TILE
                                : RECT_FADE_TILE;
    DrawTiledBackground(tile.left, tile.top, tile.right, tile.bottom);
    SetDepthTest(1);

    SetWorldTransform(MatrixIdentity());
    const GfxTexture* top = FieldTexture(view->topTexture);
    const GfxTexture* side = FieldTexture(view->sideTexture);
    for (int32_t row = 0; row < BATTLE_GRID_SIZE; ++row) {
        for (int32_t column = 0; column < BATTLE_GRID_SIZE; ++column) {
            if (!IsBattleCellWalkable(column, row)) {
                continue;
            }
            const float x0 = FIELD_CELL_SIZE * static_cast<float>(column) - FIELD_HALF_SPAN;
            const float z0 = FIELD_HALF_SPAN - FIELD_CELL_SIZE * static_cast<float>(row);
            DrawFieldBlock(x0, z0, top, side);
        }
    }
}
