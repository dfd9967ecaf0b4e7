// The drawing test fixture.
#include "support/render_fixture.h"

#include "engine/keyboard.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "menu/options.h"
#include "platform/window.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/textures_and_meshes.h"
#include "support/harness.h"

void RenderTest::SetUp() {
    headless::Reset();
    InitOptions();
    InitKeys();
    ClearSoundRequests();
    ASSERT_TRUE(CreateTaskPool());
    ASSERT_TRUE(CreateGraphicsDevice(60));
    RgbaImage stand;
    stand.width = 4;
    stand.height = 4;
    stand.pixels.assign(16, 0xFFFFFFFF);
    uiAtlas = GfxCreateTexture(stand);
    glyphAtlas = GfxCreateTexture(stand);
    SetDefaultViewport();
    SetWorldTransform(MatrixIdentity());
    SetCamera(0.0f, 100.0f, 0.0f, 0.0f, 100.0f, 0.1f);
    headless::ClearDrawCalls();
}

void RenderTest::TearDown() {
    ReleaseGraphics();
    DestroyTaskPool();
}

std::vector<headless::DrawRecord> RenderTest::Draws() {
    return headless::DrawCalls();
}

void RenderTest::PollWith(std::initializer_list<int> heldKeys) {
    headless::ReleaseAllKeys();
    for (int key : heldKeys) {
        headless::SetKey(KeySlotCode(key), true);
    }
    PlatformPumpEvents();
    PollKeys();
}
