// Writes the fuzzers' seed inputs, made with the data builder's writers:
// OUT/archive/* small archives, OUT/wave/* the demo's sounds.
#include <cstdio>
#include <filesystem>
#include <string>

#include "datapack/archive_writer.h"
#include "datapack/demo_data.h"
#include "datapack/wave_writer.h"
#include "engine/data_archive.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DEMO_SOURCE_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    std::filesystem::path out = argv[2];
    std::filesystem::create_directories(out / "archive");
    std::filesystem::create_directories(out / "wave");

    std::vector<Bytes> entries = BuildDemoArchiveEntries(argv[1]);
    for (int id = 0; id < 29; ++id) {
        WriteBinaryFile(out / "wave" / ("sound" + std::to_string(id) + ".wav"),
                        entries[ARCHIVE_SOUND_FIRST + id]);
    }
    WaveLayout stereo8{2, 8, 11025, 18};
    WriteBinaryFile(out / "wave" / "stereo8.wav", WriteWave(stereo8, Bytes(64, 0x80)));

    std::vector<Bytes> small(ARCHIVE_ENTRY_COUNT);
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; n += 17) {
        small[n] = Bytes(static_cast<size_t>(n % 5 + 1), static_cast<uint8_t>(n));
    }
    WriteBinaryFile(out / "archive" / "small.dat", WriteArchive(small));
    WriteBinaryFile(out / "archive" / "empty.dat", WriteArchive({}));
    return 0;
}
