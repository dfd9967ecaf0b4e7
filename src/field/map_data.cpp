// Map data, the map pack reader and the map's geometry.
#include "field/map_data.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/byte_io.h"
#include "engine/memory.h"
#include "engine/regular_file.h"
#include "event/event_pack.h"
#include "field/game_state.h"

int8_t* tileLayer = nullptr;
uint8_t* eventLayer = nullptr;
int8_t* collisionLayer = nullptr;
int32_t mapWidth = 0;
int32_t mapHeight = 0;

namespace {

constexpr uint32_t PACK_TABLE_BYTES = MAP_COUNT * 4;

bool ReadExactly(std::FILE* file, void* into, size_t bytes) {
    return std::fread(into, 1, bytes, file) == bytes;
}

void ReportMapFailure(const char* fileName, const char* why) {
    std::fprintf(stderr, "%s: map %d: %s\n", fileName, static_cast<int>(currentMap), why);
}

bool CellIndexAt(float x, float z, size_t* index) {
    int32_t column = 0;
    int32_t row = 0;
    if (!TryWorldToMapCell(x, z, &column, &row)) {
        return false;
    }
    *index = static_cast<size_t>(row) * mapWidth + column;
    return true;
}

// Reads the 16-byte header of map n, leaving the file at the map's tile layer; the reason
// when the map is not there or does not fit the layers.
std::string ReadMapHeader(std::FILE* file, int32_t n, uint8_t (&header)[16]) {
    uint8_t table[PACK_TABLE_BYTES];
    if (!ReadExactly(file, table, sizeof table)) {
        return "file too short for its offset table";
    }
    if (std::fseek(file, static_cast<long>(ReadLE32(table + n * 4)), SEEK_CUR) != 0 ||
        !ReadExactly(file, header, sizeof header)) {
        return "file too short";
    }
    const uint64_t width = ReadLE32(header);
    const uint64_t height = ReadLE32(header + 4);
    // A map must fit the layers; an empty one would leave every actor off the map.
    if (width == 0 || height == 0 || width * height > MAP_LAYER_BYTES) {
        return "its size " + std::to_string(width) + " x " + std::to_string(height) +
               " does not fit the map layers";
    }
    return "";
}

}  // namespace

bool AllocMapBuffers() {
    tileLayer = static_cast<int8_t*>(AllocMemory(MAP_LAYER_BYTES));
    eventLayer = static_cast<uint8_t*>(AllocMemory(MAP_LAYER_BYTES));
    collisionLayer = static_cast<int8_t*>(AllocMemory(MAP_LAYER_BYTES));
    eventBlocks = static_cast<char*>(AllocMemory(EVENT_BLOCK_STORE_BYTES));
    if (tileLayer == nullptr || eventLayer == nullptr || collisionLayer == nullptr ||
        eventBlocks == nullptr) {
        FreeMapBuffers();
        return false;
    }
    ClearMapBuffers();
    return true;
}

void ClearMapBuffers() {
    ZeroMemoryBlock(tileLayer, MAP_LAYER_BYTES);
    ZeroMemoryBlock(eventLayer, MAP_LAYER_BYTES);
    ZeroMemoryBlock(collisionLayer, MAP_LAYER_BYTES);
    ZeroMemoryBlock(eventBlocks, EVENT_BLOCK_STORE_BYTES);
}

void FreeMapBuffers() {
    FreeMemory(tileLayer);
    FreeMemory(eventLayer);
    FreeMemory(collisionLayer);
    // The event-block store is allocated with the layers, so it goes with them.
    FreeMemory(eventBlocks);
    tileLayer = nullptr;
    eventLayer = nullptr;
    collisionLayer = nullptr;
    eventBlocks = nullptr;
}

bool LoadMap(int32_t n) {
    currentMap = n;
    if (!ReadMapPack("mappack.dat")) {
        return false;
    }
    if (LoadMapEvents("epack.dat") == 0) {
        return false;
    }
    RunMapPlacementScripts();
    return true;
}

bool ReadMapPack(const char* fileName) {
    ClearMapBuffers();
    // Without the layers of start-up there is nowhere to read a map into.
    if (tileLayer == nullptr || eventLayer == nullptr || collisionLayer == nullptr) {
        ReportMapFailure(fileName, "no map buffers to read it into");
        return false;
    }
    if (currentMap < 0 || currentMap >= MAP_COUNT) {
        ReportMapFailure(fileName, "no such map number");
        return false;
    }
    std::string whyNot;
    std::FILE* file = OpenRegularFile(fileName, &whyNot);
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open: %s\n", fileName, whyNot.c_str());
        return false;
    }
    uint8_t header[16];
    uint64_t width = 0;
    uint64_t height = 0;
    std::string why = ReadMapHeader(file, currentMap, header);
    if (why.empty()) {
        width = ReadLE32(header);
        height = ReadLE32(header + 4);
        if (!ReadExactly(file, tileLayer, width * height) ||
            !ReadExactly(file, eventLayer, width * height)) {
            why = "file too short";
        }
    }
    std::fclose(file);
    if (!why.empty()) {
        ReportMapFailure(fileName, why.c_str());
        ClearMapBuffers();
        return false;
    }
    mapWidth = static_cast<int32_t>(width);
    mapHeight = static_cast<int32_t>(height);
    encounterGroup = static_cast<int32_t>(ReadLE32(header + 8));
    const uint32_t interval = ReadLE32(header + 12);
    encounterInterval = interval > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int32_t>(interval);
    encounterStepsLeft = encounterInterval;
    // More event cells than blocks (duplicates, or over 20) must not make anyone reach past
    // the 20 blocks of the store.
    const int32_t eventCells = CountEventCells();
    eventBlockCount = eventCells < EVENT_BLOCK_COUNT ? eventCells : EVENT_BLOCK_COUNT;
    BuildCollisionLayer();
    return true;
}

