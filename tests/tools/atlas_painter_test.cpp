// The atlas painter: sheets of the exact sizes with every registered image painted inside its
// own rectangle and nothing elsewhere, each kind of art recognisable by its pixels, text fitted
// to its rectangle, and both sheets in the demo archive.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/atlas_images.h"
#include "datapack/atlas_painter.h"
#include "datapack/text_render.h"
#include "engine/data_archive.h"
#include "platform/common/image.h"
#include "support/fixtures.h"

namespace {

const RgbaImage& Painted(AtlasSheet sheet) {
    static const RgbaImage interface = PaintAtlas(AtlasSheet::Interface);
    static const RgbaImage glyphs = PaintAtlas(AtlasSheet::Glyphs);
    return sheet == AtlasSheet::Interface ? interface : glyphs;
}

FontSet& Fonts() {
    static FontSetPtr fonts = OpenFonts();
    return *fonts;
}

uint32_t At(const RgbaImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

int Alpha(uint32_t pixel) {
    return static_cast<int>(pixel >> 24);
}

// A test-only image painted alone on a blank interface sheet.
RgbaImage PaintAlone(AtlasArt art, AtlasRect rect, const char* text, uint32_t colour) {
    RgbaImage sheet = BlankSheet(AtlasSheet::Interface);
    PaintAtlasImage(Fonts(), sheet, {AtlasSheet::Interface, rect, art, text, colour});
    return sheet;
}

// The box around every pixel that is not transparent black.
PixelBox PaintedBox(const RgbaImage& image) {
    PixelBox box{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (At(image, x, y) != 0) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

struct Census {
    int opaque = 0;       // alpha 255
    int transparent = 0;  // alpha 0
    int exact = 0;        // exactly the colour asked for
};

Census Count(const RgbaImage& image, const PixelBox& box, uint32_t colour) {
    Census census;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            uint32_t pixel = At(image, x, y);
            census.opaque += Alpha(pixel) == 255;
            census.transparent += Alpha(pixel) == 0;
            census.exact += pixel == colour;
        }
    }
    return census;
}

PixelBox BoxOf(const AtlasImage& image) {
    return AtlasPixelBox(image.rect, Painted(image.sheet).width, Painted(image.sheet).height);
}

TEST(AtlasPainterTest, SheetsHaveTheirExactSizes) {
    EXPECT_EQ(Painted(AtlasSheet::Interface).width, 2048);
    EXPECT_EQ(Painted(AtlasSheet::Interface).height, 2048);
    EXPECT_EQ(Painted(AtlasSheet::Interface).pixels.size(), 2048u * 2048u);
    EXPECT_EQ(Painted(AtlasSheet::Glyphs).width, 2048);
    EXPECT_EQ(Painted(AtlasSheet::Glyphs).height, 1024);
    EXPECT_EQ(Painted(AtlasSheet::Glyphs).pixels.size(), 2048u * 1024u);
}

TEST(AtlasPainterTest, EveryRegisteredRectangleIsWholePixelsInsideItsSheet) {
    for (size_t i = 0; i < AtlasImages().size(); ++i) {
        const AtlasImage& image = AtlasImages()[i];
        PixelBox box{};
        ASSERT_NO_THROW(box = BoxOf(image)) << "image " << i;
        EXPECT_GT(box.right, box.left) << i;
        EXPECT_GT(box.bottom, box.top) << i;
        EXPECT_GE(box.left, 0) << i;
        EXPECT_GE(box.top, 0) << i;
        EXPECT_LE(box.right, Painted(image.sheet).width) << i;
        EXPECT_LE(box.bottom, Painted(image.sheet).height) << i;
    }
    EXPECT_THROW(AtlasPixelBox({2040, 0, 2049, 8}, 2048, 2048), std::runtime_error);
    EXPECT_THROW(AtlasPixelBox({10, 10, 10, 20}, 2048, 2048), std::runtime_error);
    EXPECT_THROW(AtlasPixelBox({0.5f, 0, 8, 8}, 2048, 2048), std::runtime_error);
}

TEST(AtlasPainterTest, NothingIsPaintedOutsideRegisteredRectanglesAndEachIsPainted) {
    for (AtlasSheet sheet : {AtlasSheet::Interface, AtlasSheet::Glyphs}) {
        const RgbaImage& painted = Painted(sheet);
        std::vector<bool> registered(painted.pixels.size(), false);
        for (size_t i = 0; i < AtlasImages().size(); ++i) {
            if (AtlasImages()[i].sheet != sheet) {
                continue;
            }
            PixelBox box = BoxOf(AtlasImages()[i]);
            for (int y = box.top; y < box.bottom; ++y) {
                for (int x = box.left; x < box.right; ++x) {
                    registered[static_cast<size_t>(y) * painted.width + x] = true;
                }
            }
            EXPECT_GT(Count(painted, box, 0).opaque, 0) << "image " << i << " is blank";
        }
        size_t stray = 0;
        for (size_t p = 0; p < painted.pixels.size(); ++p) {
            stray += !registered[p] && painted.pixels[p] != 0;
        }
        EXPECT_EQ(stray, 0u) << "sheet " << static_cast<int>(sheet);
    }
}

TEST(AtlasPainterTest, FillIsExactlyItsColourOverWhateverWasThere) {
    PixelBox fade = AtlasPixelBox(RECT_FADE_TILE, 2048, 2048);
    const RgbaImage& interface = Painted(AtlasSheet::Interface);
    EXPECT_EQ(Count(interface, fade, 0xFF000000).exact, 32 * 32);

    RgbaImage sheet = PaintAlone(AtlasArt::Panel, {100, 100, 140, 140}, "", 0xFFFFFFFF);
    PaintAtlasImage(Fonts(), sheet,
                    {AtlasSheet::Interface, {110, 110, 150, 130}, AtlasArt::Fill, "", 0x80FF2000});
    EXPECT_EQ(Count(sheet, {110, 110, 150, 130}, 0x80FF2000).exact, 40 * 20);
    EXPECT_EQ(At(sheet, 100, 100), 0xFFFFFFFFu) << "the panel outside the fill is kept";
}

TEST(AtlasPainterTest, DigitsAreDistinctOpaqueTextOnTransparentFillingTheirHeight) {
    std::set<std::vector<uint32_t>> shapes;
    for (size_t i = 0; i < AtlasImages().size(); ++i) {
        const AtlasImage& image = AtlasImages()[i];
        if (image.art != AtlasArt::Digit) {
            continue;
        }
        PixelBox box = BoxOf(image);
        const RgbaImage& sheet = Painted(image.sheet);
        Census census = Count(sheet, box, image.colour);
        int area = (box.right - box.left) * (box.bottom - box.top);
        EXPECT_GE(census.exact, area / 10) << "digit " << image.text << " image " << i;
        EXPECT_GT(census.transparent, 0) << i;
        EXPECT_LT(census.opaque, area) << i;

        std::vector<uint32_t> shape;
        int top = box.bottom;
        int bottom = box.top;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                shape.push_back(At(sheet, x, y) == image.colour);
                if (At(sheet, x, y) == image.colour) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y + 1);
                }
            }
        }
        // Outline row above and below, at most one spare row for the set's shared baseline.
        EXPECT_GE(bottom - top, box.bottom - box.top - 4) << "digit image " << i;
        shape.push_back(box.right - box.left);
        shape.push_back(image.colour);
        EXPECT_TRUE(shapes.insert(shape).second) << "digit image " << i << " repeats another";
    }
}

