// Text drawing through FreeType: font loading, glyph layout, fitting and outlined compositing.
#include "datapack/text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace {

// One glyph rendered at one scale: its coverage bitmap, where its top-left pixel sits relative
// to the pen on the baseline (y growing down), and how far it moves the pen.
struct RenderedGlyph {
    int x = 0;
    int y = 0;
    int width = 0;
    int rows = 0;
    long advance = 0;  // 1/64 pixels
    std::vector<uint8_t> coverage;
};

}  // namespace

struct FontSet {
    FT_Library library = nullptr;
    FT_Face latin = nullptr;
    FT_Face japanese = nullptr;
    // Fitting lays the same glyphs out at the same few sizes again and again (and a sheet
    // repeats its cell heights), so every rendered glyph is kept; see GlyphKey.
    std::unordered_map<uint64_t, RenderedGlyph> glyphs;
};

void FontSetDeleter::operator()(FontSet* fonts) const {
    if (fonts->latin != nullptr) {
        FT_Done_Face(fonts->latin);
    }
    if (fonts->japanese != nullptr) {
        FT_Done_Face(fonts->japanese);
    }
    if (fonts->library != nullptr) {
        FT_Done_FreeType(fonts->library);
    }
    delete fonts;
}

namespace {

FT_Face OpenFace(FT_Library library, const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw std::runtime_error("font file " + path +
                                 " is missing (scripts/install-deps.sh installs it)");
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        throw std::runtime_error("font file " + path + " cannot be read as a font");
    }
    return face;
}

}  // namespace

FontSetPtr OpenFonts(const std::string& latinPath, const std::string& japanesePath) {
    FontSetPtr fonts(new FontSet);
    if (FT_Init_FreeType(&fonts->library) != 0) {
        throw std::runtime_error("FreeType cannot start");
    }
    fonts->latin = OpenFace(fonts->library, latinPath);
    fonts->japanese = OpenFace(fonts->library, japanesePath);
    return fonts;
}

uint32_t BlendOver(uint32_t dst, uint32_t colour, float coverage) {
    coverage = std::clamp(coverage, 0.0f, 1.0f);
    uint32_t alpha = colour >> 24;
    if (coverage >= 1.0f && alpha == 255) {
        return colour;
    }
    float sa = static_cast<float>(alpha) / 255.0f * coverage;
    if (sa <= 0.0f) {
        return dst;
    }
    auto byte = [](float v) { return static_cast<uint32_t>(std::clamp(v, 0.0f, 255.0f) + 0.5f); };
    if ((dst >> 24) == 0) {
        // Nothing beneath: the colour keeps its own channels, only its alpha drops.
        return (byte(sa * 255.0f) << 24) | (colour & 0x00FFFFFF);
    }
    float da = static_cast<float>(dst >> 24) / 255.0f;
    float keep = da * (1.0f - sa);
    float oa = sa + keep;
    uint32_t out = byte(oa * 255.0f) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        float s = static_cast<float>((colour >> shift) & 0xFF);
        float d = static_cast<float>((dst >> shift) & 0xFF);
        out |= byte((s * sa + d * keep) / oa) << shift;
    }
    return out;
}

void BlendPixel(RgbaImage& image, const PixelBox& clip, int x, int y, uint32_t colour,
                float coverage) {
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom || x < 0 || y < 0 ||
        x >= image.width || y >= image.height) {
        return;
    }
    uint32_t& pixel = image.pixels[static_cast<size_t>(y) * image.width + x];
    pixel = BlendOver(pixel, colour, coverage);
}

