// Screen drawing and menu windows.
#include "render/screen_draw.h"

#include <cassert>
#include <cmath>

#include "data/atlas_images.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "render/graphics_device.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float MENU_FIRST_ROW = 35.0f;
constexpr float MENU_ROW_STEP = 27.0f;

ScreenVertex MakeVertex(float x, float y, uint32_t argb, float u, float v) {
    return ScreenVertex{x, y, 0.0f, 1.0f, argb, u, v};
}

}  // namespace

void SetRectF(AtlasRect* out, float left, float top, float right, float bottom) {
    *out = AtlasRect{left, top, right, bottom};
}

void DrawScreenRect(const AtlasRect& d, const AtlasRect& s, float textureWidth, float textureHeight,
                    uint32_t argb, const GfxTexture* texture) {
    // Half a pixel up and left, so texel centres land on pixel centres.
    const ScreenVertex vertices[4] = {
        MakeVertex(d.left - 0.5f, d.top - 0.5f, argb, s.left / textureWidth, s.top / textureHeight),
        MakeVertex(d.right - 0.5f, d.top - 0.5f, argb, s.right / textureWidth,
                   s.top / textureHeight),
        MakeVertex(d.right - 0.5f, d.bottom - 0.5f, argb, s.right / textureWidth,
                   s.bottom / textureHeight),
        MakeVertex(d.left - 0.5f, d.bottom - 0.5f, argb, s.left / textureWidth,
                   s.bottom / textureHeight),
    };
    if (!GfxDeviceExists()) {
        return;
    }
    GfxSetTexture(texture);
    GfxDrawScreenFan(vertices);
}

void DrawScreenQuad(const ScreenPoint (&corners)[4], const ScreenPoint (&texels)[4],
                    float textureWidth, float textureHeight, uint32_t argb,
                    const GfxTexture* texture) {
    ScreenVertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        vertices[i] = MakeVertex(corners[i].x - 0.5f, corners[i].y - 0.5f, argb,
                                 texels[i].x / textureWidth, texels[i].y / textureHeight);
    }
    if (!GfxDeviceExists()) {
        return;
    }
    GfxSetTexture(texture);
    GfxDrawScreenFan(vertices);
}

float RoundToPixel(float v) {
    // A float truncation: a point behind the camera may project to NaN or far away, which an
    // integer conversion could not take.
    return v >= 0.0f ? std::trunc(v + 0.5f) : std::trunc(v - 0.5f);
}

float CenteredX(float width) {
    return (SCREEN_PIXEL_WIDTH - width) / 2.0f;
}

void DrawSprite(float x, float y, const AtlasRect& source, float textureWidth, float textureHeight,
                uint32_t argb, const GfxTexture* texture) {
    float left = RoundToPixel(x);
    float top = RoundToPixel(y);
    AtlasRect destination{left, top, left + RectWidth(source), top + RectHeight(source)};
    DrawScreenRect(destination, source, textureWidth, textureHeight, argb, texture);
}

float DrawSpriteCentered(const AtlasRect& source, float y, float textureWidth, float textureHeight,
                         uint32_t argb, const GfxTexture* texture) {
    float x = RoundToPixel(CenteredX(RectWidth(source)));
    DrawSprite(x, y, source, textureWidth, textureHeight, argb, texture);
    return x;
}

