// What the title-side flow tests share: the game started on the demo data in a scratch folder,
// keys pressed one frame at a time with the sounds each press started, and the recorded draws
// read back as sprites (where on the screen, which rectangle of which atlas).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/atlas_rect.h"
#include "platform/headless/headless.h"
#include "render/textures_and_meshes.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

// The voices started since the sound log was last cleared, as "play:<id>:<once|loop>".
inline std::vector<std::string> SoundPlays() {
    std::vector<std::string> plays;
    for (const std::string& entry : headless::SoundLog()) {
        if (entry.rfind("play:", 0) == 0) {
            plays.push_back(entry);
        }
    }
    return plays;
}

// Holds the key for one frame, then releases it for one frame. The voices the press frame
// started. The draws recorded afterwards are those of the release frame: the picture of what
// the press did.
inline std::vector<std::string> PressKey(GameHarness& game, int key) {
    headless::ClearSoundLog();
    game.Hold(key);
    game.Frame();
    std::vector<std::string> plays = SoundPlays();
    game.Release(key);
    game.Frame();
    return plays;
}

// Several presses, one after another; the sounds of the last.
inline std::vector<std::string> PressKeys(GameHarness& game, const std::vector<int>& keys) {
    std::vector<std::string> plays;
    for (int key : keys) {
        plays = PressKey(game, key);
    }
    return plays;
}

class MenuFlowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDataSet(dir.Path());
        game = std::make_unique<GameHarness>(dir.Path());
        ASSERT_TRUE(game->Start());
        ASSERT_TRUE(game->Frame());  // the title's first update
    }

    static std::vector<std::string> Plays() { return SoundPlays(); }
    std::vector<std::string> Press(int key) { return PressKey(*game, key); }
    std::vector<std::string> Press(const std::vector<int>& keys) { return PressKeys(*game, keys); }

    TempDir dir;
    std::unique_ptr<GameHarness> game;
};

// One recorded screen draw as the sprite it drew.
struct DrawnSprite {
    const GfxTexture* texture;
    AtlasRect screen;  // pixels covered
    AtlasRect source;  // texels of the atlas
    uint32_t colour;
};

inline DrawnSprite AsSprite(const headless::DrawRecord& record) {
    const float width = ATLAS_SIZE;
    const float height = record.texture == glyphAtlas ? GLYPH_ATLAS_HEIGHT : ATLAS_SIZE;
    const ScreenVertex* v = record.screen;
    return DrawnSprite{
        record.texture,
        {v[0].x + 0.5f, v[0].y + 0.5f, v[2].x + 0.5f, v[2].y + 0.5f},
        {v[0].u * width, v[0].v * height, v[2].u * width, v[2].v * height},
        v[0].colour,
    };
}

inline std::vector<DrawnSprite> DrawnSprites() {
    std::vector<DrawnSprite> sprites;
    for (const headless::DrawRecord& record : headless::DrawCalls()) {
        sprites.push_back(AsSprite(record));
    }
    return sprites;
}

// The whole source rectangle drawn untinted at its own size with its top-left corner at (x, y).
inline void ExpectSprite(const DrawnSprite& sprite, const GfxTexture* texture, float x, float y,
                         const AtlasRect& source, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(sprite.texture, texture);
    EXPECT_FLOAT_EQ(sprite.screen.left, x);
    EXPECT_FLOAT_EQ(sprite.screen.top, y);
    EXPECT_FLOAT_EQ(sprite.screen.right, x + RectWidth(source));
    EXPECT_FLOAT_EQ(sprite.screen.bottom, y + RectHeight(source));
    EXPECT_FLOAT_EQ(sprite.source.left, source.left);
    EXPECT_FLOAT_EQ(sprite.source.top, source.top);
    EXPECT_FLOAT_EQ(sprite.source.right, source.right);
    EXPECT_FLOAT_EQ(sprite.source.bottom, source.bottom);
    EXPECT_EQ(sprite.colour, 0xFFFFFFFFu);
}