namespace {

std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        int extra = byte < 0x80           ? 0
                    : (byte >> 5) == 0x06 ? 1
                    : (byte >> 4) == 0x0E ? 2
                    : (byte >> 3) == 0x1E ? 3
                                          : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t code = extra == 0 ? byte : byte & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(code);
        i += 1 + extra;
    }
    return out;
}

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A glyph of a layout: where its top-left pixel sits relative to the layout origin (the first
// line's baseline, y growing down).
struct PlacedGlyph {
    int x = 0;
    int y = 0;
    const RenderedGlyph* glyph = nullptr;
};

struct TextLayout {
    std::vector<PlacedGlyph> glyphs;
    PixelBox ink;  // union of the glyph bitmaps, relative to the origin
};

void Include(PixelBox& box, const PixelBox& more) {
    if (BoxEmpty(more)) {
        return;
    }
    if (BoxEmpty(box)) {
        box = more;
        return;
    }
    box.left = std::min(box.left, more.left);
    box.top = std::min(box.top, more.top);
    box.right = std::max(box.right, more.right);
    box.bottom = std::max(box.bottom, more.bottom);
}

// The font's pixel size: height of the em, and its width (narrower to condense the glyphs).
struct GlyphScale {
    int height = 0;
    int width = 0;
};

uint64_t GlyphKey(bool japanese, FT_UInt index, GlyphScale scale, bool crisp) {
    return (static_cast<uint64_t>(index) << 28) | (static_cast<uint64_t>(scale.height) << 15) |
           (static_cast<uint64_t>(scale.width) << 2) | (japanese ? 2u : 0u) | (crisp ? 1u : 0u);
}

// Renders the glyph slot just loaded.
RenderedGlyph RenderSlot(FT_Face face, bool embolden, GlyphScale scale, bool crisp) {
    FT_GlyphSlot slot = face->glyph;
    RenderedGlyph out;
    long strength = 0;
    // The Japanese face has one regular weight; thickening it keeps its strokes as heavy as the
    // bold Latin face's beside the dark outline.
    if (embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE && scale.height >= 18) {
        strength = scale.width * 64 / 32;
        FT_Outline_EmboldenXY(&slot->outline, strength, scale.height * 64 / 32);
    }
    out.advance = slot->advance.x + strength;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
        return out;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    out.x = slot->bitmap_left;
    out.y = -slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.coverage.assign(static_cast<size_t>(out.width) * out.rows, 0);
    for (int row = 0; row < out.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        for (int col = 0; col < out.width; ++col) {
            int value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                value = (line[col >> 3] & (0x80 >> (col & 7))) != 0 ? 255 : 0;
            } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                value = line[col] * 255 / std::max(1, bitmap.num_grays - 1);
            }
            if (crisp) {
                // Steepened edges: half-covered pixels become nearly solid or nearly empty, so
                // the strokes of small digits do not blur into their outline.
                value = std::clamp((value - 56) * 255 / 150, 0, 255);
            } else if (scale.height < 16) {
                // Small strokes are thinner than a pixel and never fully cover one; without a
                // boost they blend into the outline and the text reads grey.
                value = std::min(255, value * 8 / 5);
            }
            out.coverage[static_cast<size_t>(row) * out.width + col] = static_cast<uint8_t>(value);
        }
    }
    return out;
}

// The glyph at the scale the face is set to, rendered once. Null when the font cannot load it.
const RenderedGlyph* GlyphAt(FontSet& fonts, FT_Face face, FT_UInt index, GlyphScale scale,
                             bool crisp, FT_Int32 flags) {
    bool japanese = face == fonts.japanese;
    uint64_t key = GlyphKey(japanese, index, scale, crisp);
    auto found = fonts.glyphs.find(key);
    if (found != fonts.glyphs.end()) {
        return &found->second;
    }
    if (FT_Load_Glyph(face, index, flags) != 0) {
        return nullptr;
    }
    return &fonts.glyphs.emplace(key, RenderSlot(face, japanese, scale, crisp)).first->second;
}

PixelBox InkOf(const PlacedGlyph& placed) {
    return {placed.x, placed.y, placed.x + placed.glyph->width, placed.y + placed.glyph->rows};
}

