// 2D drawing: textured rectangles cut from atlases and drawn at pixel positions on the
// 640 x 480 screen (sprites, window panels, tiled backgrounds), and the standard vertical menu
// window with the key handling that moves its cursor.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
#include "platform/graphics.h"

constexpr uint32_t COLOUR_WHITE = 0xFFFFFFFF;
// Window interiors are drawn at alpha 100 of 255.
constexpr uint32_t COLOUR_WINDOW = 0x64FFFFFF;

struct ScreenPoint {
    float x;
    float y;
};

void SetRectF(AtlasRect* out, float left, float top, float right, float bottom);
// The primitive of all 2D drawing: source texels onto destination pixels.
void DrawScreenRect(const AtlasRect& destination, const AtlasRect& source, float textureWidth,
                    float textureHeight, uint32_t argb, const GfxTexture* texture);
// Four arbitrary corners in fan order, each with its texel point.
void DrawScreenQuad(const ScreenPoint (&corners)[4], const ScreenPoint (&texels)[4],
                    float textureWidth, float textureHeight, uint32_t argb,
                    const GfxTexture* texture);
// The nearest whole number, halves away from zero. NaN and huge values come back unharmed.
float RoundToPixel(float v);
float CenteredX(float width);
void DrawSprite(float x, float y, const AtlasRect& source, float textureWidth, float textureHeight,
                uint32_t argb, const GfxTexture* texture);
float DrawSpriteCentered(const AtlasRect& source, float y, float textureWidth, float textureHeight,
                         uint32_t argb, const GfxTexture* texture);
void DrawPanel(float x, float y, const AtlasRect& source, float textureWidth, float textureHeight,
               uint32_t argb, const GfxTexture* texture);
float DrawPanelCentered(float y, const AtlasRect& source, float textureWidth, float textureHeight,
                        uint32_t argb, const GfxTexture* texture);
void DrawTiledBackground(float left, float top, float right, float bottom);
void DrawTiledBackgroundAlpha(float left, float top, float right, float bottom, uint32_t alpha);
void SetDepthTest(int on);
// value stepped past either end of 0..count-1 to the other end; 0 when there is nothing to
// choose (a party of none never puts a cursor at -1).
int32_t WrapIndex(int32_t value, int32_t count);
// The keys of a paged grid of cells: Right past the last column goes to the first column of the
// next page, Left before the first stays on column 0 of the page before, Down and Up wrap the
// rows. 1 when confirmed, -1 when escaped, else 0; a move, a confirm or an escape requests the
// cursor sound.
int MovePagedGridCursor(int32_t* column, int32_t* row, int32_t* page, int32_t columns, int32_t rows,
                        int32_t pageCount);
// Moves the cursor with Down and Up (wrapping) or confirms with Return or Z: 1 when confirmed
// this frame. With fewer than one entry the cursor stays at 0.
int MoveMenuCursor(int* cursor, int count);
// The standard menu window: panel, centred title, cursor and one label per entry; entry i
// shows labelRects[ids[i]].
void DrawMenuWindow(float x, float y, int cursorRow, int count, uint32_t argb,
                    const AtlasRect& frameRect, const AtlasRect& titleRect,
                    const AtlasRect* labelRects, const int* ids);
