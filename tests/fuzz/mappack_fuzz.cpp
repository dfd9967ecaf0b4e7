// Fuzzes the map pack reader: any file loads or is refused, a loaded map fits the layers with
// nothing written past it, and cell reads and writes anywhere stay inside the layers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void CheckLoadedMap() {
    const int64_t cells = static_cast<int64_t>(mapWidth) * mapHeight;
    Check(mapWidth >= 1 && mapHeight >= 1 && cells <= static_cast<int64_t>(MAP_LAYER_BYTES));
    Check(encounterInterval >= 0 && encounterStepsLeft == encounterInterval);
    Check(eventBlockCount >= 0 && eventBlockCount <= EVENT_BLOCK_COUNT);
    for (int64_t i = 0; i < cells; ++i) {
        Check(collisionLayer[i] == CollisionForTile(tileLayer[i]));
    }
    for (size_t i = static_cast<size_t>(cells); i < MAP_LAYER_BYTES; ++i) {
        Check(tileLayer[i] == 0 && eventLayer[i] == 0 && collisionLayer[i] == 0);
    }
    // Every edge looked past, and far away: reads answer, writes go nowhere off the map.
    const float w = static_cast<float>(mapWidth);
    const float h = static_cast<float>(mapHeight);
    const float probes[][2] = {{-w - 1.5f, 0}, {w + 0.5f, 0}, {0, h + 0.5f},  {0, -h - 0.5f},
                               {-w, h},        {w, -h},       {1e20f, -1e20f}};
    for (const auto& p : probes) {
        for (float angle : {0.0f, 90.0f, 180.0f, 270.0f}) {
            (void)GetCellAhead(p[0], p[1], angle);
        }
        (void)GetEventAt(p[0], p[1]);
        (void)GetTileAt(p[0], p[1]);
        SetCollisionCell(p[0], p[1], COLLISION_BLOCKED);
    }
    for (size_t i = static_cast<size_t>(cells); i < MAP_LAYER_BYTES; ++i) {
        Check(collisionLayer[i] == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        auto dir = std::filesystem::temp_directory_path() / "lirrowen-mappack-fuzz";
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        return AllocMapBuffers();
    }();
    if (!ready) {
        std::abort();
    }
    std::FILE* file = std::fopen("mappack.dat", "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    // The first map, the last, one the input chooses, and numbers outside the table.
    const int32_t chosen = size > 0 ? static_cast<int32_t>(data[size - 1] % 26) - 1 : 0;
    for (int32_t map : {0, 23, chosen}) {
        currentMap = map;
        if (ReadMapPack("mappack.dat")) {
            Check(map >= 0 && map < MAP_COUNT);
            CheckLoadedMap();
        } else {
            for (size_t i = 0; i < MAP_LAYER_BYTES; ++i) {
                Check(tileLayer[i] == 0 && eventLayer[i] == 0 && collisionLayer[i] == 0);
            }
        }
    }
    return 0;
}