TextLayout LayOut(FontSet& fonts, std::string_view text, GlyphScale scale, bool crisp) {
    FT_Face primary = HasNonAscii(text) ? fonts.japanese : fonts.latin;
    FT_Face secondary = primary == fonts.latin ? fonts.japanese : fonts.latin;
    for (FT_Face face : {primary, secondary}) {
        FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(scale.width),
                           static_cast<FT_UInt>(scale.height));
    }
    FT_Int32 flags = FT_LOAD_NO_BITMAP | (crisp ? FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_NORMAL
                                                : FT_LOAD_TARGET_LIGHT);
    int lineHeight = static_cast<int>((primary->size->metrics.height + 63) >> 6);

    TextLayout layout;
    int baseline = 0;
    std::vector<char32_t> codes = DecodeUtf8(text);
    size_t start = 0;
    while (start <= codes.size()) {
        size_t end = start;
        while (end < codes.size() && codes[end] != U'\n') {
            ++end;
        }
        std::vector<PlacedGlyph> line;
        PixelBox lineInk;
        long pen = 0;
        FT_Face previousFace = nullptr;
        FT_UInt previousIndex = 0;
        for (size_t i = start; i < end; ++i) {
            FT_Face face = primary;
            FT_UInt index = FT_Get_Char_Index(primary, codes[i]);
            if (index == 0) {
                FT_UInt other = FT_Get_Char_Index(secondary, codes[i]);
                if (other != 0) {
                    face = secondary;
                    index = other;
                }
            }
            if (face == previousFace && previousIndex != 0 && FT_HAS_KERNING(face)) {
                FT_Vector kern{};
                if (FT_Get_Kerning(face, previousIndex, index, FT_KERNING_DEFAULT, &kern) == 0) {
                    pen += kern.x;
                }
            }
            previousFace = face;
            previousIndex = index;
            const RenderedGlyph* rendered = GlyphAt(fonts, face, index, scale, crisp, flags);
            if (rendered == nullptr) {
                continue;
            }
            PlacedGlyph glyph{rendered->x + static_cast<int>((pen + 32) >> 6),
                              rendered->y + baseline, rendered};
            pen += rendered->advance;
            if (rendered->width > 0 && rendered->rows > 0) {
                Include(lineInk, InkOf(glyph));
                line.push_back(glyph);
            }
        }
        // Every line is centred on x = 0 by its ink.
        int shift = -(lineInk.left + lineInk.right) / 2;
        for (PlacedGlyph& glyph : line) {
            glyph.x += shift;
            Include(layout.ink, InkOf(glyph));
            layout.glyphs.push_back(glyph);
        }
        baseline += lineHeight;
        start = end + 1;
    }
    return layout;
}

// The box a scale is fitted by: the text's ink, its height widened by the reference's.
PixelBox FittedExtent(FontSet& fonts, std::string_view text, const TextStyle& style,
                      GlyphScale scale, TextLayout* layoutOut) {
    TextLayout layout = LayOut(fonts, text, scale, style.crisp);
    PixelBox extent = layout.ink;
    if (!style.heightReference.empty() && !BoxEmpty(extent)) {
        PixelBox reference = LayOut(fonts, style.heightReference, scale, style.crisp).ink;
        extent.top = std::min(extent.top, reference.top);
        extent.bottom = std::max(extent.bottom, reference.bottom);
    }
    if (layoutOut != nullptr) {
        *layoutOut = std::move(layout);
    }
    return extent;
}

int Width(const PixelBox& box) {
    return box.right - box.left;
}

int Height(const PixelBox& box) {
    return box.bottom - box.top;
}

// The size every fit is first measured at (and whether there is any ink at all).
constexpr int probeSize = 32;

