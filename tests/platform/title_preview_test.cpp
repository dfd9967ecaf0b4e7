// The title screen as the OpenGL backend draws it from the demo data: the game is started as a
// player starts it and runs two frames; the picture is written as a PNG into the build tree for
// a person to look at, and the test checks that the menu shows over the title picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "datapack/demo_data.h"
#include "datapack/png_writer.h"
#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "support/fixtures.h"
#include "support/temp_dir.h"

namespace {

TEST(TitlePreviewTest, TheTitleShowsItsPictureAndItsMenu) {
    TempDir dir;
    WriteTestDataSet(dir.Path());
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    ASSERT_TRUE(PlatformInit());
    ASSERT_TRUE(CreateMainWindow());
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    ASSERT_TRUE(RunMessageLoopOnce());
    ASSERT_TRUE(RunMessageLoopOnce());
    std::vector<uint32_t> picture;
    ASSERT_TRUE(GfxReadPicture(&picture));
    ShutDown();
    PlatformShutdown();
    std::filesystem::current_path(previous);

    RgbaImage image;
    image.width = 640;
    image.height = 480;
    image.pixels = picture;
    std::filesystem::create_directories(LIRROWEN_PREVIEW_DIR);
    WriteBinaryFile(std::filesystem::path(LIRROWEN_PREVIEW_DIR) / "title.png", EncodePng(image));

    auto at = [&](int x, int y) { return picture[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF; };
    auto red = [](uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); };
    auto green = [](uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); };
    auto blue = [](uint32_t p) { return static_cast<int>(p & 0xFF); };
    auto count = [&](int left, int top, int right, int bottom, auto test) {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                n += test(at(x, y)) ? 1 : 0;
            }
        }
        return n;
    };
    auto white = [&](uint32_t p) { return red(p) > 200 && green(p) > 200 && blue(p) > 200; };

    // The title picture covers the screen: nothing is left black at its top corners.
    EXPECT_NE(at(5, 5), 0u);
    EXPECT_NE(at(634, 5), 0u);
    // The menu frame (136..504 x 130..222) has its light border.
    EXPECT_TRUE(white(at(137, 131))) << std::hex << at(137, 131);
    EXPECT_TRUE(white(at(502, 220))) << std::hex << at(502, 220);
    // Every item's label is light text inside its cell; the highlighted first cell is bluer
    // than the one beside it.
    const int cells[6][2] = {{138, 132}, {321, 132}, {138, 162},
                             {321, 162}, {138, 192}, {321, 192}};
    for (const auto& cell : cells) {
        EXPECT_GT(count(cell[0], cell[1], cell[0] + 181, cell[1] + 26, white), 150)
            << "label at " << cell[0] << "," << cell[1];
    }
    // The highlight lightens the dark window interior under the first item.
    auto lit = [&](uint32_t p) { return !white(p) && green(p) > 100 && blue(p) > 160; };
    EXPECT_GT(count(138, 132, 319, 160, lit), 2000) << "the highlight on the first item";
    EXPECT_LT(count(321, 132, 502, 160, lit), 500) << "a highlight on the second item";
    // The logo: gold text across the top.
    auto gold = [&](uint32_t p) { return red(p) > 200 && green(p) > 180 && blue(p) < 160; };
    EXPECT_GT(count(118, 4, 523, 130, gold), 2000) << "the logo";
}

}  // namespace
