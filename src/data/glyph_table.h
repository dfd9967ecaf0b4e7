// The glyph table: the 704 glyphs that event messages and battle messages are written in. A
// glyph code is a row number, and the row's rectangle on the glyph sheet is what the code draws.
#pragma once

#include <array>
#include <cstdint>

#include "data/atlas_rect.h"

constexpr int GLYPH_COUNT = 704;

// Ends a glyph list; never drawn.
constexpr uint32_t GLYPH_END = 0;
// The ideographic space, a blank cell.
constexpr uint32_t GLYPH_SPACE = 1;
// The full-width digit d is the code d + 2; numbers in glyph text rely on this order.
constexpr uint32_t GLYPH_DIGIT_ZERO = 2;
constexpr uint32_t GLYPH_QUESTION = 83;
constexpr uint32_t GLYPH_EXCLAMATION = 84;
constexpr uint32_t GLYPH_MIDDLE_DOT = 85;
constexpr uint32_t GLYPH_OPEN_PAREN = 86;
constexpr uint32_t GLYPH_CLOSE_PAREN = 87;
constexpr uint32_t GLYPH_OTHER_FIRST = 156;
constexpr uint32_t GLYPH_IDEOGRAPHIC_COMMA = 520;

struct GlyphRecord {
    uint32_t code;       // equal to the row number
    uint32_t character;  // the UTF-16 code unit shown; the game never reads it
    float left;
    float top;
    float right;
    float bottom;
};

// Constant data, so it is complete before any other code runs.
extern const std::array<GlyphRecord, GLYPH_COUNT> glyphTable;

// The code of the first row that shows the character; 0 when no row does.
uint32_t GlyphCodeOf(char32_t character);

inline AtlasRect GlyphRect(const GlyphRecord& glyph) {
    return AtlasRect{glyph.left, glyph.top, glyph.right, glyph.bottom};
}
