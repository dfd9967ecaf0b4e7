// The graphics device: what a build leaves set, and release that may run any number of times.
#include <gtest/gtest.h>

#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/textures_and_meshes.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

TEST(GraphicsDeviceTest, BuildLeavesLightingOffDepthOnAndTheStartUpView) {
    TempDir dir;
    WriteTestDataSet(dir.Path());
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
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

TEST(GraphicsDeviceTest, ReleaseRunsAnyNumberOfTimes) {
    TempDir dir;
    WriteTestDataSet(dir.Path());
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
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
