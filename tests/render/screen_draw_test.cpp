// Screen drawing: pixel placement and rounding, panels, screen quads, the menu window's layout and
// the menu cursor's keys.
#include <gtest/gtest.h>

#include <cmath>

#include "data/atlas_images.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "support/render_fixture.h"

namespace {

class ScreenDrawTest : public RenderTest {};

TEST_F(ScreenDrawTest, SpriteIsRoundedThenShiftedHalfAPixel) {
    DrawSprite(10.5f, 20.4f, AtlasRect{0, 0, 16, 8}, 2048, 2048, COLOUR_WHITE, uiAtlas);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    const auto& v = draws[0].screen;
    EXPECT_EQ(draws[0].texture, uiAtlas);
    // Rounded to (11, 20), then -0.5: covers pixels 11..26 x 20..27.
    EXPECT_FLOAT_EQ(v[0].x, 10.5f);
    EXPECT_FLOAT_EQ(v[0].y, 19.5f);
    EXPECT_FLOAT_EQ(v[2].x, 26.5f);
    EXPECT_FLOAT_EQ(v[2].y, 27.5f);
    EXPECT_FLOAT_EQ(v[2].u, 16.0f / 2048.0f);
    EXPECT_FLOAT_EQ(v[2].v, 8.0f / 2048.0f);

    headless::ClearDrawCalls();
    EXPECT_EQ(DrawSpriteCentered(AtlasRect{0, 0, 101, 10}, 5, 2048, 2048, COLOUR_WHITE, uiAtlas),
              270.0f)
        << "(640 - 101) / 2 rounded";
    EXPECT_FLOAT_EQ(Draws()[0].screen[0].x, 269.5f);
}

TEST_F(ScreenDrawTest, RoundToPixelGoesHalfAwayFromZeroAndSurvivesNaN) {
    const float cases[][2] = {
        {2.5f, 3.0f}, {-2.5f, -3.0f}, {2.49f, 2.0f}, {-0.4f, 0.0f}, {1e30f, 1e30f}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToPixel(c[0]), c[1]) << c[0];
    }
    EXPECT_TRUE(std::isnan(RoundToPixel(std::nanf(""))));
}

TEST_F(ScreenDrawTest, PanelHasAnOpaqueAtlasFrameAndATintedInterior) {
    const AtlasRect source{100, 200, 164, 232};  // 64 x 32
    DrawPanel(10, 20, source, 2048, 2048, COLOUR_WINDOW, glyphAtlas);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(draws[i].texture, uiAtlas) << "edge " << i;
        EXPECT_EQ(draws[i].screen[0].colour, COLOUR_WHITE) << "edge " << i;
    }
    EXPECT_FLOAT_EQ(draws[1].screen[0].y, 20 + 30 - 0.5f) << "bottom edge at y + 30";
    EXPECT_FLOAT_EQ(draws[3].screen[0].x, 10 + 62 - 0.5f) << "right edge at x + 62";
    const auto& inside = draws[4];
    EXPECT_EQ(inside.texture, glyphAtlas);
    EXPECT_EQ(inside.screen[0].colour, COLOUR_WINDOW);
    EXPECT_FLOAT_EQ(inside.screen[2].x, 11.5f + 60.0f);
    EXPECT_FLOAT_EQ(inside.screen[0].u, 102.0f / 2048.0f);
    EXPECT_FLOAT_EQ(inside.screen[2].v, 230.0f / 2048.0f);
}

TEST_F(ScreenDrawTest, ScreenQuadTakesArbitraryCornersAndTexels) {
    const ScreenPoint corners[4] = {{10, 10}, {50, 20}, {40, 60}, {0, 50}};
    const ScreenPoint texels[4] = {{0, 0}, {64, 0}, {64, 32}, {0, 32}};
    DrawScreenQuad(corners, texels, 128, 64, 0xFF102030, uiAtlas);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    const auto& v = draws[0].screen;
    EXPECT_FLOAT_EQ(v[1].x, 49.5f);
    EXPECT_FLOAT_EQ(v[2].y, 59.5f);
    EXPECT_FLOAT_EQ(v[1].u, 0.5f);
    EXPECT_FLOAT_EQ(v[2].v, 0.5f);
}

