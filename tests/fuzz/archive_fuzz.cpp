// Fuzzes the data archive: any file loads or is refused, and every lookup stays inside it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "engine/data_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool inScratch = [] {
        auto dir = std::filesystem::temp_directory_path() / "lirrowen-archive-fuzz";
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        return true;
    }();
    (void)inScratch;
    std::FILE* file = std::fopen("data.dat", "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    if (LoadDataArchive()) {
        unsigned sum = 0;
        for (int n = -2; n < ARCHIVE_ENTRY_COUNT + 2; ++n) {
            uint32_t entrySize = 0;
            const uint8_t* entry = GetArchiveEntry(n, &entrySize);
            if (entry != nullptr && entrySize != 0) {
                sum += entry[0] + entry[entrySize - 1];
            }
        }
        FreeDataArchive();
        return static_cast<int>(sum & 0);
    }
    return 0;
}
