// The atlas sheets as the game reads them: both come back from the demo archive exactly as
// painted, every registered image inside its own rectangle and nothing elsewhere, each glyph
// cell showing its own character, and no painted pixel in the colour the loader keys out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "data/atlas_system_menu.h"
#include "data/glyph_table.h"
#include "datapack/atlas_painter.h"
#include "datapack/text_render.h"
#include "engine/data_archive.h"
#include "platform/common/image.h"
#include "support/fixtures.h"

namespace {

const RgbaImage& Sheet(AtlasSheet sheet) {
    static const auto decode = [](int entry) {
        const Bytes& bytes = DemoArchiveEntries()[entry];
        RgbaImage image;
        EXPECT_TRUE(DecodeImage(bytes.data(), bytes.size(), &image)) << "entry " << entry;
        return image;
    };
    static const RgbaImage interface = decode(ARCHIVE_UI_ATLAS);
    static const RgbaImage glyphs = decode(ARCHIVE_GLYPH_ATLAS);
    return sheet == AtlasSheet::Interface ? interface : glyphs;
}

std::vector<uint32_t> Pixels(const RgbaImage& image, const PixelBox& box) {
    std::vector<uint32_t> out;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            out.push_back(image.pixels[static_cast<size_t>(y) * image.width + x]);
        }
    }
    return out;
}

// The painted pixels (outline included) of the sheet inside box; empty when there are none.
PixelBox InkIn(const RgbaImage& image, const PixelBox& box) {
    PixelBox ink{box.right, box.bottom, box.left, box.top};
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if ((image.pixels[static_cast<size_t>(y) * image.width + x] >> 24) != 0) {
                ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                       std::max(ink.bottom, y + 1)};
            }
        }
    }
    return BoxEmpty(ink) ? PixelBox{} : ink;
}

PixelBox InterfaceBox(const AtlasRect& rect) {
    return AtlasPixelBox(rect, INTERFACE_SHEET_WIDTH, INTERFACE_SHEET_HEIGHT);
}

TEST(AtlasPainterTest, BothSheetsComeBackFromTheArchiveAsPainted) {
    for (AtlasSheet sheet : {AtlasSheet::Interface, AtlasSheet::Glyphs}) {
        const RgbaImage painted = PaintAtlas(sheet);
        EXPECT_EQ(Sheet(sheet).width, painted.width);
        EXPECT_EQ(Sheet(sheet).height, painted.height);
        EXPECT_TRUE(Sheet(sheet).pixels == painted.pixels) << static_cast<int>(sheet);
    }
}

TEST(AtlasPainterTest, EveryImageIsPaintedInsideItsRectangleAndNothingElsewhere) {
    for (AtlasSheet sheet : {AtlasSheet::Interface, AtlasSheet::Glyphs}) {
        const RgbaImage& painted = Sheet(sheet);
        std::vector<bool> registered(painted.pixels.size(), false);
        for (size_t i = 0; i < AtlasImages().size(); ++i) {
            if (AtlasImages()[i].sheet != sheet) {
                continue;
            }
            const PixelBox box =
                AtlasPixelBox(AtlasImages()[i].rect, painted.width, painted.height);
            for (int y = box.top; y < box.bottom; ++y) {
                for (int x = box.left; x < box.right; ++x) {
                    registered[static_cast<size_t>(y) * painted.width + x] = true;
                }
            }
            const std::vector<uint32_t> pixels = Pixels(painted, box);
            int opaque = 0;
            for (uint32_t pixel : pixels) {
                opaque += (pixel >> 24) == 0xFF;
            }
            // Windows, faces and pictures are solid to their edges; the rest has some ink.
            const AtlasArt art = AtlasImages()[i].art;
            const bool solid =
                art == AtlasArt::Panel || art == AtlasArt::Face || art == AtlasArt::Picture;
            EXPECT_TRUE(solid ? opaque == static_cast<int>(pixels.size()) : opaque > 0)
                << "image " << i << " has " << opaque << " opaque pixels";
            if (AtlasImages()[i].art == AtlasArt::Fill) {
                // Such as the fade tile, which the game stretches over the whole screen.
                EXPECT_EQ(pixels, std::vector<uint32_t>(pixels.size(), AtlasImages()[i].colour))
                    << "image " << i << " is not its colour alone";
            }
        }
        size_t stray = 0;
        for (size_t p = 0; p < painted.pixels.size(); ++p) {
            stray += !registered[p] && painted.pixels[p] != 0;
        }
        EXPECT_EQ(stray, 0u) << "sheet " << static_cast<int>(sheet);
    }
    // A rectangle off the sheet, empty or between pixels is refused.
    EXPECT_THROW(AtlasPixelBox({2040, 0, 2049, 8}, 2048, 2048), std::runtime_error);
    EXPECT_THROW(AtlasPixelBox({10, 10, 10, 20}, 2048, 2048), std::runtime_error);
    EXPECT_THROW(AtlasPixelBox({10, 10, 20, 5}, 2048, 2048), std::runtime_error);
    EXPECT_THROW(AtlasPixelBox({0.5f, 0, 8, 8}, 2048, 2048), std::runtime_error);
}