TEST_F(ScreenDrawTest, NothingIsDrawnWithoutADevice) {
    GfxReleaseDevice();
    DrawSprite(0, 0, AtlasRect{0, 0, 8, 8}, 2048, 2048, COLOUR_WHITE, nullptr);
    DrawPanel(0, 0, AtlasRect{0, 0, 8, 8}, 2048, 2048, COLOUR_WHITE, nullptr);
    EXPECT_TRUE(Draws().empty());
}

TEST_F(ScreenDrawTest, MenuCursorMovesWrapsAndConfirmsOneActionPerFrame) {
    struct Case {
        std::initializer_list<int> keys;
        int start;
        int count;
        int cursor;
        int confirmed;
        uint32_t sound;
    };
    const Case cases[] = {
        {{KEY_DOWN}, 2, 3, 0, 0, 1},   {{KEY_UP}, 0, 3, 2, 0, 1},
        {{KEY_DOWN}, 0, 3, 1, 0, 1},   {{KEY_DOWN, KEY_RETURN}, 1, 3, 2, 0, 1},
        {{KEY_RETURN}, 1, 3, 1, 1, 1}, {{KEY_Z}, 2, 3, 2, 1, 1},
        {{KEY_ESCAPE}, 1, 3, 1, 0, 0}, {{}, 1, 3, 1, 0, 0},
        {{KEY_UP}, 0, 0, 0, 0, 0},     {{KEY_RETURN}, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        PollWith({});
        PollWith(c.keys);
        ClearSoundRequests();
        int cursor = c.start;
        EXPECT_EQ(MoveMenuCursor(&cursor, c.count), c.confirmed);
        EXPECT_EQ(cursor, c.cursor);
        EXPECT_EQ(soundRequests[SOUND_CURSOR].requested, c.sound);
    }
}

TEST_F(ScreenDrawTest, MenuWindowLaysOutTitleCursorAndLabels) {
    const AtlasRect frame{0, 720, 200, 870};  // 200 wide
    const AtlasRect title{0, 0, 51, 20};      // (200 - 51) / 2 = 74.5
    const AtlasRect labels[3] = {{0, 30, 40, 50}, {0, 60, 61, 80}, {0, 90, 100, 110}};
    const int ids[3] = {2, 0, 1};
    DrawMenuWindow(100, 50, 2, 3, COLOUR_WINDOW, frame, title, labels, ids);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 5u + 1 + 1 + 3);
    EXPECT_FLOAT_EQ(draws[5].screen[0].x, 175.0f - 0.5f) << "174.5 rounded after adding x";
    EXPECT_FLOAT_EQ(draws[5].screen[0].y, 56.0f - 0.5f);
    EXPECT_FLOAT_EQ(draws[6].screen[0].x, 108.0f - 0.5f) << "cursor";
    EXPECT_FLOAT_EQ(draws[6].screen[0].y, 139.0f - 0.5f);
    // Entry 0 shows label 2 (100 wide): centred at x + 50.
    EXPECT_FLOAT_EQ(draws[7].screen[0].x, 150.0f - 0.5f);
    EXPECT_FLOAT_EQ(draws[7].screen[0].v, 90.0f / 2048.0f);
    // Entry 1 shows label 0 (40 wide) one row down; entry 2 label 1 (61 wide: 69.5 -> 70).
    EXPECT_FLOAT_EQ(draws[8].screen[0].y, 50 + 35 + 27 - 0.5f);
    EXPECT_FLOAT_EQ(draws[9].screen[0].x, 170.0f - 0.5f);
    EXPECT_FLOAT_EQ(draws[9].screen[0].y, 139.0f - 0.5f);
}

}  // namespace