// The largest scale whose extent fits room: the height that fits, then the width condensed
// down to style.narrowest of it, then both shrunk together. Ink grows nearly in proportion to
// the scale, so each step starts from a proportional estimate and hinting settles the last
// pixel or two.
GlyphScale FitScale(FontSet& fonts, std::string_view text, const TextStyle& style, int roomWidth,
                    int roomHeight) {
    auto extentAt = [&](GlyphScale scale) {
        return FittedExtent(fonts, text, style, scale, nullptr);
    };
    auto square = [](int size) { return GlyphScale{size, size}; };
    auto heightFits = [&](int size) { return Height(extentAt(square(size))) <= roomHeight; };

    PixelBox probe = extentAt(square(probeSize));
    int height = std::clamp(probeSize * roomHeight / std::max(1, Height(probe)), 1, 4096);
    while (height > 1 && !heightFits(height)) {
        --height;
    }
    for (int step = 0; step < 4 && heightFits(height + 1); ++step) {
        ++height;
    }
    PixelBox extent = extentAt(square(height));
    if (Width(extent) <= roomWidth) {
        return square(height);
    }

    auto fits = [&](GlyphScale scale) {
        PixelBox box = extentAt(scale);
        return Width(box) <= roomWidth && Height(box) <= roomHeight;
    };
    int narrowest = std::max(1, static_cast<int>(std::ceil(height * style.narrowest)));
    int width = std::clamp(height * roomWidth / std::max(1, Width(extent)), narrowest, height);
    while (width > narrowest && !fits({height, width})) {
        --width;
    }
    if (fits({height, width})) {
        for (int step = 0; step < 4 && width < height && fits({height, width + 1}); ++step) {
            ++width;
        }
        return {height, width};
    }

    auto condensed = [&](int size) {
        return GlyphScale{size, std::max(1, static_cast<int>(std::lround(size * style.narrowest)))};
    };
    PixelBox narrow = extentAt(condensed(height));
    int size = std::clamp(height * roomWidth / std::max(1, Width(narrow)), 1, height);
    while (size > 1 && !fits(condensed(size))) {
        --size;
    }
    for (int step = 0; step < 4 && size < height && fits(condensed(size + 1)); ++step) {
        ++size;
    }
    return condensed(size);
}

// Composites the layout with its outline into box, the layout's origin at (originX, originY);
// returns the pixels drawn.
PixelBox CompositeLayout(RgbaImage& image, const PixelBox& box, const TextLayout& layout,
                         int originX, int originY, int pad, const TextStyle& style) {
    // The glyphs' coverage and its 3 x 3 dilation (the outline) over the ink box plus the pad.
    int maskLeft = layout.ink.left - pad;
    int maskTop = layout.ink.top - pad;
    int maskWidth = Width(layout.ink) + 2 * pad;
    int maskHeight = Height(layout.ink) + 2 * pad;
    std::vector<uint8_t> mask(static_cast<size_t>(maskWidth) * maskHeight, 0);
    for (const PlacedGlyph& placed : layout.glyphs) {
        const RenderedGlyph& glyph = *placed.glyph;
        for (int row = 0; row < glyph.rows; ++row) {
            for (int col = 0; col < glyph.width; ++col) {
                size_t at = static_cast<size_t>(placed.y + row - maskTop) * maskWidth +
                            (placed.x + col - maskLeft);
                mask[at] = std::max(mask[at],
                                    glyph.coverage[static_cast<size_t>(row) * glyph.width + col]);
            }
        }
    }
    PixelBox drawn;
    for (int y = 0; y < maskHeight; ++y) {
        for (int x = 0; x < maskWidth; ++x) {
            int ring = 0;
            if (pad != 0) {
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        int nx = x + dx;
                        int ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < maskWidth && ny < maskHeight) {
                            ring =
                                std::max<int>(ring, mask[static_cast<size_t>(ny) * maskWidth + nx]);
                        }
                    }
                }
            }
            int cover = mask[static_cast<size_t>(y) * maskWidth + x];
            if (ring == 0 && cover == 0) {
                continue;
            }
            uint32_t layer = BlendOver(0, style.outline, ring / 255.0f);
            layer = BlendOver(layer, style.colour, cover / 255.0f);
            int px = originX + maskLeft + x;
            int py = originY + maskTop + y;
            if (px < box.left || px >= box.right || py < box.top || py >= box.bottom) {
                continue;
            }
            BlendPixel(image, box, px, py, layer, 1.0f);
            Include(drawn, {px, py, px + 1, py + 1});
        }
    }
    return drawn;
}

// The room a fitted text's extent has in box: inside the outline and right of the left margin.
struct FitRoom {
    int pad = 0;
    int margin = 0;
    int width = 0;
    int height = 0;
};

