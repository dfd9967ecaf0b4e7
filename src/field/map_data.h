// The loaded map: W x H cells of 2.0 world units with three byte layers, read from
// "mappack.dat"; and the conversions between cells and world positions every map actor uses.
// Layers are indexed row x W + column, row 0 at the largest z.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t MAP_LAYER_BYTES = 40000;
constexpr int32_t MAP_COUNT = 24;

// Collision classes.
constexpr int8_t COLLISION_FREE = 0;
constexpr int8_t COLLISION_WALL = 1;
constexpr int8_t COLLISION_BLOCKED = 2;
constexpr int8_t COLLISION_LIQUID = 3;

// Event-layer mover instructions.
constexpr uint8_t MOVER_TURN_90 = 70;
constexpr uint8_t MOVER_TURN_270 = 71;
constexpr uint8_t MOVER_TURN_180 = 72;
constexpr uint8_t MOVER_TURN_0 = 73;
constexpr uint8_t MOVER_STOP = 74;

extern int8_t* tileLayer;       // signed tile codes
extern uint8_t* eventLayer;     // 0 none, 1..20 the cell's event, 70..74 mover instructions
extern int8_t* collisionLayer;  // 0 free, 1 wall, 2 blocked or occupied, 3 liquid
extern int32_t mapWidth;
extern int32_t mapHeight;

// Allocates the three layers and the event-block store, zero-filled. On any failure frees
// what it got and returns false.
bool AllocMapBuffers();
// Zero-fills the three layers and the event-block store.
void ClearMapBuffers();
void FreeMapBuffers();

// currentMap = n, then the map record, its events and its placement script. False when the map
// or its events cannot be read (callers show "no data file").
bool LoadMap(int32_t n);
// Reads map currentMap of the pack into the layers. False when the file cannot be read whole,
// the map number lies outside 0..23, or the map is empty or larger than the layers.
bool ReadMapPack(const char* fileName);
// The size of map n of the pack, without touching the loaded map; false when the map is not
// there or would not fit the layers.
bool ReadMapPackSize(const char* fileName, int32_t n, int32_t* width, int32_t* height);
int32_t CountEventCells();
// Recomputes every cell's collision class from its tile code.
void BuildCollisionLayer();
int8_t CollisionForTile(int8_t tile);

// Cell (column, row) of the loaded map to its centre in world x, z.
void CellToWorld(int32_t column, int32_t row, float* x, float* z);
// The cell index of a world position, computed with truncation and integer division; it may
// lie outside the map.
int32_t WorldToMapCell(float x, float z);
// The column and row of a world position; false when the cell lies outside the loaded map.
bool TryWorldToMapCell(float x, float z, int32_t* column, int32_t* row);
void SnapToGridCellCorner(float x, float z, int32_t width, int32_t height, float* cornerX,
                          float* cornerZ);
void SnapToCellCentre(float x, float z, int32_t width, int32_t height, float* centreX,
                      float* centreZ);
// Whole numbers, halves away from zero.
void RoundPositionXZ(float* x, float* z);
// Moves along one of the four grid directions (the angle rounded to a whole degree); any other
// angle leaves the point unchanged.
void OffsetByDirection(float* x, float* z, float angle, float distance);
// The collision class of the cell 2.0 ahead; a wall off the map.
int8_t GetCellAhead(float x, float z, float angle);
// Cell reads and writes by world position; outside the map reads give 0 (a wall for
// collision, see GetCollisionAt) and writes are ignored.
void SetCollisionCell(float x, float z, int8_t value);
int8_t GetCollisionAt(float x, float z);
uint8_t GetEventAt(float x, float z);
int8_t GetTileAt(float x, float z);
// Heading in degrees from (x0, z0) to (x1, z1), -90..270, 0 towards +x and 90 towards +z.
float GetAngleBetween(float x0, float z0, float x1, float z1);
float GetGroundDistance(float ax, float az, float bx, float bz);