bool ReadMapPackSize(const char* fileName, int32_t n, int32_t* width, int32_t* height) {
    if (n < 0 || n >= MAP_COUNT) {
        return false;
    }
    std::string whyNot;
    std::FILE* file = OpenRegularFile(fileName, &whyNot);
    if (file == nullptr) {
        return false;
    }
    uint8_t header[16];
    const bool found = ReadMapHeader(file, n, header).empty();
    std::fclose(file);
    if (found) {
        *width = static_cast<int32_t>(ReadLE32(header));
        *height = static_cast<int32_t>(ReadLE32(header + 4));
    }
    return found;
}

int32_t CountEventCells() {
    int32_t count = 0;
    const int32_t cells = mapWidth * mapHeight;
    for (int32_t i = 0; i < cells; ++i) {
        if (eventLayer[i] >= 1 && eventLayer[i] <= 20) {
            count += 1;
        }
    }
    return count;
}

int8_t CollisionForTile(int8_t tile) {
    if (tile < 15) {
        return COLLISION_FREE;
    }
    if (tile <= 44) {
        return COLLISION_WALL;
    }
    if (tile == 45) {
        return COLLISION_LIQUID;
    }
    return COLLISION_BLOCKED;
}

void BuildCollisionLayer() {
    const int32_t cells = mapWidth * mapHeight;
    for (int32_t i = 0; i < cells; ++i) {
        collisionLayer[i] = CollisionForTile(tileLayer[i]);
    }
}

void CellToWorld(int32_t column, int32_t row, float* x, float* z) {
    *x = static_cast<float>(2 * column - mapWidth + 1);
    *z = static_cast<float>(mapHeight - 2 * row - 1);
}

int32_t WorldToMapCell(float x, float z) {
    int32_t row = static_cast<int32_t>(std::trunc(mapHeight - z)) / 2;
    int32_t column = static_cast<int32_t>(std::trunc(x + mapWidth)) / 2;
    return row * mapWidth + column;
}

bool TryWorldToMapCell(float x, float z, int32_t* column, int32_t* row) {
    const float rowSpan = mapHeight - z;
    const float columnSpan = x + mapWidth;
    // Far off the map (or not a number) cannot become an integer safely.
    if (!(rowSpan > -1e6f && rowSpan < 1e6f && columnSpan > -1e6f && columnSpan < 1e6f)) {
        return false;
    }
    *row = static_cast<int32_t>(std::trunc(rowSpan)) / 2;
    *column = static_cast<int32_t>(std::trunc(columnSpan)) / 2;
    // Truncation folds -2 < x + W < 0 into column 0; such points lie off the map.
    if (rowSpan < 0.0f || columnSpan < 0.0f) {
        return false;
    }
    return *row >= 0 && *row < mapHeight && *column >= 0 && *column < mapWidth;
}

void SnapToGridCellCorner(float x, float z, int32_t width, int32_t height, float* cornerX,
                          float* cornerZ) {
    *cornerX = static_cast<float>((static_cast<int32_t>(std::trunc(x + width)) / 2) * 2 - width);
    *cornerZ = static_cast<float>(height - (static_cast<int32_t>(std::trunc(height - z)) / 2) * 2);
}

void SnapToCellCentre(float x, float z, int32_t width, int32_t height, float* centreX,
                      float* centreZ) {
    SnapToGridCellCorner(x, z, width, height, centreX, centreZ);
    *centreX += 1.0f;
    *centreZ -= 1.0f;
    RoundPositionXZ(centreX, centreZ);
}

void RoundPositionXZ(float* x, float* z) {
    *x = std::round(*x);
    *z = std::round(*z);
}

void OffsetByDirection(float* x, float* z, float angle, float distance) {
    switch (static_cast<int32_t>(std::lround(angle))) {
        case 0:
            *x += distance;
            break;
        case 90:
            *z += distance;
            break;
        case 180:
            *x -= distance;
            break;
        case 270:
            *z -= distance;
            break;
        default:
            break;
    }
}

int8_t GetCollisionAt(float x, float z) {
    size_t index = 0;
    return CellIndexAt(x, z, &index) ? collisionLayer[index] : COLLISION_WALL;
}

int8_t GetCellAhead(float x, float z, float angle) {
    OffsetByDirection(&x, &z, angle, 2.0f);
    return GetCollisionAt(x, z);
}

void SetCollisionCell(float x, float z, int8_t value) {
    size_t index = 0;
    if (CellIndexAt(x, z, &index)) {
        collisionLayer[index] = value;
    }
}

uint8_t GetEventAt(float x, float z) {
    size_t index = 0;
    return CellIndexAt(x, z, &index) ? eventLayer[index] : 0;
}

int8_t GetTileAt(float x, float z) {
    size_t index = 0;
    return CellIndexAt(x, z, &index) ? tileLayer[index] : 0;
}

float GetAngleBetween(float x0, float z0, float x1, float z1) {
    const float dx = x1 - x0;
    const float dz = z1 - z0;
    float a = dx == 0.0f ? 1.570795f : std::atan(dz / dx);
    if (dx < 0.0f || (dx == 0.0f && dz <= 0.0f)) {
        a += 3.14159f;
    }
    return a * 180.0f / 3.14159f;
}

float GetGroundDistance(float ax, float az, float bx, float bz) {
    const float dx = bx - ax;
    const float dz = bz - az;
    return std::sqrt(dx * dx + dz * dz);
}
