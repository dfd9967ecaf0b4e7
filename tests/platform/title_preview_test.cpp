// The title screen as the OpenGL backend draws it from the demo data: the game is started as a
// player starts it and runs two frames; the picture is written as a PNG into the build tree for
// a person to look at, and the test checks that the menu shows over the title picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/program_shell.h"
#include "engine/task_pool.h"

#include "preview_support.h"

namespace {

TEST(TitlePreviewTest, TheTitleShowsItsPictureAndItsMenu) {
    PreviewGame game;
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    ASSERT_TRUE(RunMessageLoopOnce());
    ASSERT_TRUE(RunMessageLoopOnce());
    std::vector<uint32_t> picture;
    ASSERT_TRUE(ReadPreviewPicture(&picture));
    WritePreview("title.png", picture);

    auto at = [&](int x, int y) { return PixelAt(picture, x, y); };
    auto count = [&](int left, int top, int right, int bottom, auto test) {
        return CountPixels(picture, left, top, right, bottom, test);
    };
    auto white = [](uint32_t p) { return IsLight(p, 200); };

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
    auto lit = [&](uint32_t p) { return !white(p) && Green(p) > 100 && Blue(p) > 160; };
    EXPECT_GT(count(138, 132, 319, 160, lit), 2000) << "the highlight on the first item";
    EXPECT_LT(count(321, 132, 502, 160, lit), 500) << "a highlight on the second item";
    // The logo: gold text across the top.
    auto gold = [&](uint32_t p) { return Red(p) > 200 && Green(p) > 180 && Blue(p) < 160; };
    EXPECT_GT(count(118, 4, 523, 130, gold), 2000) << "the logo";
}

}  // namespace