TEST(AtlasPainterTest, EachGlyphCellShowsItsOwnCharacter) {
    // Message text draws code n from cell n: light ink there, a picture no other character
    // shares; the end and space cells stay blank.
    std::map<std::vector<uint32_t>, uint32_t> pictures;
    for (uint32_t code = 0; code < GLYPH_COUNT; ++code) {
        const GlyphRecord& g = glyphTable[code];
        const std::vector<uint32_t> cell = Pixels(
            Sheet(AtlasSheet::Glyphs), {static_cast<int>(g.left), static_cast<int>(g.top),
                                        static_cast<int>(g.right), static_cast<int>(g.bottom)});
        int ink = 0;
        for (uint32_t pixel : cell) {
            ink += (pixel >> 24) >= 200 && (pixel & 0xC0C0C0) == 0xC0C0C0;
        }
        if (code == GLYPH_END || code == GLYPH_SPACE) {
            EXPECT_EQ(cell, std::vector<uint32_t>(cell.size(), 0)) << "code " << code;
            continue;
        }
        EXPECT_GE(ink, 2) << "code " << code;
        auto [first, fresh] = pictures.emplace(cell, code);
        EXPECT_EQ(glyphTable[first->second].character, g.character)
            << "codes " << first->second << " and " << code << " look alike";
    }
}

TEST(AtlasPainterTest, PaintedArtNeverTakesTheKeyColour) {
    // The texture loader punches that colour out as a hole; text asked for in it is nudged off.
    FontSetPtr fonts = OpenFonts();
    RgbaImage sheet = BlankSheet(AtlasSheet::Interface);
    PaintAtlasImage(*fonts, sheet,
                    {AtlasSheet::Interface, {0, 0, 120, 40}, AtlasArt::Label, "Go", 0xFF00FF00});
    int keyed = 0;
    int nudged = 0;
    for (uint32_t pixel : sheet.pixels) {
        keyed += pixel == 0xFF00FF00;
        nudged += pixel == 0xFF00FE00;
    }
    EXPECT_EQ(keyed, 0);
    EXPECT_GT(nudged, 50);
}

TEST(AtlasPainterTest, ASaveSlotsCutOfAStoryLabelHoldsTheStorysWholeName) {
    // A slot shows only the first pixels of the start menu's story label: the story's name
    // must lie there whole, set near the left and clear of the cut's right edge, while the
    // start menu still shows the rest of the label.
    const RgbaImage& sheet = Sheet(AtlasSheet::Interface);
    const AtlasRect labels[2] = {RECT_START_ENTRY_SCENARIO_0, RECT_START_ENTRY_SCENARIO_1};
    for (int story = 0; story < 2; ++story) {
        const PixelBox cut = InterfaceBox(RECT_SAVE_SCENARIOS[story]);
        const PixelBox label = InterfaceBox(labels[story]);
        const PixelBox name = InkIn(sheet, cut);
        ASSERT_FALSE(BoxEmpty(name)) << "story " << story;
        EXPECT_LE(name.left - cut.left, 3) << "story " << story << " starts far in";
        EXPECT_LE(name.right, cut.right - 3) << "story " << story << " runs into the cut";
        // Two whole characters, not one and a piece.
        EXPECT_GE(name.right - name.left, (name.bottom - name.top) * 3 / 2) << "story " << story;
        const PixelBox rest = InkIn(sheet, {cut.right, label.top, label.right, label.bottom});
        EXPECT_FALSE(BoxEmpty(rest)) << "story " << story << " lost the rest of its label";
    }
}