FitRoom RoomIn(const PixelBox& box, const TextStyle& style) {
    FitRoom room;
    room.pad = (style.outline >> 24) != 0 ? 1 : 0;
    room.margin = std::max(0, style.leftMargin);
    room.width = box.right - box.left - 2 * room.pad - room.margin;
    room.height = box.bottom - box.top - 2 * room.pad;
    return room;
}

bool HasRoomAndInk(FontSet& fonts, const FitRoom& room, std::string_view text,
                   const TextStyle& style) {
    return room.width > 0 && room.height > 0 &&
           !BoxEmpty(LayOut(fonts, text, {probeSize, probeSize}, style.crisp).ink);
}

}  // namespace

TextScale FitTextScale(FontSet& fonts, const PixelBox& box, std::string_view text,
                       const TextStyle& style) {
    FitRoom room = RoomIn(box, style);
    if (!HasRoomAndInk(fonts, room, text, style)) {
        return {};
    }
    GlyphScale scale = FitScale(fonts, text, style, room.width, room.height);
    return {scale.height, scale.width};
}

bool TextFitsAt(FontSet& fonts, const PixelBox& box, std::string_view text, const TextStyle& style,
                TextScale scale) {
    FitRoom room = RoomIn(box, style);
    if (scale.pixelSize <= 0 || scale.pixelWidth <= 0 || room.width <= 0 || room.height <= 0) {
        return false;
    }
    PixelBox extent =
        FittedExtent(fonts, text, style, {scale.pixelSize, scale.pixelWidth}, nullptr);
    return Width(extent) <= room.width && Height(extent) <= room.height;
}

TextPlacement DrawFittedText(FontSet& fonts, RgbaImage& image, const PixelBox& box,
                             std::string_view text, const TextStyle& style) {
    TextPlacement placement;
    FitRoom room = RoomIn(box, style);
    if (!HasRoomAndInk(fonts, room, text, style)) {
        return placement;
    }
    GlyphScale scale{style.pixelSize, style.pixelWidth};
    if (scale.height <= 0 || scale.width <= 0) {
        scale = FitScale(fonts, text, style, room.width, room.height);
    }

    TextLayout layout;
    PixelBox extent = FittedExtent(fonts, text, style, scale, &layout);
    int left = box.left + room.pad + room.margin;
    int originX = style.leftMargin >= 0
                      ? left - layout.ink.left
                      : left + (room.width - Width(layout.ink)) / 2 - layout.ink.left;
    int originY = box.top + room.pad + (room.height - Height(extent)) / 2 - extent.top;
    placement.ink = CompositeLayout(image, box, layout, originX, originY, room.pad, style);
    placement.pixelSize = scale.height;
    placement.pixelWidth = scale.width;
    return placement;
}

TextPlacement DrawTextCell(FontSet& fonts, RgbaImage& image, const PixelBox& cell,
                           std::string_view text, int pixelSize, int baseline,
                           const TextStyle& style) {
    TextPlacement placement;
    int pad = (style.outline >> 24) != 0 ? 1 : 0;
    int roomWidth = cell.right - cell.left - 2 * pad;
    if (roomWidth <= 0 || pixelSize <= 0 || BoxEmpty(cell)) {
        return placement;
    }
    int narrowest = std::max(1, static_cast<int>(std::ceil(pixelSize * style.narrowest)));
    GlyphScale scale{pixelSize, pixelSize};
    TextLayout layout = LayOut(fonts, text, scale, style.crisp);
    while (scale.width > narrowest && Width(layout.ink) > roomWidth) {
        scale.width -= 1;
        layout = LayOut(fonts, text, scale, style.crisp);
    }
    if (BoxEmpty(layout.ink)) {
        return placement;
    }
    int originX = cell.left + pad + (roomWidth - Width(layout.ink)) / 2 - layout.ink.left;
    placement.ink = CompositeLayout(image, cell, layout, originX, cell.top + baseline, pad, style);
    placement.pixelSize = scale.height;
    placement.pixelWidth = scale.width;
    return placement;
}
