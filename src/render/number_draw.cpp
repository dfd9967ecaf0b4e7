// Number drawing and fade overlay.
#include "render/number_draw.h"

#include <algorithm>

#include "data/atlas_images.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

int SplitDigits(int32_t n, int* digits) {
    if (n < 0) {
        return 0;
    }
    int count = 1;
    for (int32_t rest = n / 10; rest != 0; rest /= 10) {
        count += 1;
    }
    if (count > DIGITS_MAX) {
        return 0;
    }
    for (int i = count - 1; i >= 0; --i) {
        digits[i] = n % 10;
        n /= 10;
    }
    return count;
}

namespace {

float DrawDigits(float x, float y, int32_t n, float scale, uint32_t colour, const AtlasRect* set) {
    int digits[DIGITS_MAX];
    int count = SplitDigits(n, digits);
    float width = 0.0f;
    for (int i = 0; i < count; ++i) {
        const AtlasRect& source = set[digits[i]];
        float w = RectWidth(source) * scale;
        float h = RectHeight(source) * scale;
        DrawScreenRect(AtlasRect{x + width, y, x + width + w, y + h}, source, ATLAS_SIZE,
                       ATLAS_SIZE, colour, uiAtlas);
        width += w + 1.0f;
    }
    return width;
}

}  // namespace

float DrawDigitSpritesTinted(float x, float y, int32_t n, uint32_t colour, const AtlasRect* set) {
    return DrawDigits(x, y, n, 1.0f, colour, set);
}

float DrawDigitSprites(float x, float y, int32_t n, float scale, const AtlasRect* set) {
    return DrawDigits(x, y, n, scale, COLOUR_WHITE, set);
}

float DrawNumberLarge(float x, float y, int32_t n) {
    return DrawDigitSprites(x, y, n, 1.0f, largeDigitRects);
}

float DrawNumber(float x, float y, int32_t n) {
    return DrawDigitSprites(x, y, n, 1.0f, mediumDigitRects);
}

float DrawNumberSmall(float x, float y, int32_t n) {
    return DrawDigitSprites(x, y, n, 1.0f, smallDigitRects);
}

float DrawNumberTinted(float x, float y, int32_t n, uint32_t colour) {
    return DrawDigitSpritesTinted(x, y, n, colour, mediumDigitRects);
}

float DrawSpriteReturnWidth(float x, float y, const AtlasRect& rect, float textureWidth,
                            float textureHeight, uint32_t colour, const GfxTexture* texture) {
    DrawScreenRect(AtlasRect{x, y, x + RectWidth(rect), y + RectHeight(rect)}, rect, textureWidth,
                   textureHeight, colour, texture);
    return RectWidth(rect);
}

float DrawSpriteAdvance(float x, float y, const AtlasRect& rect, float textureWidth,
                        float textureHeight, uint32_t colour, const GfxTexture* texture) {
    return x + DrawSpriteReturnWidth(x, y, rect, textureWidth, textureHeight, colour, texture);
}

void DrawFadeOverlay(int alpha) {
    DrawTiledBackgroundAlpha(RECT_FADE_TILE.left, RECT_FADE_TILE.top, RECT_FADE_TILE.right,
                             RECT_FADE_TILE.bottom,
                             static_cast<uint32_t>(std::clamp(alpha, 0, 255)));
}