TEST(AtlasPainterTest, LabelIsOutlinedTextAsLargeAsItsRectangleAllows) {
    RgbaImage sheet = PaintAlone(AtlasArt::Label, {200, 300, 400, 330}, "New Game", 0xFFFFFF80);
    Census census = Count(sheet, {200, 300, 400, 330}, 0xFFFFFF80);
    EXPECT_GT(census.exact, 200);
    EXPECT_GT(census.transparent, 200 * 30 / 4);
    EXPECT_GT(Count(sheet, {200, 300, 400, 330}, 0xFF0A0A14).exact, 50) << "dark outline";
    PixelBox ink = PaintedBox(sheet);
    EXPECT_GE(ink.left, 200);
    EXPECT_LE(ink.right, 400);
    EXPECT_GE(ink.top, 300);
    EXPECT_LE(ink.bottom, 330);
    EXPECT_GE(ink.bottom - ink.top, 24) << "fitted to the height";
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 300.0, 1.5) << "centred";
}

TEST(AtlasPainterTest, LongJapaneseLabelsShrinkToFitTheirRectangle) {
    const char* line = "とても長い日本語の説明文がここに入ります。ＨＰを回復する薬草";
    const char* lines = "とても長い\n日本語の\n説明文が\nここに\n入ります。";
    struct Case {
        AtlasRect rect;
        const char* text;
    };
    for (const Case& c : {Case{{64, 64, 464, 88}, line}, Case{{64, 64, 264, 84}, line},
                          Case{{64, 64, 184, 200}, lines}}) {
        RgbaImage sheet = PaintAlone(AtlasArt::Label, c.rect, c.text, 0xFFFFFFFF);
        PixelBox ink = PaintedBox(sheet);
        EXPECT_GE(ink.left, c.rect.left);
        EXPECT_GE(ink.top, c.rect.top);
        EXPECT_LE(ink.right, c.rect.right);
        EXPECT_LE(ink.bottom, c.rect.bottom);
        EXPECT_GE(ink.right - ink.left, RectWidth(c.rect) * 0.9) << "as wide as allowed";
        int bright = 0;
        for (uint32_t pixel : sheet.pixels) {
            bright += Alpha(pixel) == 255 && (pixel & 0xC0C0C0) == 0xC0C0C0;
        }
        EXPECT_GT(bright, 100) << "light text";
    }
}

