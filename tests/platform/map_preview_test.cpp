// One frame of the demo's village (map 0) seen by the field camera, drawn by the OpenGL backend
// from the demo data through the map view, and written as previews/map0.png in the build tree
// for a person to look at; the test checks that the map, its area name and the money bar left
// their marks.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <vector>

#include "datapack/demo_data.h"
#include "datapack/png_writer.h"
#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_view.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "render/camera.h"
#include "support/fixtures.h"
#include "support/temp_dir.h"

namespace {

TEST(MapPreviewTest, TheVillageShowsWithItsNameAndTheMoneyBar) {
    TempDir dir;
    WriteTestDataSet(dir.Path());
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    ASSERT_TRUE(PlatformInit());
    ASSERT_TRUE(CreateMainWindow());
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
    ASSERT_TRUE(GfxReadPicture(&picture));
    ShutDown();
    PlatformShutdown();
    std::filesystem::current_path(previous);
    ASSERT_EQ(width, 16);

    RgbaImage image;
    image.width = 640;
    image.height = 480;
    image.pixels = picture;
    std::filesystem::create_directories(LIRROWEN_PREVIEW_DIR);
    WriteBinaryFile(std::filesystem::path(LIRROWEN_PREVIEW_DIR) / "map0.png", EncodePng(image));

    auto at = [&](int x, int y) { return picture[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF; };
    auto lit = [&](int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                n += at(x, y) != 0 ? 1 : 0;
            }
        }
        return n;
    };
    std::set<uint32_t> colours;
    for (uint32_t p : picture) {
        colours.insert(p & 0xFFFFFF);
    }
    EXPECT_GT(colours.size(), 200u) << "textured ground, walls and water, not a flat fill";
    EXPECT_GT(lit(160, 120, 480, 400), 320 * 280 * 9 / 10) << "the map fills the middle";
    int bright = 0;
    for (int y = 2; y < 22; ++y) {
        for (int x = 4; x < 121; ++x) {
            const uint32_t p = at(x, y);
            bright += ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(bright, 60) << "the area name in the top left corner";
    EXPECT_GT(lit(560, 466, 600, 480), 40) << "the money's digits";
    const uint32_t bar = at(300, 470);
    EXPECT_LT((bar >> 16) & 0xFF, 0x90u) << "the dark bar across the bottom";
}

}  // namespace
