// The map view: the task that draws the loaded map in 3D (a floor quad for every cell, wall
// faces where neighbouring cells differ, liquid cells whose surface rises and falls) and, over
// it, the area name and the bar with the money.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/task_pool.h"
#include "platform/common/math3d.h"

constexpr int WAVE_TABLE_SIZE = 88;
// One full rise and fall of liquid surfaces, one entry a frame.
extern const float waveTable[WAVE_TABLE_SIZE];

// Map texture numbers (slots of `textures`) the view draws with.
constexpr int32_t MAP_TEXTURE_DEFAULT_FLOOR = 5;
constexpr int32_t MAP_TEXTURE_DEFAULT_WALL = 7;
constexpr int32_t MAP_TEXTURE_LIQUID = 8;

constexpr int8_t TILE_LIQUID = 45;
// Cells with tiles 0..44 get a floor; liquid only in its own pass; others nothing.
constexpr int8_t TILE_LAST_WITH_FLOOR = 44;

constexpr float MAP_CELL_SIZE = 2.0f;
constexpr float MAP_WALL_DEPTH = 6.0f;
constexpr float MAP_CULL_RADIUS = 4.0f;

struct MapViewPayload {
    uint32_t alive;
    float liquidHeight;  // the current height of liquid surfaces
    int32_t wavePhase;   // 0..87
};
static_assert(sizeof(MapViewPayload) <= TASK_PAYLOAD_BYTES);

struct TileFloorStyle {
    int32_t texture;
    float height;
};
TileFloorStyle GetTileFloorStyle(int8_t tile);
int32_t GetTileWallTexture(int8_t tile);

enum class MapQuadKind : uint8_t { Liquid, Floor, Wall };

// One textured quad of the map, corners in drawing order with texture coordinates (0, 0),
// (1, 0), (1, 1), (0, 1).
struct MapQuad {
    MapQuadKind kind;
    int32_t texture;
    Vec3 corners[4];
};

// Whether a sphere (centre, radius) can be seen: IsSphereVisible, or a test's stand-in.
using SphereVisibleFn = int (*)(float x, float y, float z, float radius);

// The quads of a width x height tile layer in drawing order: first every liquid cell at
// liquidHeight, then row by row each cell with a floor followed by its wall faces. Cells whose
// sphere is not visible give nothing. out is cleared first (its storage is reused).
void CollectMapQuads(const int8_t* tiles, int32_t width, int32_t height, float liquidHeight,
                     SphereVisibleFn visible, std::vector<MapQuad>* out);

// Claims the map view's slot and starts the waves; false when the slot is taken.
bool CreateMapView();
void UpdateMapView(TaskSlot* slot);
void DrawMapView(TaskSlot* slot);
// Steps the wave: the phase wraps from 87 to 0; the height of the new phase.
float NextWaveHeight(MapViewPayload* view);
// Draws the loaded map's cells with liquid surfaces at the height h.
void DrawMapCells(float h);
// The area-name image of map number area (0..23) at (x, y); any other number draws nothing.
void DrawAreaName(float x, float y, int32_t area);
// The bottom bar with the money, only while no event runs.
void DrawFieldMoneyBar();