TEST(AtlasPainterTest, PanelIsAnOpaqueWindowWithALightFrame) {
    RgbaImage sheet = PaintAlone(AtlasArt::Panel, {300, 200, 364, 248}, "", 0xFFE0E8FF);
    for (auto [x, y] : {std::pair{300, 200}, {301, 201}, {363, 247}, {362, 230}, {330, 246}}) {
        EXPECT_EQ(At(sheet, x, y), 0xFFE0E8FFu) << x << "," << y;
    }
    EXPECT_EQ(Count(sheet, {300, 200, 364, 248}, 0).opaque, 64 * 48);
    for (auto [x, y] : {std::pair{302, 202}, {330, 224}, {361, 245}}) {
        uint32_t inside = At(sheet, x, y);
        EXPECT_NE(inside, 0xFFE0E8FFu);
        EXPECT_GT(inside & 0xFF, (inside >> 16) & 0xFF) << "blue over red";
        EXPECT_LT(inside & 0xFF, 0x80u) << "dark";
    }
}

TEST(AtlasPainterTest, CursorPointsRightAndFillsItsHeight) {
    PixelBox box = AtlasPixelBox(RECT_MENU_CURSOR, 2048, 2048);
    const RgbaImage& sheet = Painted(AtlasSheet::Interface);
    auto column = [&](int x) {
        int solid = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            solid += Alpha(At(sheet, x, y)) >= 128;
        }
        return solid;
    };
    int height = box.bottom - box.top;
    EXPECT_GE(column(box.left), height - 1);
    EXPECT_LE(column(box.right - 1), 3);
    for (int x = box.left; x + 1 < box.right; ++x) {
        EXPECT_GE(column(x), column(x + 1)) << "narrowing towards the tip at " << x;
    }
    EXPECT_EQ(At(sheet, box.left + 2, (box.top + box.bottom) / 2), 0xFFFFE060u);
}

