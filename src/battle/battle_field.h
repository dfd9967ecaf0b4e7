// The battle field: an 18 by 18 grid of 2.0-unit cells centred on the world origin, whatever the
// map position of the party was. The two outer rings of cells are border; the 14 by 14 cells
// inside are walkable. Also the cells where random enemies may appear, and the task that draws
// the field as a floor of textured blocks over a tiled background.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

constexpr int32_t BATTLE_GRID_SIZE = 18;
constexpr int32_t BATTLE_GRID_CELLS = BATTLE_GRID_SIZE * BATTLE_GRID_SIZE;
// Columns and rows of the walkable square, both ends included.
constexpr int32_t BATTLE_WALKABLE_FIRST = 2;
constexpr int32_t BATTLE_WALKABLE_LAST = 15;
// Units stand this high above the floor.
constexpr float BATTLE_UNIT_HEIGHT = 0.15f;

// Cell (column, row) at index row * 18 + column; column 0 lies at -x, row 0 at +z.
extern uint32_t battleGrid[BATTLE_GRID_CELLS];         // 1 walkable, 0 border
extern uint32_t battleBlockedGrid[BATTLE_GRID_CELLS];  // the inverse: 1 blocked

// Fills both grids. Called at every battle start.
void InitBattleGrid();

// The grids' one bounds check: the index of (column, row), or -1 when either lies outside
// 0..17. Column and row are checked apart, since a flat index alone would let column 20 of
// one row pass as column 2 of the next. Every lookup of a grid goes through it.
int32_t BattleGridIndex(int32_t column, int32_t row);
// Grid lookups; a cell off the grid is blocked and not walkable.
bool IsBattleCellWalkable(int32_t column, int32_t row);
bool IsBattleCellBlocked(int32_t column, int32_t row);

// A cell given as (column, row) in two floats becomes the world x and z of its centre:
// x = 2c - 17, z = 17 - 2r.
void FieldCellToWorld(float* columnToX, float* rowToZ);
// The column and row of a world point, with truncation toward zero and integer division, so a
// point on the line between two cells goes to the larger column or row. Points off the field
// give columns and rows outside 0..17 (or folded onto the outer ring within 2 units of the
// edge); both are blocked to the lookups above.
void WorldToFieldColumnRow(float x, float z, int32_t* column, int32_t* row);
// The flat cell index row * 18 + column of a world point. Meant for comparing cells: off the
// field it may name an unrelated cell, so never index a grid with it.
int32_t WorldToFieldCell(float x, float z);
// Whether the point is on the walkable square: -14 < x < 14 and -14 < z < 14.
bool IsInsideBattlefield(float x, float z);

// The cells where random enemies may appear: rows 3..7, columns 3..14, the field's north part,
// opposite the party's cells. Held by the battle controller, in its field order.
constexpr int32_t SPAWN_CELL_MAX = 60;
struct SpawnCellList {
    int32_t spawnCount;
    int32_t spawnCol[SPAWN_CELL_MAX];
    int32_t spawnRow[SPAWN_CELL_MAX];
};
// All 60 cells, row by row, each row from its west end.
void BuildSpawnCellList(SpawnCellList* list);
// Takes a random entry out of the list (the later ones move up, order kept): false, and no
// draw, when fewer than 2 cells remain.
bool TakeRandomSpawnCell(SpawnCellList* list, int32_t* column, int32_t* row);

// The textures (slots of `textures`) of the blocks' tops and sides, by the map tile on which
// the battle began.
int32_t GetFieldTopTexture(int8_t tile);
int32_t GetFieldSideTexture(int8_t tile);

struct BattleFieldViewPayload {
    uint32_t alive;
    uint32_t topTexture;
    uint32_t sideTexture;
};
static_assert(sizeof(BattleFieldViewPayload) <= TASK_PAYLOAD_BYTES);

// Creates the field view with the textures of the map tile under the map position (x, z)
// (tile 0 off the map); false when its slot is taken.
bool CreateBattleFieldView(float x, float z);
void UpdateBattleFieldView(TaskSlot* slot);
// The tiled background behind everything, then the walkable cells as blocks 4 units deep.
void DrawBattleFieldView(TaskSlot* slot);
