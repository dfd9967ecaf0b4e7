// Start-up work on the real backend: reading and indexing the archive, and parsing and
// converting the 29 sounds. Run in a folder holding the demo data (build/<config>/demo), or
// give that folder as LIRROWEN_DATA_DIR; SDL's silent audio driver is used unless the
// environment chooses another.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "engine/data_archive.h"
#include "engine/sound.h"
#include "menu/options.h"
#include "platform/system.h"

namespace {

void BM_LoadArchiveAndSounds(benchmark::State& state) {
    InitOptions();
    for (auto _ : state) {
        if (!LoadDataArchive() || !InitSound()) {
            state.SkipWithError("the demo data did not load");
            break;
        }
        // Closing the device waits for SDL's audio thread; that is shut-down, not start-up.
        state.PauseTiming();
        ReleaseSound();
        FreeDataArchive();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadArchiveAndSounds)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (const char* dir = std::getenv("LIRROWEN_DATA_DIR")) {
        std::filesystem::current_path(dir);
    }
    if (!PlatformInit()) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PlatformShutdown();
    return 0;
}
