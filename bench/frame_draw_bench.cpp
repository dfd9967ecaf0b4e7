// The cost of drawing a busy frame (600 sprites and 30 models) on the recording backend: the
// game's own share of a frame, without a driver.
#include <benchmark/benchmark.h>

#include "data/atlas_images.h"
#include "engine/task_pool.h"
#include "menu/options.h"
#include "platform/headless/headless.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

namespace {

void BM_DrawBusyFrameRecorded(benchmark::State& state) {
    headless::Reset();
    InitOptions();
    CreateGraphicsDevice(60);
    MeshRecord model{};
    model.mesh = GfxCreateMesh(SphereGeometry(16, 1.0f, 0xFFFFFFFF));
    model.materialCount = 1;
    model.materials.resize(1);
    model.meshTextures.assign(1, nullptr);
    SetCamera(0, 0, 10, 0, 12, -14);
    for (auto _ : state) {
        headless::ClearDrawCalls();
        for (int m = 0; m < 30; ++m) {
            Mat4 world;
            float yaw = 12.0f * m;
            BuildWorldMatrix(&world, Vec3{-10.0f + 4.0f * (m % 6), 0, 4.0f * (m / 6)}, &yaw);
            DrawMesh(&model, world);
        }
        for (int i = 0; i < 600; ++i) {
            DrawSprite(static_cast<float>((i * 37) % 620), static_cast<float>((i * 53) % 460),
                       mediumDigitRects[i % 10], ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
        }
    }
    GfxDestroyMesh(model.mesh);
    GfxReleaseDevice();
}
BENCHMARK(BM_DrawBusyFrameRecorded)->Unit(benchmark::kMicrosecond);

}  // namespace
