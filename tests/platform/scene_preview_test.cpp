// One frame of a scene made of the drawing pieces (a menu window with its cursor, numbers of
// the three sizes, a lit model seen by the camera, a rising popup), drawn by the OpenGL
// backend from the demo data and written as a PNG into the build tree for a person to look at;
// the test checks each piece left its mark where it should.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/atlas_images.h"
#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "render/camera.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"
#include "render/world_popups.h"

#include "preview_support.h"

namespace {

void DrawScene(TaskSlot*) {
    // The model first: the 2D pieces lie over it at depth 0.
    Mat4 world;
    float yaw = 270;
    BuildWorldMatrix(&world, Vec3{0, 0, 0}, &yaw);
    DrawMesh(&meshTable[1], world);
    DrawPanel(20, 20, RECT_OPTIONS_PANEL, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW, uiAtlas);
    for (int row = 0; row < 5; ++row) {
        DrawSprite(100, 52 + 25.0f * row, optionLabelRects[row], ATLAS_SIZE, ATLAS_SIZE,
                   COLOUR_WHITE, uiAtlas);
        DrawSprite(400, 52 + 25.0f * row, optionValueRects[row][1], ATLAS_SIZE, ATLAS_SIZE,
                   COLOUR_WHITE, uiAtlas);
    }
    DrawSprite(80, 52 + 25.0f * 2, RECT_MENU_CURSOR, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    DrawNumberLarge(20, 400, 1234567);
    DrawNumber(220, 400, 89012);
    DrawNumberSmall(400, 400, 345);
}

TEST(ScenePreviewTest, EveryPieceShowsWhereItShould) {
    PreviewGame game;
    ASSERT_TRUE(game.Started());
    KillAllTasks();
    StartTask(AllocTaskAt(100), TASK_KIND_NPC, 0, nullptr, DrawScene);
    // A camera looking at the model from the front, 6 units away and slightly above.
    SetCamera(0, 1.2f, 0, 0, 2.0f, -6.0f);
    SpawnWorldPopup(Vec3{1.0f, 2.6f, 0}, largeDigitRects[7].left, largeDigitRects[7].top,
                    largeDigitRects[7].right, largeDigitRects[7].bottom);
    ASSERT_TRUE(RunMessageLoopOnce());  // the popup rises once
    ASSERT_TRUE(RunMessageLoopOnce());
    std::vector<uint32_t> picture;
    ASSERT_TRUE(ReadPreviewPicture(&picture));
    WritePreview("scene.png", picture);

    auto at = [&](int x, int y) { return PixelAt(picture, x, y); };
    auto countBright = [&](int left, int top, int right, int bottom) {
        return CountPixels(picture, left, top, right, bottom,
                           [](uint32_t p) { return IsLight(p, 200); });
    };
    EXPECT_NE(at(21, 100), 0u) << "the panel's frame";
    EXPECT_GT(countBright(20, 400, 170, 422), 50) << "large digits";
    EXPECT_GT(countBright(220, 400, 300, 418), 30) << "medium digits";
    EXPECT_GT(countBright(400, 400, 440, 413), 10) << "small digits";
    uint32_t cursor = at(84, 52 + 50 + 10);
    EXPECT_GT((cursor >> 16) & 0xFF, 200u) << "the yellow cursor";
    EXPECT_LT(cursor & 0xFF, 150u);
    int model = CountPixels(picture, 280, 270, 360, 390, IsLit);
    EXPECT_GT(model, 1000) << "the model below the panel";
}

}  // namespace
