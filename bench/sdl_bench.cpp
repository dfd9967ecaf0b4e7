// Benchmarks on the real backend (SDL's offscreen video and silent audio drivers unless the
// environment chooses others), run in a folder holding the demo data (build/<config>/demo) or
// with that folder in LIRROWEN_DATA_DIR:
// - start-up work of the archive and sounds;
// - start-up to the first presented frame;
// - parsing the 39 models;
// - one frame of 600 sprites and 30 models through OpenGL.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "data/atlas_images.h"
#include "engine/data_archive.h"
#include "engine/program_shell.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "menu/options.h"
#include "platform/common/xfile.h"
#include "platform/system.h"
#include "render/camera.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

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

void BM_StartUpToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        if (!CreateMainWindow() || !RunMessageLoopOnce()) {
            state.SkipWithError("the game did not start");
            break;
        }
        state.PauseTiming();
        ShutDown();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ParseAllModels(benchmark::State& state) {
    if (!LoadDataArchive()) {
        state.SkipWithError("no data.dat");
        return;
    }
    for (auto _ : state) {
        for (int m = 0; m < MESH_COUNT; ++m) {
            uint32_t size = 0;
            const uint8_t* bytes = GetArchiveEntry(ARCHIVE_MESH_FIRST + m, &size);
            XMesh mesh;
            benchmark::DoNotOptimize(ParseXFile(bytes, size, &mesh));
        }
    }
    FreeDataArchive();
}
BENCHMARK(BM_ParseAllModels)->Unit(benchmark::kMillisecond);

void DrawBusyFrame(TaskSlot*) {
    for (int m = 0; m < 30; ++m) {
        Mat4 world;
        float yaw = 12.0f * m;
        BuildWorldMatrix(&world, Vec3{-10.0f + 4.0f * (m % 6), 0, 4.0f * (m / 6)}, &yaw);
        DrawMesh(&meshTable[m % MESH_COUNT], world);
    }
    for (int i = 0; i < 600; ++i) {
        DrawSprite(static_cast<float>((i * 37) % 620), static_cast<float>((i * 53) % 460),
                   mediumDigitRects[i % 10], ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    }
}

void BM_Frame600Sprites30Models(benchmark::State& state) {
    if (!CreateMainWindow()) {
        state.SkipWithError("the game did not start");
        return;
    }
    KillAllTasks();
    StartTask(AllocTaskAt(100), TASK_KIND_NPC, 0, nullptr, DrawBusyFrame);
    SetCamera(0, 0, 10, 0, 12, -14);
    for (auto _ : state) {
        RenderFrame();
    }
    ShutDown();
}
BENCHMARK(BM_Frame600Sprites30Models)->Unit(benchmark::kMillisecond);

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
