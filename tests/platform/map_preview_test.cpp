// One frame of the demo's village (map 0) seen by the field camera, drawn by the OpenGL backend
// from the demo data through the map view, and written as previews/map0.png in the build tree
// for a person to look at; the test checks that the map, its area name and the money bar left
// their marks.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_view.h"
#include "render/camera.h"

#include "preview_support.h"

namespace {

TEST(MapPreviewTest, TheVillageShowsWithItsNameAndTheMoneyBar) {
    PreviewGame game;
    ASSERT_TRUE(game.Started());
    KillAllTasks();
    currentMap = 0;
    ASSERT_TRUE(ReadMapPack("mappack.dat"));
    const int32_t width = mapWidth;
    money = 2000;
    ASSERT_TRUE(CreateMapView());
    // The camera of a map: 20 units south of its target and 60 up, over the village square.
    ASSERT_TRUE(CreateFieldCamera(0.0f, 0.15f, 0.0f, 270.0f, 60.0f, 1000, CameraModeFixed));
    ASSERT_TRUE(RunMessageLoopOnce());  // the camera takes its place
    ASSERT_TRUE(RunMessageLoopOnce());
    std::vector<uint32_t> picture;
    ASSERT_TRUE(ReadPreviewPicture(&picture));
    ASSERT_EQ(width, 16);
    WritePreview("map0.png", picture);

    auto at = [&](int x, int y) { return PixelAt(picture, x, y); };
    auto lit = [&](int left, int top, int right, int bottom) {
        return CountPixels(picture, left, top, right, bottom, IsLit);
    };
    std::set<uint32_t> colours;
    for (uint32_t p : picture) {
        colours.insert(p & 0xFFFFFF);
    }
    EXPECT_GT(colours.size(), 200u) << "textured ground, walls and water, not a flat fill";
    EXPECT_GT(lit(160, 120, 480, 400), 320 * 280 * 9 / 10) << "the map fills the middle";
    const int bright = CountPixels(picture, 4, 2, 121, 22,
                                   [](uint32_t p) { return Red(p) > 200 && Green(p) > 200; });
    EXPECT_GT(bright, 60) << "the area name in the top left corner";
    EXPECT_GT(lit(560, 466, 600, 480), 40) << "the money's digits";
    const uint32_t bar = at(300, 470);
    EXPECT_LT((bar >> 16) & 0xFF, 0x90u) << "the dark bar across the bottom";
}

}  // namespace
