// The OpenGL backend pixel by pixel on SDL's offscreen driver: sprites land texel on pixel,
// pure green is transparent, blending, emissive lighting, and 2D at depth 0 hiding 3D drawn
// after it.
#include <gtest/gtest.h>

#include <vector>

#include "menu/options.h"
#include "platform/common/image.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "platform/window.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/world_draw.h"

namespace {

class GlPixelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(PlatformInit()) << PlatformLastError();
        WindowDesc desc{"Lirrowen", "VORNHALT", 640, 480, 0, 0};
        ASSERT_TRUE(PlatformCreateWindow(desc));
        InitOptions();
        ASSERT_TRUE(CreateGraphicsDevice(60));
        SetDefaultViewport();
        SetWorldTransform(MatrixIdentity());
        SetCamera(0, 0, 0, 0, 0, -10);
        GfxSetDepthTest(true);
    }
    void TearDown() override {
        for (GfxTexture* t : made) {
            GfxDestroyTexture(t);
        }
        GfxReleaseDevice();
        PlatformDestroyWindow();
        PlatformShutdown();
    }

    GfxTexture* Texture(int width, int height, const std::vector<uint32_t>& pixels) {
        RgbaImage image;
        image.width = width;
        image.height = height;
        image.pixels = pixels;
        GfxTexture* t = GfxCreateTexture(PrepareTextureImage(image));
        made.push_back(t);
        return t;
    }

    // Draws one frame with the given drawing and returns its picture.
    template <typename Draw>
    std::vector<uint32_t> Frame(Draw draw) {
        GfxBeginFrame(0xFF000000, 1.0f);
        draw();
        EXPECT_EQ(GfxEndFrame(), PresentResult::Ok);
        std::vector<uint32_t> picture;
        EXPECT_TRUE(GfxReadPicture(&picture));
        return picture;
    }

    static uint32_t At(const std::vector<uint32_t>& picture, int x, int y) {
        return picture[static_cast<size_t>(y) * 640 + x] | 0xFF000000u;
    }

    std::vector<GfxTexture*> made;
};

TEST_F(GlPixelTest, OnePixelCheckerLandsTexelOnPixel) {
    std::vector<uint32_t> checker(8 * 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            checker[y * 8 + x] = ((x + y) % 2 == 0) ? 0xFFFFFFFF : 0xFF000000;
        }
    }
    GfxTexture* t = Texture(8, 8, checker);
    auto picture = Frame([&] {
        DrawSprite(100, 50, AtlasRect{0, 0, 8, 8}, 8, 8, COLOUR_WHITE, t);
    });
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(At(picture, 100 + x, 50 + y), checker[y * 8 + x]) << x << "," << y;
        }
    }
    EXPECT_EQ(At(picture, 99, 50), 0xFF000000u);
    EXPECT_EQ(At(picture, 108, 50), 0xFF000000u) << "nothing beyond the sprite";
    EXPECT_EQ(At(picture, 100, 58), 0xFF000000u);
}

TEST_F(GlPixelTest, TheImageTopRowIsTheTextureTop) {
    std::vector<uint32_t> rows = {0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF};
    GfxTexture* t = Texture(2, 2, rows);
    auto picture = Frame([&] { DrawSprite(10, 10, AtlasRect{0, 0, 2, 2}, 2, 2, COLOUR_WHITE, t); });
    EXPECT_EQ(At(picture, 10, 10), 0xFFFF0000u);
    EXPECT_EQ(At(picture, 11, 11), 0xFF0000FFu);
}

TEST_F(GlPixelTest, PureGreenIsTransparentAndNearGreenIsNot) {
    GfxTexture* red = Texture(1, 1, {0xFFFF0000});
    GfxTexture* keyed = Texture(2, 1, {0xFF00FF00, 0xFF00FE00});
    auto picture = Frame([&] {
        DrawScreenRect(AtlasRect{0, 0, 64, 64}, AtlasRect{0, 0, 1, 1}, 1, 1, COLOUR_WHITE, red);
        DrawSprite(20, 20, AtlasRect{0, 0, 2, 1}, 2, 1, COLOUR_WHITE, keyed);
    });
    EXPECT_EQ(At(picture, 20, 20), 0xFFFF0000u) << "keyed pixel shows what lies below";
    EXPECT_EQ(At(picture, 21, 20), 0xFF00FE00u);
}

