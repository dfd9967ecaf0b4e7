// Text drawn with FreeType into RGBA images for the data builder: the two fonts, fitting a text
// to a box at the largest size that fits, and the alpha compositing every painter shares.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/common/image.h"

// The Debian font files the builder draws with (fonts-dejavu-core, fonts-ipafont-gothic).
inline constexpr const char* LATIN_FONT_PATH =
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline constexpr const char* JAPANESE_FONT_PATH =
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// The FreeType library with both faces open.
struct FontSet;
struct FontSetDeleter {
    void operator()(FontSet* fonts) const;
};
using FontSetPtr = std::unique_ptr<FontSet, FontSetDeleter>;

// Opens both fonts. Throws std::runtime_error naming the file that is missing or unreadable.
FontSetPtr OpenFonts(const std::string& latinPath = LATIN_FONT_PATH,
                     const std::string& japanesePath = JAPANESE_FONT_PATH);

// A box of whole pixels, right and bottom exclusive.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline bool BoxEmpty(const PixelBox& box) {
    return box.right <= box.left || box.bottom <= box.top;
}

struct TextStyle {
    uint32_t colour = 0xFFFFFFFF;   // ARGB
    uint32_t outline = 0xFF0A0A14;  // 1-pixel ring around the glyphs; alpha 0 for none
    // Hinted hard to the pixel grid with steep edges: digits that stay legible at 12 pixels.
    bool crisp = false;
    // Text whose vertical extent the size is fitted to together with the text's own, so that
    // images of equal height get equal sizes and baselines. Empty: the text alone.
    std::string_view heightReference;
    // How far the glyphs may be condensed (width of the em over its height) to fit the width
    // before the whole size shrinks: narrow digit cells get tall narrow digits.
    float narrowest = 1.0f;
    // The scale to draw at (see TextScale) instead of the largest that fits; zero: fitted.
    int pixelSize = 0;
    int pixelWidth = 0;
    // The ink starts this many pixels right of the box's left edge and its outline; negative:
    // the text is centred across.
    int leftMargin = -1;
};

// A font scale: the height of the em in pixels, and its width (narrower when condensed).
struct TextScale {
    int pixelSize = 0;
    int pixelWidth = 0;
};

// Where a fitted text went: the painted pixels, outline included, and the font's pixel size
// (pixelWidth below pixelSize when condensed). Empty ink when nothing was drawn.
struct TextPlacement {
    PixelBox ink;
    int pixelSize = 0;
    int pixelWidth = 0;
};

// Draws the UTF-8 text ("\n" starts a line) centred in box (or set in by style.leftMargin) at
// the largest pixel size whose glyphs and outline fit it (height first, then condensed and shrunk
// to fit the width) or at the scale the style names, composited over what is there; nothing lands
// outside box. Text with any non-ASCII character is set in the Japanese font; a character a font
// lacks comes from the other one.
TextPlacement DrawFittedText(FontSet& fonts, RgbaImage& image, const PixelBox& box,
                             std::string_view text, const TextStyle& style);

// The scale DrawFittedText fits text to in box (the style's own scale ignored); zero when the
// box or the text has no room for ink.
TextScale FitTextScale(FontSet& fonts, const PixelBox& box, std::string_view text,
                       const TextStyle& style);
// Whether text drawn at scale keeps its ink and outline inside box.
bool TextFitsAt(FontSet& fonts, const PixelBox& box, std::string_view text, const TextStyle& style,
                TextScale scale);

// Draws one character of running text (UTF-8) in its cell at a fixed pixel size, its baseline
// `baseline` pixels below the cell's top, centred across by its ink and condensed (down to
// style.narrowest) when the ink and outline are wider than the cell; nothing lands outside the
// cell. Cells drawn with one size and one baseline line up when set side by side.
TextPlacement DrawTextCell(FontSet& fonts, RgbaImage& image, const PixelBox& cell,
                           std::string_view text, int pixelSize, int baseline,
                           const TextStyle& style);

// Source-over compositing of colour, its alpha scaled by coverage (0..1), onto dst, both
// straight (not premultiplied) ARGB.
uint32_t BlendOver(uint32_t dst, uint32_t colour, float coverage);
// Blends into the pixel at (x, y) when it lies inside clip (and the image).
void BlendPixel(RgbaImage& image, const PixelBox& clip, int x, int y, uint32_t colour,
                float coverage);