void DrawPanel(float x, float y, const AtlasRect& s, float textureWidth, float textureHeight,
               uint32_t argb, const GfxTexture* texture) {
    const float w = RectWidth(s);
    const float h = RectHeight(s);
    // The frame is always opaque and from the interface atlas; only the inside takes the
    // caller's colour and texture.
    DrawSprite(x, y, AtlasRect{s.left, s.top, s.right, s.top + 2}, ATLAS_SIZE, ATLAS_SIZE,
               COLOUR_WHITE, uiAtlas);
    DrawSprite(x, y + h - 2, AtlasRect{s.left, s.bottom - 2, s.right, s.bottom}, ATLAS_SIZE,
               ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    DrawSprite(x, y, AtlasRect{s.left, s.top, s.left + 2, s.bottom}, ATLAS_SIZE, ATLAS_SIZE,
               COLOUR_WHITE, uiAtlas);
    DrawSprite(x + w - 2, y, AtlasRect{s.right - 2, s.top, s.right, s.bottom}, ATLAS_SIZE,
               ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    DrawSprite(x + 2, y + 2, AtlasRect{s.left + 2, s.top + 2, s.right - 2, s.bottom - 2},
               textureWidth, textureHeight, argb, texture);
}

float DrawPanelCentered(float y, const AtlasRect& source, float textureWidth, float textureHeight,
                        uint32_t argb, const GfxTexture* texture) {
    float x = RoundToPixel(CenteredX(RectWidth(source)));
    DrawPanel(x, y, source, textureWidth, textureHeight, argb, texture);
    return x;
}

void DrawTiledBackgroundAlpha(float left, float top, float right, float bottom, uint32_t alpha) {
    const AtlasRect tile{left, top, right, bottom};
    const uint32_t colour = ((alpha & 0xFF) << 24) | 0xFFFFFF;
    for (int row = 0; row < 15; ++row) {
        for (int column = 0; column < 20; ++column) {
            DrawSprite(32.0f * column, 32.0f * row, tile, ATLAS_SIZE, ATLAS_SIZE, colour, uiAtlas);
        }
    }
}

void DrawTiledBackground(float left, float top, float right, float bottom) {
    DrawTiledBackgroundAlpha(left, top, right, bottom, 0xFF);
}

void SetDepthTest(int on) {
    GfxSetDepthTest(on != 0);
}

int32_t WrapIndex(int32_t value, int32_t count) {
    if (count < 1) {
        return 0;
    }
    if (value < 0) {
        return count - 1;
    }
    return value > count - 1 ? 0 : value;
}

int MovePagedGridCursor(int32_t* column, int32_t* row, int32_t* page, int32_t columns, int32_t rows,
                        int32_t pageCount) {
    int result = 0;
    if (IsKeyTriggered(KEY_RIGHT) != 0) {
        if (++*column > columns - 1) {
            *column = 0;
            *page = WrapIndex(*page + 1, pageCount);
        }
    } else if (IsKeyTriggered(KEY_LEFT) != 0) {
        if (--*column < 0) {
            *column = 0;
            *page = WrapIndex(*page - 1, pageCount);
        }
    } else if (IsKeyTriggered(KEY_DOWN) != 0) {
        *row = WrapIndex(*row + 1, rows);
    } else if (IsKeyTriggered(KEY_UP) != 0) {
        *row = WrapIndex(*row - 1, rows);
    } else if (IsConfirmTriggered()) {
        result = 1;
    } else if (IsKeyTriggered(KEY_ESCAPE) != 0) {
        result = -1;
    } else {
        return 0;
    }
    RequestSound(SOUND_CURSOR, 0);
    return result;
}

int MoveMenuCursor(int* cursor, int count) {
    if (count < 1) {
        *cursor = 0;
        return 0;
    }
    if (IsKeyTriggered(KEY_DOWN)) {
        RequestSound(SOUND_CURSOR, 0);
        *cursor += 1;
        if (*cursor > count - 1) {
            *cursor = 0;
        }
        return 0;
    }
    if (IsKeyTriggered(KEY_UP)) {
        RequestSound(SOUND_CURSOR, 0);
        *cursor -= 1;
        if (*cursor < 0) {
            *cursor = count - 1;
        }
        return 0;
    }
    if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        return 1;
    }
    return 0;
}

void DrawMenuWindow(float x, float y, int cursorRow, int count, uint32_t argb,
                    const AtlasRect& frameRect, const AtlasRect& titleRect,
                    const AtlasRect* labelRects, const int* ids) {
    const float frameWidth = RectWidth(frameRect);
    DrawPanel(x, y, frameRect, ATLAS_SIZE, ATLAS_SIZE, argb, uiAtlas);
    DrawSprite(x + (frameWidth - RectWidth(titleRect)) / 2.0f, y + 6.0f, titleRect, ATLAS_SIZE,
               ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    DrawSprite(x + 8.0f, y + MENU_FIRST_ROW + MENU_ROW_STEP * cursorRow, RECT_MENU_CURSOR,
               ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    for (int i = 0; i < count; ++i) {
        assert(ids[i] >= 0);
        const AtlasRect& label = labelRects[ids[i]];
        DrawSprite(x + RoundToPixel((frameWidth - RectWidth(label)) / 2.0f),
                   y + MENU_FIRST_ROW + MENU_ROW_STEP * i, label, ATLAS_SIZE, ATLAS_SIZE,
                   COLOUR_WHITE, uiAtlas);
    }
}
