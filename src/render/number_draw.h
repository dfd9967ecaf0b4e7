// Numbers drawn digit by digit from the three digit sets of the interface atlas, images that
// report their width for laying out rows, and the full-screen fade overlay.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
#include "platform/graphics.h"

constexpr int DIGITS_MAX = 7;

// The decimal digits of n, most significant first: 1 to 7 of them, or none (0) for a negative
// number or one of more than seven digits.
int SplitDigits(int32_t n, int* digits);
// Draws n left to right from x with the set's rectangles scaled, top edge at y, one pixel
// between digits, positions not rounded. The width drawn including one pixel after the last
// digit; 0 and nothing drawn for a number outside 0..9,999,999.
float DrawDigitSprites(float x, float y, int32_t n, float scale, const AtlasRect* set);
float DrawDigitSpritesTinted(float x, float y, int32_t n, uint32_t colour, const AtlasRect* set);
float DrawNumberLarge(float x, float y, int32_t n);
float DrawNumber(float x, float y, int32_t n);
float DrawNumberSmall(float x, float y, int32_t n);
float DrawNumberTinted(float x, float y, int32_t n, uint32_t colour);
// Draws the rectangle at its own size at exactly (x, y) and returns its width.
float DrawSpriteReturnWidth(float x, float y, const AtlasRect& rect, float textureWidth,
                            float textureHeight, uint32_t colour, const GfxTexture* texture);
// The same, returning x plus the width: where the next image starts.
float DrawSpriteAdvance(float x, float y, const AtlasRect& rect, float textureWidth,
                        float textureHeight, uint32_t colour, const GfxTexture* texture);
// Covers the screen with the fade tile at that alpha (0..255; other values are clamped).
void DrawFadeOverlay(int alpha);