TEST(AtlasPainterTest, FacePictureAndIconCoverTheirShapes) {
    RgbaImage face = PaintAlone(AtlasArt::Face, {0, 0, 96, 96}, "", 0xFF8B4513);
    Census faceCensus = Count(face, {0, 0, 96, 96}, 0xFF8B4513);
    EXPECT_EQ(faceCensus.opaque, 96 * 96);
    EXPECT_GT(faceCensus.exact, 96 * 96 / 20) << "hair";

    RgbaImage picture =
        PaintAlone(AtlasArt::Picture, {0, 0, 320, 240}, "The Old Bridge", 0xFFFFFFFF);
    EXPECT_EQ(Count(picture, {0, 0, 320, 240}, 0).opaque, 320 * 240);
    EXPECT_NE(At(picture, 5, 2), At(picture, 5, 170)) << "sky above ground";
    EXPECT_GT(Count(picture, {0, 200, 320, 240}, 0xFFFFFFFF).exact, 40) << "caption";

    RgbaImage icon = PaintAlone(AtlasArt::Icon, {0, 0, 48, 48}, "HP", 0xFF30A040);
    EXPECT_EQ(At(icon, 0, 0), 0u) << "round: corners stay clear";
    EXPECT_EQ(At(icon, 47, 47), 0u);
    EXPECT_GT(Count(icon, {0, 0, 48, 48}, 0xFF30A040).exact, 200) << "badge colour";
    EXPECT_GT(Count(icon, {12, 12, 36, 36}, 0xFFFFFFFF).exact, 10) << "text";
}

TEST(AtlasPainterTest, PaintedArtNeverTurnsIntoTheKeyColour) {
    RgbaImage sheet = PaintAlone(AtlasArt::Label, {0, 0, 120, 40}, "Go", 0xFF00FF00);
    EXPECT_EQ(Count(sheet, {0, 0, 120, 40}, 0xFF00FF00).exact, 0);
    EXPECT_GT(Count(sheet, {0, 0, 120, 40}, 0xFF00FE00).exact, 50);
}

TEST(AtlasPainterTest, CompositingKeepsStraightColours) {
    EXPECT_EQ(BlendOver(0, 0xFFFF0000, 0.5f), 0x80FF0000u) << "no darkening on transparent";
    EXPECT_EQ(BlendOver(0xFF0000FF, 0xFFFF0000, 0.5f), 0xFF800080u);
    EXPECT_EQ(BlendOver(0xFF204060, 0x00FFFFFF, 1.0f), 0xFF204060u);
    EXPECT_EQ(BlendOver(0x80000000, 0xFFFFFFFF, 1.0f), 0xFFFFFFFFu);
}

TEST(AtlasPainterTest, AMissingFontIsNamed) {
    try {
        OpenFonts("/nonexistent/Missing-Bold.ttf", JAPANESE_FONT_PATH);
        FAIL() << "opened a missing font";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/Missing-Bold.ttf"),
                  std::string::npos);
    }
}

TEST(AtlasPainterTest, DemoArchiveHoldsBothSheetsAsImages) {
    const std::vector<Bytes>& entries = DemoArchiveEntries();
    for (auto [entry, sheet] : {std::pair{ARCHIVE_UI_ATLAS, AtlasSheet::Interface},
                                {ARCHIVE_GLYPH_ATLAS, AtlasSheet::Glyphs}}) {
        RgbaImage decoded;
        ASSERT_TRUE(DecodeImage(entries[entry].data(), entries[entry].size(), &decoded));
        EXPECT_EQ(decoded.width, Painted(sheet).width);
        EXPECT_EQ(decoded.height, Painted(sheet).height);
        EXPECT_TRUE(decoded.pixels == Painted(sheet).pixels) << "entry " << entry;
    }
}

}  // namespace
