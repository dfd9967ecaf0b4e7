// A rectangle {left, top, right, bottom} in pixels of an atlas: every 2D image of the game is
// one of these, cut from the interface atlas or the glyph sheet.
#pragma once

struct AtlasRect {
    float left;
    float top;
    float right;
    float bottom;
};

constexpr float RectWidth(const AtlasRect& r) {
    return r.right - r.left;
}

constexpr float RectHeight(const AtlasRect& r) {
    return r.bottom - r.top;
}
