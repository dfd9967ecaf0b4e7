// Number drawing: digit splitting, the three digit sets' layout and widths, sprites that report
// their width, and the fade overlay.
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

TEST_F(NumberDrawTest, DigitWidthsIncludeOnePixelAfterEachDigit) {
    EXPECT_EQ(DrawNumber(0, 0, 1), 6.0f);
    EXPECT_EQ(DrawNumber(0, 0, 10), 17.0f);
    EXPECT_EQ(DrawNumberLarge(0, 0, 0), 18.0f);
    EXPECT_EQ(DrawNumberSmall(0, 0, 2), 11.0f);
    headless::ClearDrawCalls();
    DrawNumberLarge(0, 0, 0);
    DrawNumberLarge(0, 0, 8);
    DrawNumber(0, 0, 5);
    DrawNumberSmall(0, 0, 0);
    auto d = Draws();
    ASSERT_EQ(d.size(), 4u);
    EXPECT_FLOAT_EQ(d[0].screen[2].y - d[0].screen[0].y, 21.0f) << "large 0 is 21 high";
    EXPECT_FLOAT_EQ(d[1].screen[2].y - d[1].screen[0].y, 20.0f);
    EXPECT_FLOAT_EQ(d[2].screen[2].y - d[2].screen[0].y, 17.0f);
    EXPECT_FLOAT_EQ(d[3].screen[2].y - d[3].screen[0].y, 12.0f);
    EXPECT_FLOAT_EQ(d[3].screen[0].u, 748.0f / 2048.0f) << "small 0 comes after the 9";
}

TEST_F(NumberDrawTest, DigitsAreLaidLeftToRightWithoutRounding) {
    float width = DrawNumber(10.25f, 3.75f, 42);
    auto d = Draws();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_FLOAT_EQ(d[0].screen[0].x, 10.25f - 0.5f);
    EXPECT_FLOAT_EQ(d[0].screen[0].y, 3.75f - 0.5f);
    EXPECT_FLOAT_EQ(d[1].screen[0].x, 10.25f + 11.0f - 0.5f) << "digit 4 is 10 wide, +1";
    EXPECT_FLOAT_EQ(d[1].screen[0].u, mediumDigitRects[2].left / 2048.0f);
    EXPECT_EQ(width, 22.0f);
    EXPECT_EQ(d[0].screen[0].colour, COLOUR_WHITE);
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

TEST_F(NumberDrawTest, FadeOverlayTilesTheScreenAtAClampedAlpha) {
    const struct {
        int alpha;
        uint32_t colour;
    } cases[] = {{0, 0x00FFFFFF},
                 {128, 0x80FFFFFF},
                 {255, 0xFFFFFFFF},
                 {300, 0xFFFFFFFF},
                 {-20, 0x00FFFFFF}};
    for (auto c : cases) {
        headless::ClearDrawCalls();
        DrawFadeOverlay(c.alpha);
        auto d = Draws();
        ASSERT_EQ(d.size(), 300u);
        EXPECT_EQ(d[150].screen[0].colour, c.colour) << c.alpha;
        EXPECT_FLOAT_EQ(d[0].screen[0].u, RECT_FADE_TILE.left / 2048.0f);
    }
}

}  // namespace
