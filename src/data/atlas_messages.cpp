// The images of the message window and of the glyph sheet: portraits, window frame, choice bar,
// the title's lower backgrounds and the picture screen's image, and one cell per glyph of the
// glyph table with the glyph's character in it.
#include <array>
#include <cstddef>
#include <iterator>

#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "data/atlas_messages.h"
#include "data/glyph_table.h"

const AtlasRect faceRects[FACE_COUNT] = {
    {1498, 1504, 1689, 1675}, {1512, 1677, 1689, 1850}, {1512, 1852, 1689, 2047},
    {1691, 1329, 1868, 1499}, {1870, 1366, 2047, 1545}, {1619, 1698, 1868, 1882},
    {1870, 1169, 2047, 1364}, {1691, 1501, 1868, 1696}, {1870, 1719, 2047, 1882},
    {1776, 1884, 2047, 2047}, {1331, 1852, 1510, 2047}, {1325, 1682, 1510, 1850},
    {1311, 1512, 1496, 1680}, {1516, 1307, 1689, 1502}, {1874, 1547, 2047, 1717},
    {1134, 1509, 1309, 1702}, {1337, 1332, 1514, 1502}, {1150, 1704, 1323, 1869},
    {1122, 1871, 1329, 2047}, {955, 1531, 1132, 1702},  {1158, 1307, 1335, 1507},
    {943, 1882, 1120, 2047},  {971, 1704, 1148, 1869},  {1501, 1120, 1677, 1298},
    {1872, 1814, 2045, 2039}, {1690, 1096, 1866, 1324},
};

namespace {

constexpr uint32_t FRAME_LIGHT = 0xFFE0E8FF;
constexpr uint32_t GLYPH_INK = 0xFFFFFFFF;

// Hair colours: the party of four (as their small faces and models have them), then
// villagers, soldiers, elders and strangers.
constexpr uint32_t faceHair[FACE_COUNT] = {
    0xFF7A4A22, 0xFFE0C050, 0xFFD86A28, 0xFF3A2418, 0xFFB8B8B8, 0xFFC03028, 0xFF3C8A48,
    0xFFE080A8, 0xFF7040A0, 0xFFB07850, 0xFF2A9A9A, 0xFFF0F0E8, 0xFF4A3020, 0xFF283C78,
    0xFFD8A070, 0xFF905050, 0xFF98B040, 0xFF503870, 0xFFC8C8A0, 0xFF305030, 0xFFA03060,
    0xFF6A5040, 0xFF40A0D0, 0xFFD0D040, 0xFF808890, 0xFF602020,
};

AtlasImage Face(int n) {
    return {AtlasSheet::Interface, faceRects[n], AtlasArt::Face, "", faceHair[n]};
}

const AtlasImage fixedImages[] = {
    // A later image covers an earlier one it overlaps, and four portrait rectangles overlap:
    // 24 lies under 8 and 9 and is painted first, 5 under 1 and 2 next, so that the party and
    // the other portraits stay whole.
    Face(24),
    Face(5),
    Face(0),
    Face(1),
    Face(2),
    Face(3),
    Face(4),
    Face(6),
    Face(7),
    Face(8),
    Face(9),
    Face(10),
    Face(11),
    Face(12),
    Face(13),
    Face(14),
    Face(15),
    Face(16),
    Face(17),
    Face(18),
    Face(19),
    Face(20),
    Face(21),
    Face(22),
    Face(23),
    Face(25),
    {AtlasSheet::Interface, RECT_MESSAGE_WINDOW, AtlasArt::Panel, "", FRAME_LIGHT},
    // The fade tile lies inside the window and must stay black, so the whole inside is black.
    {AtlasSheet::Interface,
     {RECT_MESSAGE_WINDOW.left + 2, RECT_MESSAGE_WINDOW.top + 2, RECT_MESSAGE_WINDOW.right - 2,
      RECT_MESSAGE_WINDOW.bottom - 2},
     AtlasArt::Fill,
     "",
     0xFF000000},
    {AtlasSheet::Interface, RECT_MESSAGE_CHOICE_BAR, AtlasArt::Fill, "", 0xFF3C78F0},
    // The captions also choose the scenes' times of day: day, dusk and night.
    {AtlasSheet::Glyphs, RECT_TITLE_LOWER_BACKGROUNDS[0], AtlasArt::Picture, "青空の草原",
     0xFFFFFFFF},
    {AtlasSheet::Glyphs, RECT_TITLE_LOWER_BACKGROUNDS[1], AtlasArt::Picture, "夕暮れの道",
     0xFFFFFFFF},
    {AtlasSheet::Glyphs, RECT_TITLE_LOWER_BACKGROUNDS[2], AtlasArt::Picture, "星空の丘",
     0xFFFFFFFF},
    {AtlasSheet::Glyphs, RECT_PICTURE_SCREEN_IMAGE, AtlasArt::Picture, "旅路の果て", 0xFFFFFFFF},
};

// Rows 0 and 1 are blank cells; every other row gets its character painted.
constexpr uint32_t FIRST_PAINTED_GLYPH = GLYPH_DIGIT_ZERO;
constexpr size_t MESSAGE_IMAGE_COUNT = std::size(fixedImages) + GLYPH_COUNT - FIRST_PAINTED_GLYPH;

struct Utf8Char {
    char bytes[5];
};

constexpr Utf8Char EncodeUtf8(uint32_t c) {
    Utf8Char out{};
    if (c < 0x80) {
        out.bytes[0] = static_cast<char>(c);
    } else if (c < 0x800) {
        out.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
        out.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
        out.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out.bytes[0] = static_cast<char>(0xF0 | (c >> 18));
        out.bytes[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out.bytes[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out.bytes[3] = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Built from the glyph table, which is constant data and so complete before these run.
const std::array<Utf8Char, GLYPH_COUNT> glyphTexts = [] {
    std::array<Utf8Char, GLYPH_COUNT> texts{};
    for (const GlyphRecord& glyph : glyphTable) {
        texts[glyph.code] = EncodeUtf8(glyph.character);
    }
    return texts;
}();

const std::array<AtlasImage, MESSAGE_IMAGE_COUNT> messageImages = [] {
    std::array<AtlasImage, MESSAGE_IMAGE_COUNT> images{};
    size_t at = 0;
    for (const AtlasImage& image : fixedImages) {
        images[at++] = image;
    }
    for (uint32_t code = FIRST_PAINTED_GLYPH; code < GLYPH_COUNT; ++code) {
        images[at++] = {AtlasSheet::Glyphs, GlyphRect(glyphTable[code]), AtlasArt::Label,
                        glyphTexts[code].bytes, GLYPH_INK};
    }
    return images;
}();

}  // namespace

const AtlasImageList messageAtlasImages = {messageImages.data(), messageImages.size()};
