// The glyph sheet as the data builder paints it: every glyph's character light inside its own
// cell, all glyphs on one baseline once centred the way message text centres them, the two
// blank rows blank; the message window's images on the interface atlas.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "data/atlas_messages.h"
#include "data/glyph_table.h"
#include "datapack/atlas_painter.h"
#include "datapack/text_render.h"
#include "platform/common/image.h"

namespace {

const RgbaImage& Glyphs() {
    static const RgbaImage sheet = PaintAtlas(AtlasSheet::Glyphs);
    return sheet;
}

const RgbaImage& Interface() {
    static const RgbaImage sheet = PaintAtlas(AtlasSheet::Interface);
    return sheet;
}

uint32_t At(const RgbaImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

// Solid and light: the text's own pixels, not its dark outline.
bool IsInk(uint32_t pixel) {
    return (pixel >> 24) >= 200 && (pixel & 0xC0C0C0) == 0xC0C0C0;
}

struct Cell {
    int left, top, right, bottom;
};

Cell CellOf(uint32_t code) {
    const GlyphRecord& g = glyphTable[code];
    return {static_cast<int>(g.left), static_cast<int>(g.top), static_cast<int>(g.right),
            static_cast<int>(g.bottom)};
}

std::vector<uint32_t> Pixels(const RgbaImage& image, const Cell& cell) {
    std::vector<uint32_t> out;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) {
            out.push_back(At(image, x, y));
        }
    }
    return out;
}

// The lowest ink row below the cell's centre line, in half pixels (centre of an odd-height
// cell lies on a half pixel); the message drawing lines the centres up.
int InkBottomBelowCentre(uint32_t code) {
    Cell cell = CellOf(code);
    int bottom = -1;
    for (int y = cell.top; y < cell.bottom; ++y) {
        for (int x = cell.left; x < cell.right; ++x) {
            if (IsInk(At(Glyphs(), x, y))) {
                bottom = y + 1;
            }
        }
    }
    return 2 * bottom - (cell.top + cell.bottom);
}

TEST(GlyphSheetTest, EveryGlyphHasLightInkInsideItsCell) {
    for (uint32_t code = GLYPH_DIGIT_ZERO; code < GLYPH_COUNT; ++code) {
        int ink = 0;
        for (uint32_t pixel : Pixels(Glyphs(), CellOf(code))) {
            ink += IsInk(pixel) ? 1 : 0;
        }
        EXPECT_GE(ink, 2) << "code " << code;
    }
    for (uint32_t code : {GLYPH_END, GLYPH_SPACE}) {
        for (uint32_t pixel : Pixels(Glyphs(), CellOf(code))) {
            ASSERT_EQ(pixel, 0u) << "code " << code << " is a blank cell";
        }
    }
}

TEST(GlyphSheetTest, EachCellShowsItsOwnCharacter) {
    // Rows of the same character paint the same picture; different characters never do.
    std::map<std::vector<uint32_t>, uint32_t> pictures;
    for (uint32_t code = GLYPH_DIGIT_ZERO; code < GLYPH_COUNT; ++code) {
        auto [at, fresh] = pictures.emplace(Pixels(Glyphs(), CellOf(code)), code);
        if (!fresh) {
            EXPECT_EQ(glyphTable[at->second].character, glyphTable[code].character)
                << "codes " << at->second << " and " << code << " look alike";
        }
    }
    EXPECT_EQ(Pixels(Glyphs(), CellOf(76)), Pixels(Glyphs(), CellOf(675)));
    EXPECT_EQ(pictures.size(), static_cast<size_t>(GLYPH_COUNT - 3));
}

TEST(GlyphSheetTest, GlyphsOfEveryCellHeightShareOneBaseline) {
    // Characters that stand on the baseline: digits (14 high), kana (16) and kanji (18).
    std::set<int> bottoms;
    for (char32_t c : std::u32string_view(U"０２５エロコ口日田王上三")) {
        int bottom = InkBottomBelowCentre(GlyphCodeOf(c));
        bottoms.insert(bottom);
        EXPECT_GE(bottom, 8) << "well below the centre: " << static_cast<uint32_t>(c);
        EXPECT_LE(bottom, 14) << static_cast<uint32_t>(c);
    }
    // Kanji reach a pixel below kana and digits by the font's design; hinting adds one more.
    EXPECT_LE(*bottoms.rbegin() - *bottoms.begin(), 4) << "within two pixels of each other";
}