TEST(AtlasPainterTest, TheLabelsOfAListAreOneSizeAndLineUpAsTheGameDrawsThem) {
    const RgbaImage& sheet = Sheet(AtlasSheet::Interface);
    std::map<LabelList, std::vector<PixelBox>> inks;
    std::map<LabelList, std::vector<PixelBox>> boxes;
    for (const AtlasImage& image : AtlasImages()) {
        if (image.list == LabelList::None) {
            continue;
        }
        const PixelBox box = InterfaceBox(image.rect);
        boxes[image.list].push_back(box);
        inks[image.list].push_back(InkIn(sheet, box));
    }
    EXPECT_GE(inks.size(), 2u);
    for (const auto& [list, ink] : inks) {
        const int id = static_cast<int>(list);
        ASSERT_GE(ink.size(), 2u) << "list " << id;
        std::vector<int> margins;
        std::vector<int> heights;
        for (size_t i = 0; i < ink.size(); ++i) {
            ASSERT_FALSE(BoxEmpty(ink[i])) << "list " << id << " label " << i;
            const PixelBox& box = boxes.at(list)[i];
            if (LabelListCentred(list)) {
                // Twice the distance of the ink's middle from the rectangle's.
                EXPECT_LE(std::abs(ink[i].left + ink[i].right - box.left - box.right), 3)
                    << "list " << id << " label " << i << " is off centre";
            } else {
                margins.push_back(ink[i].left - box.left);
            }
            heights.push_back(ink[i].bottom - ink[i].top);
        }
        if (!margins.empty()) {
            // Glyphs differ in how far their ink reaches, by a pixel at most at one size.
            const auto [fewestIn, mostIn] = std::minmax_element(margins.begin(), margins.end());
            EXPECT_LE(*mostIn - *fewestIn, 1) << "list " << id << " is ragged on the left";
            EXPECT_LE(*mostIn, 3) << "list " << id << " starts far in";
        }
        const auto [lowest, tallest] = std::minmax_element(heights.begin(), heights.end());
        // Characters differ in height by an eighth of the size or so.
        EXPECT_LE(*tallest - *lowest, std::max(2, *tallest / 8)) << "list " << id << " mixes sizes";
    }
}

TEST(AtlasPainterTest, AListsScaleIsTheLargestThatFitsEveryLabelOfIt) {
    FontSetPtr fonts = OpenFonts();
    std::map<LabelList, std::vector<const AtlasImage*>> lists;
    for (const AtlasImage& image : AtlasImages()) {
        if (image.list != LabelList::None) {
            lists[image.list].push_back(&image);
        }
    }
    EXPECT_EQ(ListLabelScale(*fonts, LabelList::None).pixelSize, 0);
    for (const auto& [list, members] : lists) {
        const int id = static_cast<int>(list);
        const TextScale scale = ListLabelScale(*fonts, list);
        ASSERT_GT(scale.pixelSize, 0) << "list " << id;
        EXPECT_LE(scale.pixelWidth, scale.pixelSize) << "list " << id;
        bool taller = true;
        bool wider = scale.pixelWidth < scale.pixelSize;
        for (const AtlasImage* image : members) {
            const TextStyle style = AtlasLabelStyle(*image);
            const PixelBox box = InterfaceBox(image->rect);
            EXPECT_TRUE(TextFitsAt(*fonts, box, image->text, style, scale))
                << "list " << id << ": " << image->text;
            // One pixel taller, condensed no further than a label may be.
            const int tallerWidth =
                std::max(scale.pixelWidth,
                         static_cast<int>(std::ceil((scale.pixelSize + 1) * style.narrowest)));
            taller = taller && TextFitsAt(*fonts, box, image->text, style,
                                          {scale.pixelSize + 1, tallerWidth});
            wider = wider && TextFitsAt(*fonts, box, image->text, style,
                                        {scale.pixelSize, scale.pixelWidth + 1});
        }
        EXPECT_FALSE(taller) << "list " << id << " could be painted taller";
        EXPECT_FALSE(wider) << "list " << id << " could be painted wider";
    }
}

}  // namespace
