// Fuzzes the event pack: any file loads or is refused, extraction stays inside its buffers,
// and the readers stay inside every block they are given.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "platform/headless/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        auto dir = std::filesystem::temp_directory_path() / "lirrowen-epack-fuzz";
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        headless::SetMessageEcho(false);
        return CreateTaskPool() && AllocMapBuffers();
    }();
    if (!ready || size < 2) {
        return 0;
    }
    currentMap = data[0] % MAP_COUNT;
    eventBlockCount = data[1] % 25;
    std::FILE* file = std::fopen("epack.dat", "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data + 2, 1, size - 2, file);
    std::fclose(file);
    if (LoadMapEvents("epack.dat") == 1) {
        for (uint32_t n = 1; n <= EVENT_BLOCK_COUNT; ++n) {
            const char* text = GetEventBlock(n);
            uint32_t cursor = 0;
            uint32_t list[EVENT_LIST_CODES] = {};
            char label[EVENT_LABEL_BYTES] = {};
            for (int i = 0; i < 50 && cursor < EVENT_BLOCK_SIZE; ++i) {
                ReadEventNumberList(list, &cursor, text);
                ReadEventLabel(label, &cursor, text);
                ReadEventNumber(&cursor, text);
            }
        }
    }
    // Loads record their message boxes: start clean each time.
    KillAllTasks();
    headless::Reset();
    headless::SetMessageEcho(false);
    return 0;
}