TEST(GlyphSheetTest, SmallKanaAndTheCommaSitLowAndTheLongVowelSignInTheMiddle) {
    auto inkTop = [](uint32_t code) {
        Cell cell = CellOf(code);
        for (int y = cell.top; y < cell.bottom; ++y) {
            for (int x = cell.left; x < cell.right; ++x) {
                if (IsInk(At(Glyphs(), x, y))) {
                    return y - cell.top;
                }
            }
        }
        return -1;
    };
    int full = inkTop(GlyphCodeOf(U'つ'));
    EXPECT_GE(inkTop(GlyphCodeOf(U'っ')), full + 2) << "the small tsu is lower and smaller";
    EXPECT_GT(inkTop(GLYPH_IDEOGRAPHIC_COMMA), 8);
    int dash = inkTop(GlyphCodeOf(U'ー'));
    EXPECT_GE(dash, 5);
    EXPECT_LE(dash, 10);
}

TEST(GlyphSheetTest, PicturesFillTheirRectanglesOnTheGlyphSheet) {
    std::vector<AtlasRect> rects(std::begin(RECT_TITLE_LOWER_BACKGROUNDS),
                                 std::end(RECT_TITLE_LOWER_BACKGROUNDS));
    rects.push_back(RECT_PICTURE_SCREEN_IMAGE);
    for (const AtlasRect& rect : rects) {
        Cell cell{static_cast<int>(rect.left), static_cast<int>(rect.top),
                  static_cast<int>(rect.right), static_cast<int>(rect.bottom)};
        int clear = 0;
        for (uint32_t pixel : Pixels(Glyphs(), cell)) {
            clear += (pixel >> 24) != 0xFF ? 1 : 0;
        }
        EXPECT_EQ(clear, 0) << "picture at " << rect.left << "," << rect.top;
    }
}

TEST(GlyphSheetTest, MessageWindowIsALightFrameAroundBlackAndTheBarIsSolid) {
    const RgbaImage& ui = Interface();
    const AtlasRect& w = RECT_MESSAGE_WINDOW;
    int left = static_cast<int>(w.left);
    int top = static_cast<int>(w.top);
    int right = static_cast<int>(w.right);
    int bottom = static_cast<int>(w.bottom);
    for (auto [x, y] : {std::pair{left, top}, {left + 1, bottom - 1}, {right - 1, top + 40}}) {
        EXPECT_TRUE(IsInk(At(ui, x, y))) << x << "," << y;
    }
    for (auto [x, y] :
         {std::pair{left + 2, top + 2}, {left + 300, top + 60}, {right - 3, bottom - 3}}) {
        EXPECT_EQ(At(ui, x, y), 0xFF000000u) << x << "," << y;
    }
    const AtlasRect& bar = RECT_MESSAGE_CHOICE_BAR;
    uint32_t first = At(ui, static_cast<int>(bar.left), static_cast<int>(bar.top));
    EXPECT_EQ(first >> 24, 0xFFu);
    EXPECT_EQ(At(ui, static_cast<int>(bar.right) - 1, static_cast<int>(bar.bottom) - 1), first);
}

TEST(GlyphSheetTest, PortraitsAreWholeExceptTheTwoUnderOverlappingNeighbours) {
    // Portrait 5 lies partly under 1 and 2, and 24 under 8 and 9: those two are painted first,
    // so every other portrait, the party's above all, keeps every pixel of its own painting.
    FontSetPtr fonts = OpenFonts();
    for (const AtlasImage& image : AtlasImages()) {
        if (image.art != AtlasArt::Face) {
            continue;
        }
        int face = -1;
        for (int n = 0; n < FACE_COUNT; ++n) {
            if (std::memcmp(&faceRects[n], &image.rect, sizeof(AtlasRect)) == 0) {
                face = n;
            }
        }
        if (face < 0 || face == 5 || face == 24) {
            continue;
        }
        RgbaImage alone = BlankSheet(AtlasSheet::Interface);
        PaintAtlasImage(*fonts, alone, image);
        Cell cell{static_cast<int>(image.rect.left), static_cast<int>(image.rect.top),
                  static_cast<int>(image.rect.right), static_cast<int>(image.rect.bottom)};
        EXPECT_TRUE(Pixels(alone, cell) == Pixels(Interface(), cell)) << "portrait " << face;
    }
}

}  // namespace
