// The graphics device: the settings it is made with, what a build leaves set, and release that
// may run any number of times.
#include <gtest/gtest.h>

#include "menu/options.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/textures_and_meshes.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

class GraphicsDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDataSet(dir.Path());
        ASSERT_TRUE(game.Start());
    }

    TempDir dir;
    GameHarness game{dir.Path()};
};

TEST_F(GraphicsDeviceTest, DisplayOptionsReachTheDeviceSettings) {
    const auto expect = [](const DeviceSettings& got, bool windowed, bool vsync, bool depth24) {
        EXPECT_EQ(got.windowed, windowed);
        EXPECT_EQ(got.vsync, vsync) << "wait for the retrace, else present at once";
        EXPECT_EQ(got.depth24, depth24) << "24-bit depth, else 16-bit";
        EXPECT_EQ(got.refreshRate, windowed ? 0 : 60) << "the first try's rate, full screen only";
    };
    ASSERT_EQ(headless::DeviceAttempts().size(), 1u);
    expect(headless::DeviceAttempts()[0], true, true, true);  // the start-up defaults

    // Windowed only when exactly 1; vsync and depth whenever non-zero.
    const struct {
        uint32_t windowed, vsync, depth24;
        bool expectWindowed, expectVsync, expectDepth24;
    } rows[] = {{1, 0, 0, true, false, false},
                {1, 1, 0, true, true, false},
                {1, 0, 1, true, false, true},
                {0, 2, 2, false, true, true},
                {2, 0, 0, false, false, false}};
    for (const auto& row : rows) {
        options.optionWindowed = row.windowed;
        options.optionVsync = row.vsync;
        options.optionDepth24 = row.depth24;
        ReleaseGraphics();
        ASSERT_TRUE(InitGraphics());
        SCOPED_TRACE(testing::Message() << row.windowed << row.vsync << row.depth24);
        expect(headless::DeviceAttempts().back(), row.expectWindowed, row.expectVsync,
               row.expectDepth24);
    }
}

TEST_F(GraphicsDeviceTest, BuildLeavesLightingOffDepthOnAndTheStartUpView) {
    EXPECT_FALSE(headless::Lighting());
    EXPECT_TRUE(headless::DepthTest());
    const Mat4 expected = MatrixLookAtLH(Vec3{0, 100, 0.1f}, Vec3{0, 100, 0}, Vec3{0, 1, 0});
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(viewTransform.m[r][c], expected.m[r][c]);
            EXPECT_FLOAT_EQ(headless::Transform(GfxTransform::View).m[r][c], expected.m[r][c]);
        }
    }
    EXPECT_FLOAT_EQ(projectionTransform.m[2][3], 1.0f);
    EXPECT_EQ(viewport.width, 640.0f);
    EXPECT_EQ(viewport.maxZ, 1.0f);

    // A camera moved during play is put back by a rebuild.
    SetCamera(5, 0, 5, 5, 10, -10);
    headless::LoseDeviceAtNextPresent();
    game.Frame();
    EXPECT_FLOAT_EQ(viewTransform.m[3][1], expected.m[3][1]);
}

TEST_F(GraphicsDeviceTest, ReleaseRunsAnyNumberOfTimes) {
    ReleaseGraphics();
    EXPECT_FALSE(GraphicsDeviceExists());
    EXPECT_EQ(uiAtlas, nullptr);
    EXPECT_EQ(meshTable[3].mesh, nullptr);
    EXPECT_EQ(primitiveMeshes[PRIMITIVE_TORUS].mesh, nullptr);
    headless::ClearCallLog();
    ReleaseGraphics();
    EXPECT_TRUE(headless::CallLog().empty());
    EXPECT_EQ(headless::LiveTextures(), 0u);
}

}  // namespace
