// Number drawing: digit splitting, each digit set laid out left to right with one pixel after
// each digit, sprites that report their width, and the fade overlay.
#include <gtest/gtest.h>

#include <vector>

#include "data/atlas_images.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "support/render_fixture.h"

namespace {

class NumberDrawTest : public RenderTest {};

std::vector<int> Split(int32_t n) {
    int digits[DIGITS_MAX] = {};
    int count = SplitDigits(n, digits);
    return std::vector<int>(digits, digits + count);
}

TEST_F(NumberDrawTest, SplitDigitsCoversZeroToSevenDigitsOnly) {
    EXPECT_EQ(Split(0), (std::vector<int>{0}));
    EXPECT_EQ(Split(9999999), (std::vector<int>(7, 9)));
    EXPECT_EQ(Split(1020304), (std::vector<int>{1, 0, 2, 0, 3, 0, 4}));
    EXPECT_TRUE(Split(10000000).empty());
    EXPECT_TRUE(Split(-5).empty());
    EXPECT_TRUE(Split(INT32_MIN).empty());
}

TEST_F(NumberDrawTest, EachSetLaysItsDigitsLeftToRightWithoutRounding) {
    using Draw = float (*)(float, float, int32_t);
    const struct {
        Draw draw;
        const AtlasRect* set;
    } cases[] = {{DrawNumberLarge, largeDigitRects},
                 {DrawNumber, mediumDigitRects},
                 {DrawNumberSmall, smallDigitRects}};
    for (const auto& c : cases) {
        headless::ClearDrawCalls();
        const float first = RectWidth(c.set[4]);
        EXPECT_EQ(c.draw(10.25f, 3.75f, 42), first + RectWidth(c.set[2]) + 2.0f);
        auto d = Draws();
        ASSERT_EQ(d.size(), 2u);
        EXPECT_FLOAT_EQ(d[0].screen[0].x, 10.25f - 0.5f);
        EXPECT_FLOAT_EQ(d[0].screen[0].y, 3.75f - 0.5f);
        EXPECT_FLOAT_EQ(d[0].screen[2].y - d[0].screen[0].y, RectHeight(c.set[4]));
        EXPECT_FLOAT_EQ(d[1].screen[0].x, 10.25f + first + 1.0f - 0.5f);
        EXPECT_FLOAT_EQ(d[1].screen[0].u, c.set[2].left / 2048.0f);
        EXPECT_EQ(d[1].screen[0].colour, COLOUR_WHITE);
    }
    headless::ClearDrawCalls();
    DrawNumberTinted(0, 0, 7, 0xFF00FF00);
    EXPECT_EQ(Draws().at(0).screen[0].colour, 0xFF00FF00u);
}

TEST_F(NumberDrawTest, NumbersOutsideTheRangeDrawNothing) {
    EXPECT_EQ(DrawNumber(0, 0, -1), 0.0f);
    EXPECT_EQ(DrawNumberLarge(0, 0, 10000000), 0.0f);
    EXPECT_TRUE(Draws().empty());
}

TEST_F(NumberDrawTest, SpritesReportWidthAndAdvanceWithoutRounding) {
    const AtlasRect r{100, 100, 130, 120};
    EXPECT_EQ(DrawSpriteReturnWidth(5.5f, 6.5f, r, 2048, 2048, COLOUR_WHITE, uiAtlas), 30.0f);
    EXPECT_EQ(DrawSpriteAdvance(5.5f, 6.5f, r, 2048, 2048, COLOUR_WHITE, uiAtlas), 35.5f);
    EXPECT_FLOAT_EQ(Draws()[0].screen[0].x, 5.0f);
}

TEST_F(NumberDrawTest, FadeOverlayTilesTheWholeScreenAtAClampedAlpha) {
    const struct {
        int alpha;
        uint32_t colour;
    } cases[] = {{0, 0x00FFFFFF}, {128, 0x80FFFFFF}, {300, 0xFFFFFFFF}, {-20, 0x00FFFFFF}};
    for (auto c : cases) {
        headless::ClearDrawCalls();
        DrawFadeOverlay(c.alpha);
        auto d = Draws();
        ASSERT_EQ(d.size(), 300u);
        EXPECT_EQ(d[150].screen[0].colour, c.colour) << c.alpha;
        EXPECT_FLOAT_EQ(d[0].screen[0].u, RECT_FADE_TILE.left / 2048.0f);
    }
    auto d = Draws();  // 32-pixel tiles in rows of 20
    EXPECT_FLOAT_EQ(d[0].screen[0].x, -0.5f);
    EXPECT_FLOAT_EQ(d[20].screen[0].y, 31.5f);
    EXPECT_FLOAT_EQ(d[299].screen[2].x, 639.5f);
    EXPECT_FLOAT_EQ(d[299].screen[2].y, 479.5f);
}

}  // namespace