TEST_F(GlPixelTest, VertexAlphaBlendsOverWhatIsBelow) {
    GfxTexture* white = Texture(1, 1, {0xFFFFFFFF});
    GfxTexture* black = Texture(1, 1, {0xFF000000});
    auto picture = Frame([&] {
        GfxSetDepthTest(false);
        DrawScreenRect(AtlasRect{0, 0, 100, 100}, AtlasRect{0, 0, 1, 1}, 1, 1, COLOUR_WHITE, white);
        DrawScreenRect(AtlasRect{0, 0, 50, 50}, AtlasRect{0, 0, 1, 1}, 1, 1, 0x80FFFFFF, black);
        DrawScreenRect(AtlasRect{60, 0, 100, 50}, AtlasRect{0, 0, 1, 1}, 1, 1, 0xFF00FF00, white);
        GfxSetDepthTest(true);
    });
    uint32_t grey = At(picture, 25, 25) & 0xFF;
    EXPECT_NEAR(static_cast<int>(grey), 127, 2);
    EXPECT_EQ(At(picture, 75, 25), 0xFF00FF00u) << "texture times vertex colour";
    EXPECT_EQ(At(picture, 75, 75), 0xFFFFFFFFu);
}

TEST_F(GlPixelTest, LitMeshShowsItsEmissiveColourOnly) {
    MeshData quad;
    quad.positions = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    quad.colours.assign(4, 0xFF00FF00);  // ignored when lit, except for alpha
    quad.subsets = {{0, 1, 2, 0, 2, 3}};
    MeshRecord record{};
    record.mesh = GfxCreateMesh(quad);
    record.materialCount = 1;
    record.materials.resize(1);
    record.materials[0].diffuse[3] = 0.2f;
    record.materials[0].emissive[0] = 1.0f;
    record.materials[0].emissive[2] = 0.5f;
    record.meshTextures = {nullptr};
    auto picture = Frame([&] { DrawMesh(&record, MatrixIdentity()); });
    EXPECT_EQ(At(picture, 320, 240), 0xFFFF0080u);
    EXPECT_EQ(At(picture, 5, 5), 0xFF000000u);
    GfxDestroyMesh(record.mesh);
}

TEST_F(GlPixelTest, ScreenDrawingAtDepthZeroHidesWorldDrawnLater) {
    GfxTexture* white = Texture(1, 1, {0xFFFFFFFF});
    GfxTexture* clear = Texture(1, 1, {0xFF00FF00});
    WorldVertex wall[4];
    SetWorldVertex(&wall[0], -5, -5, 0, 0, 0);
    SetWorldVertex(&wall[1], 5, -5, 0, 1, 0);
    SetWorldVertex(&wall[2], 5, 5, 0, 1, 1);
    SetWorldVertex(&wall[3], -5, 5, 0, 0, 1);
    auto picture = Frame([&] {
        DrawScreenRect(AtlasRect{300, 220, 340, 260}, AtlasRect{0, 0, 1, 1}, 1, 1, 0xFF0000FF,
                       white);
        // A fully transparent sprite still writes its depth.
        DrawScreenRect(AtlasRect{0, 0, 40, 40}, AtlasRect{0, 0, 1, 1}, 1, 1, COLOUR_WHITE, clear);
        SetWorldTransform(MatrixIdentity());
        DrawWorldQuad(wall, 0xFFFF0000, white);
    });
    EXPECT_EQ(At(picture, 320, 240), 0xFF0000FFu) << "the sprite stays on top";
    EXPECT_EQ(At(picture, 250, 240), 0xFFFF0000u) << "the wall shows beside it";
    EXPECT_EQ(At(picture, 20, 20), 0xFF000000u) << "depth written under transparent texels";
}

}  // namespace
