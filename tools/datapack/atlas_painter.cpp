// The atlas painter: flat shapes with anti-aliased edges, faces, scenes, badges and fitted text,
// one painting routine per kind of art.
#include "datapack/atlas_painter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The colour the texture loader keys out as transparent; painted art must never produce it.
constexpr uint32_t COLOUR_KEY = 0xFF00FF00;

uint32_t Mix(uint32_t a, uint32_t b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    uint32_t out = 0;
    for (int shift = 0; shift <= 24; shift += 8) {
        float ca = static_cast<float>((a >> shift) & 0xFF);
        float cb = static_cast<float>((b >> shift) & 0xFF);
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

uint32_t Opaque(uint32_t colour) {
    return colour | 0xFF000000;
}

// Where one image paints: the sheet and the image's own rectangle, which nothing leaves.
struct Canvas {
    RgbaImage& image;
    PixelBox clip;
};

// Pixels a shape may touch: its bounds grown by a pixel for the soft edge, within the clip.
PixelBox Reach(const Canvas& canvas, float x0, float y0, float x1, float y1) {
    PixelBox box;
    box.left = std::max(canvas.clip.left, static_cast<int>(std::floor(x0)) - 1);
    box.top = std::max(canvas.clip.top, static_cast<int>(std::floor(y0)) - 1);
    box.right = std::min(canvas.clip.right, static_cast<int>(std::ceil(x1)) + 1);
    box.bottom = std::min(canvas.clip.bottom, static_cast<int>(std::ceil(y1)) + 1);
    return box;
}

float Overlap(float a0, float a1, float b0, float b1) {
    return std::max(0.0f, std::min(a1, b1) - std::max(a0, b0));
}

// An axis-aligned rectangle in fractional pixels; edge pixels get their covered fraction.
void FillRect(Canvas& canvas, float x0, float y0, float x1, float y1, uint32_t colour) {
    PixelBox reach = Reach(canvas, x0, y0, x1, y1);
    for (int y = reach.top; y < reach.bottom; ++y) {
        float cy = Overlap(static_cast<float>(y), y + 1.0f, y0, y1);
        for (int x = reach.left; x < reach.right; ++x) {
            float cover = cy * Overlap(static_cast<float>(x), x + 1.0f, x0, x1);
            if (cover > 0.0f) {
                BlendPixel(canvas.image, canvas.clip, x, y, colour, cover);
            }
        }
    }
}

// top colour on the first row of box to bottom colour on its last.
void FillVerticalGradient(Canvas& canvas, const PixelBox& box, uint32_t top, uint32_t bottom) {
    int rows = std::max(1, box.bottom - box.top - 1);
    for (int y = box.top; y < box.bottom; ++y) {
        uint32_t colour = Mix(top, bottom, static_cast<float>(y - box.top) / rows);
        for (int x = box.left; x < box.right; ++x) {
            BlendPixel(canvas.image, canvas.clip, x, y, colour, 1.0f);
        }
    }
}

// Coverage from the distance of the pixel centre to the edge: a one-pixel soft ramp.
float EdgeCoverage(float insideDistance) {
    return std::clamp(insideDistance + 0.5f, 0.0f, 1.0f);
}

void FillEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, uint32_t colour) {
    if (rx <= 0.0f || ry <= 0.0f) {
        return;
    }
    PixelBox reach = Reach(canvas, cx - rx, cy - ry, cx + rx, cy + ry);
    for (int y = reach.top; y < reach.bottom; ++y) {
        for (int x = reach.left; x < reach.right; ++x) {
            float dx = x + 0.5f - cx;
            float dy = y + 0.5f - cy;
            float nx = dx / rx;
            float ny = dy / ry;
            float r = std::sqrt(nx * nx + ny * ny);
            float distance = 0.0f;
            if (r > 1e-4f) {
                // (r - 1) over the gradient of r approximates the distance to the ellipse edge.
                float gx = dx / (rx * rx);
                float gy = dy / (ry * ry);
                distance = (1.0f - r) * r / std::sqrt(gx * gx + gy * gy);
            } else {
                distance = std::min(rx, ry);
            }
            float cover = EdgeCoverage(distance);
            if (cover > 0.0f) {
                BlendPixel(canvas.image, canvas.clip, x, y, colour, cover);
            }
        }
    }
}

struct Point {
    float x;
    float y;
};

// A convex polygon, corners in either turning direction.
void FillConvex(Canvas& canvas, const std::vector<Point>& corners, uint32_t colour) {
    if (corners.size() < 3) {
        return;
    }
    float area = 0.0f;
    float x0 = corners[0].x, x1 = corners[0].x, y0 = corners[0].y, y1 = corners[0].y;
    for (size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        area += a.x * b.y - b.x * a.y;
        x0 = std::min(x0, a.x);
        x1 = std::max(x1, a.x);
        y0 = std::min(y0, a.y);
        y1 = std::max(y1, a.y);
    }
    if (std::abs(area) < 1e-6f) {
        return;
    }
    float turn = area > 0.0f ? 1.0f : -1.0f;
    PixelBox reach = Reach(canvas, x0, y0, x1, y1);
    for (int y = reach.top; y < reach.bottom; ++y) {
        for (int x = reach.left; x < reach.right; ++x) {
            float px = x + 0.5f;
            float py = y + 0.5f;
            float inside = 1e9f;
            for (size_t i = 0; i < corners.size(); ++i) {
                const Point& a = corners[i];
                const Point& b = corners[(i + 1) % corners.size()];
                float ex = b.x - a.x;
                float ey = b.y - a.y;
                float length = std::sqrt(ex * ex + ey * ey);
                if (length < 1e-6f) {
                    continue;
                }
                inside = std::min(inside, turn * (ex * (py - a.y) - ey * (px - a.x)) / length);
            }
            float cover = EdgeCoverage(inside);
            if (cover > 0.0f) {
                BlendPixel(canvas.image, canvas.clip, x, y, colour, cover);
            }
        }
    }
}

uint32_t HashText(std::string_view text) {
    uint32_t hash = 2166136261u;
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

bool HasNonAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// --- one routine per kind of art -----------------------------------------------------------

// Message text centres each glyph cell in a box of one height, so cells of any height whose
// baseline lies the same distance below their centre stand on one line. The distance puts the
// font's em box (ascent 0.88 em, descent 0.12 em) centred in the cell.
constexpr int GLYPH_PIXEL_SIZE = 16;
constexpr int GLYPH_BASELINE_BELOW_CENTRE = 6;

void PaintGlyphCell(FontSet& fonts, Canvas& canvas, const AtlasImage& image) {
    TextStyle style;
    style.colour = image.colour;
    style.crisp = true;
    // Narrow cells (the digit one is 4 pixels) take their character condensed.
    style.narrowest = 0.3f;
    int height = canvas.clip.bottom - canvas.clip.top;
    DrawTextCell(fonts, canvas.image, canvas.clip, image.text, GLYPH_PIXEL_SIZE,
                 height / 2 + GLYPH_BASELINE_BELOW_CENTRE, style);
}

void PaintLabel(FontSet& fonts, Canvas& canvas, const AtlasImage& image, bool glyphSheet,
                TextScale listScale) {
    // Labels on the glyph sheet are the glyphs of message text, set side by side in lines.
    if (glyphSheet) {
        PaintGlyphCell(fonts, canvas, image);
        return;
    }
    TextStyle style = AtlasLabelStyle(image);
    if (image.list != LabelList::None) {
        style.pixelSize = listScale.pixelSize;
        style.pixelWidth = listScale.pixelWidth;
    }
    DrawFittedText(fonts, canvas.image, canvas.clip, image.text, style);
}

void PaintDigit(FontSet& fonts, Canvas& canvas, const AtlasImage& image) {
    TextStyle style;
    style.colour = image.colour;
    style.crisp = true;
    // Every digit of a set gets the same size and baseline, whatever its own shape.
    style.heightReference = "0123456789";
    // Digit cells are drawn as tall as the set, as narrow as the cell: a "1" cell may be a
    // third as wide as it is high.
    style.narrowest = 0.3f;
    DrawFittedText(fonts, canvas.image, canvas.clip, image.text, style);
}

void PaintPanel(Canvas& canvas, const AtlasImage& image) {
    const PixelBox& box = canvas.clip;
    constexpr int frame = 2;
    PixelBox inner{box.left + frame, box.top + frame, box.right - frame, box.bottom - frame};
    FillRect(canvas, static_cast<float>(box.left), static_cast<float>(box.top),
             static_cast<float>(box.right), static_cast<float>(box.bottom), Opaque(image.colour));
    if (!BoxEmpty(inner)) {
        FillVerticalGradient(canvas, inner, PANEL_INTERIOR_TOP, PANEL_INTERIOR_BOTTOM);
    }
}

void PaintCursor(Canvas& canvas, const AtlasImage& image) {
    const PixelBox& box = canvas.clip;
    float left = static_cast<float>(box.left);
    float right = static_cast<float>(box.right);
    float top = static_cast<float>(box.top);
    float bottom = static_cast<float>(box.bottom);
    FillConvex(canvas, {{left, top}, {right, (top + bottom) / 2.0f}, {left, bottom}}, image.colour);
}

void PaintFill(Canvas& canvas, const AtlasImage& image) {
    const PixelBox& box = canvas.clip;
    for (int y = box.top; y < box.bottom; ++y) {
        std::fill_n(
            canvas.image.pixels.begin() + static_cast<ptrdiff_t>(y) * canvas.image.width + box.left,
            box.right - box.left, image.colour);
    }
}

void PaintFace(Canvas& canvas, const AtlasImage& image) {
    const PixelBox& box = canvas.clip;
    float width = static_cast<float>(box.right - box.left);
    float height = static_cast<float>(box.bottom - box.top);
    uint32_t hair = Opaque(image.colour);
    uint32_t hairShade = Mix(hair, 0xFF000000, 0.35f);
    constexpr uint32_t skin = 0xFFF3CDA8;
    constexpr uint32_t skinShade = 0xFFD9A882;
    constexpr uint32_t ink = 0xFF2A1A18;
    uint32_t clothes = Mix(Mix(hair, 0xFF4060A0, 0.6f), 0xFF000000, 0.25f);

    // A portrait backdrop tinted by the hair, so the whole rectangle is the picture.
    FillVerticalGradient(canvas, box, Mix(hair, 0xFF5A6A8A, 0.75f), Mix(hair, 0xFF1A2038, 0.8f));

    // The face is laid out in a square of side s, centred across and standing on the bottom.
    float s = std::min(width, height);
    float ox = box.left + (width - s) / 2.0f;
    float oy = box.bottom - s;
    auto X = [&](float u) { return ox + u * s; };
    auto Y = [&](float v) { return oy + v * s; };

    FillEllipse(canvas, X(0.5f), Y(1.08f), 0.46f * s, 0.26f * s, clothes);
    FillRect(canvas, X(0.43f), Y(0.70f), X(0.57f), Y(0.86f), skinShade);
    FillEllipse(canvas, X(0.5f), Y(0.47f), 0.33f * s, 0.36f * s, hairShade);  // back hair
    FillRect(canvas, X(0.17f), Y(0.47f), X(0.83f), Y(0.80f), hairShade);
    FillEllipse(canvas, X(0.5f), Y(0.52f), 0.245f * s, 0.29f * s, skin);
    FillEllipse(canvas, X(0.5f), Y(0.30f), 0.29f * s, 0.17f * s, hair);  // crown and fringe
    FillConvex(canvas, {{X(0.30f), Y(0.34f)}, {X(0.40f), Y(0.34f)}, {X(0.33f), Y(0.45f)}}, hair);
    FillConvex(canvas, {{X(0.44f), Y(0.35f)}, {X(0.56f), Y(0.35f)}, {X(0.49f), Y(0.43f)}}, hair);
    FillConvex(canvas, {{X(0.60f), Y(0.34f)}, {X(0.70f), Y(0.34f)}, {X(0.67f), Y(0.45f)}}, hair);

    for (float side : {-1.0f, 1.0f}) {
        float ex = 0.5f + side * 0.105f;
        FillRect(canvas, X(ex - 0.05f), Y(0.445f), X(ex + 0.05f), Y(0.465f), hairShade);
        FillEllipse(canvas, X(ex), Y(0.535f), 0.042f * s, 0.058f * s, ink);
        FillEllipse(canvas, X(ex + 0.012f), Y(0.515f), 0.014f * s, 0.016f * s, 0xFFFFFFFF);
        FillEllipse(canvas, X(0.5f + side * 0.16f), Y(0.62f), 0.04f * s, 0.022f * s,
                    0x60FF6070);  // blush
    }
    FillEllipse(canvas, X(0.5f), Y(0.68f), 0.055f * s, 0.022f * s, 0xFFB04050);
}

void PaintCaption(FontSet& fonts, Canvas& canvas, const PixelBox& strip, const char* text,
                  uint32_t colour) {
    FillRect(canvas, static_cast<float>(strip.left), static_cast<float>(strip.top),
             static_cast<float>(strip.right), static_cast<float>(strip.bottom), 0xB0000000);
    TextStyle style;
    style.colour = colour;
    style.heightReference = HasNonAscii(text) ? "Hg国" : "Hg";
    PixelBox room{strip.left + 2, strip.top + 1, strip.right - 2, strip.bottom - 1};
    DrawFittedText(fonts, canvas.image, room, text, style);
}

void PaintPicture(FontSet& fonts, Canvas& canvas, const AtlasImage& image) {
    const PixelBox& box = canvas.clip;
    float width = static_cast<float>(box.right - box.left);
    float height = static_cast<float>(box.bottom - box.top);
    uint32_t hash = HashText(image.text);
    auto pick = [&hash](float low, float high) {
        hash = hash * 1664525u + 1013904223u;
        return low + (high - low) * static_cast<float>(hash >> 8) / 16777216.0f;
    };

    struct Palette {
        uint32_t skyTop, skyBottom, light, far, near, grassTop, grassBottom;
    };
    static constexpr Palette palettes[3] = {
        {0xFF3A7AD8, 0xFFBFE0FF, 0xFFFFF4B0, 0xFF8294C0, 0xFF4E6A8A, 0xFF5C9E44, 0xFF2F5E26},
        {0xFF3A2A6A, 0xFFF4A868, 0xFFFFD070, 0xFF7A5A8A, 0xFF4A3A5E, 0xFF5E7A3A, 0xFF2E3C22},
        {0xFF060C26, 0xFF2A3C74, 0xFFF0F0FF, 0xFF2C3660, 0xFF1A2240, 0xFF23402E, 0xFF101E16},
    };
    const Palette& palette = palettes[hash % 3];
    bool night = hash % 3 == 2;

    float horizon = box.top + height * 0.62f;
    PixelBox sky{box.left, box.top, box.right, static_cast<int>(std::ceil(horizon))};
    PixelBox ground{box.left, sky.bottom, box.right, box.bottom};
    FillVerticalGradient(canvas, sky, palette.skyTop, palette.skyBottom);
    FillVerticalGradient(canvas, ground, palette.grassTop, palette.grassBottom);
    if (night) {
        for (int i = 0; i < 24; ++i) {
            float sx = box.left + pick(0.0f, width);
            float sy = box.top + pick(0.0f, height * 0.5f);
            FillRect(canvas, sx, sy, sx + 1.0f, sy + 1.0f, 0xC0FFFFFF);
        }
    }
    float radius = std::max(1.5f, height * 0.08f);
    FillEllipse(canvas, box.left + width * pick(0.15f, 0.85f),
                box.top + height * pick(0.14f, 0.26f), radius, radius, palette.light);

    for (int layer = 0; layer < 2; ++layer) {
        uint32_t colour = layer == 0 ? palette.far : palette.near;
        int peaks = 2 + static_cast<int>(pick(0.0f, 2.0f));
        for (int i = 0; i < peaks; ++i) {
            float peakX = box.left + width * pick(-0.1f, 1.1f);
            float peakY = horizon - height * (layer == 0 ? pick(0.22f, 0.36f) : pick(0.1f, 0.2f));
            float spread = width * pick(0.22f, 0.4f);
            FillConvex(canvas,
                       {{peakX, peakY},
                        {peakX + spread, horizon + 1.0f},
                        {peakX - spread, horizon + 1.0f}},
                       colour);
        }
    }
    // A path running from the foreground to the horizon.
    float pathX = box.left + width * pick(0.35f, 0.65f);
    FillConvex(canvas,
               {{pathX - width * 0.01f, horizon},
                {pathX + width * 0.01f, horizon},
                {pathX + width * 0.16f, static_cast<float>(box.bottom)},
                {pathX - width * 0.16f, static_cast<float>(box.bottom)}},
               Mix(0xFFC8A870, palette.grassBottom, night ? 0.6f : 0.2f));
    int trees = 2 + static_cast<int>(pick(0.0f, 3.0f));
    for (int i = 0; i < trees; ++i) {
        float tx = box.left + width * pick(0.05f, 0.95f);
        if (std::abs(tx - pathX) < width * 0.12f) {
            tx += tx < pathX ? -width * 0.12f : width * 0.12f;
        }
        float base = horizon + (box.bottom - horizon) * pick(0.15f, 0.6f);
        float size = height * pick(0.12f, 0.2f);
        FillRect(canvas, tx - size * 0.07f, base - size * 0.3f, tx + size * 0.07f, base,
                 Mix(0xFF5A3A22, palette.grassBottom, night ? 0.5f : 0.0f));
        FillConvex(canvas,
                   {{tx, base - size * 1.1f},
                    {tx + size * 0.4f, base - size * 0.25f},
                    {tx - size * 0.4f, base - size * 0.25f}},
                   Mix(palette.grassBottom, 0xFF000000, 0.15f));
    }

    if (image.text != nullptr && image.text[0] != '\0') {
        int strip = std::clamp(static_cast<int>(height / 6.0f), 10, 40);
        strip = std::min(strip, box.bottom - box.top);
        PaintCaption(fonts, canvas, {box.left, box.bottom - strip, box.right, box.bottom},
                     image.text, Opaque(image.colour));
    }
}

void PaintIcon(FontSet& fonts, Canvas& canvas, const AtlasImage& image) {
    const PixelBox& box = canvas.clip;
    float width = static_cast<float>(box.right - box.left);
    float height = static_cast<float>(box.bottom - box.top);
    float radius = std::min(width, height) / 2.0f;
    float cx = box.left + width / 2.0f;
    float cy = box.top + height / 2.0f;
    uint32_t colour = Opaque(image.colour);
    float rim = std::max(1.0f, radius / 8.0f);
    FillEllipse(canvas, cx, cy, radius, radius, Mix(colour, 0xFF000000, 0.55f));
    FillEllipse(canvas, cx, cy, radius - rim, radius - rim, colour);
    FillEllipse(canvas, cx, cy - radius * 0.38f, radius * 0.55f, radius * 0.3f, 0x50FFFFFF);

    // The text goes in the square inscribed in the badge's face.
    float half = (radius - rim) * 0.72f;
    PixelBox room{static_cast<int>(std::ceil(cx - half)), static_cast<int>(std::ceil(cy - half)),
                  static_cast<int>(std::floor(cx + half)), static_cast<int>(std::floor(cy + half))};
    if (!BoxEmpty(room) && image.text != nullptr) {
        TextStyle style;
        style.colour = 0xFFFFFFFF;
        style.heightReference = HasNonAscii(image.text) ? "Hg国" : "";
        DrawFittedText(fonts, canvas.image, room, image.text, style);
    }
}

}  // namespace

RgbaImage BlankSheet(AtlasSheet sheet) {
    RgbaImage image;
    image.width = sheet == AtlasSheet::Interface ? INTERFACE_SHEET_WIDTH : GLYPH_SHEET_WIDTH;
    image.height = sheet == AtlasSheet::Interface ? INTERFACE_SHEET_HEIGHT : GLYPH_SHEET_HEIGHT;
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
    return image;
}

PixelBox AtlasPixelBox(const AtlasRect& rect, int width, int height) {
    auto whole = [](float v) { return std::isfinite(v) && v == std::floor(v); };
    if (!whole(rect.left) || !whole(rect.top) || !whole(rect.right) || !whole(rect.bottom)) {
        throw std::runtime_error("atlas rectangle edges are not whole pixels");
    }
    PixelBox box{static_cast<int>(rect.left), static_cast<int>(rect.top),
                 static_cast<int>(rect.right), static_cast<int>(rect.bottom)};
    if (BoxEmpty(box) || box.left < 0 || box.top < 0 || box.right > width || box.bottom > height) {
        throw std::runtime_error("atlas rectangle {" + std::to_string(box.left) + ", " +
                                 std::to_string(box.top) + ", " + std::to_string(box.right) + ", " +
                                 std::to_string(box.bottom) + "} is empty or outside its " +
                                 std::to_string(width) + " x " + std::to_string(height) + " sheet");
    }
    return box;
}

TextStyle AtlasLabelStyle(const AtlasImage& image) {
    TextStyle style;
    style.colour = image.colour;
    // Interface labels stand alone and use the Latin reference when they are Latin.
    style.heightReference = HasNonAscii(image.text) ? "Hg国" : "Hg";
    // A touch of condensing keeps long labels tall; much more would hurt their reading.
    style.narrowest = 0.85f;
    if (image.list != LabelList::None && !LabelListCentred(image.list)) {
        style.leftMargin = LIST_LABEL_MARGIN;
    }
    return style;
}

TextScale ListLabelScale(FontSet& fonts, LabelList list) {
    if (list == LabelList::None) {
        return {};
    }
    std::vector<const AtlasImage*> members;
    for (const AtlasImage& image : AtlasImages()) {
        if (image.list == list && image.art == AtlasArt::Label &&
            image.sheet == AtlasSheet::Interface && image.text != nullptr) {
            members.push_back(&image);
        }
    }
    auto boxOf = [](const AtlasImage& image) {
        return AtlasPixelBox(image.rect, INTERFACE_SHEET_WIDTH, INTERFACE_SHEET_HEIGHT);
    };
    // No member's own fit is exceeded in height or width, so every one fits up to the odd pixel
    // hinting adds at another scale, which the shrinking below takes back.
    TextScale scale;
    for (const AtlasImage* image : members) {
        TextScale own = FitTextScale(fonts, boxOf(*image), image->text, AtlasLabelStyle(*image));
        if (own.pixelSize <= 0) {
            continue;
        }
        if (scale.pixelSize <= 0) {
            scale = own;
        }
        scale.pixelSize = std::min(scale.pixelSize, own.pixelSize);
        scale.pixelWidth = std::min(scale.pixelWidth, own.pixelWidth);
    }
    auto allFit = [&](TextScale at) {
        return std::all_of(members.begin(), members.end(), [&](const AtlasImage* image) {
            return TextFitsAt(fonts, boxOf(*image), image->text, AtlasLabelStyle(*image), at);
        });
    };
    while (scale.pixelSize > 1 && !allFit(scale)) {
        scale.pixelSize -= 1;
        scale.pixelWidth = std::min(scale.pixelWidth, scale.pixelSize);
    }
    // A label condensed to fit at its own larger size may need less condensing at the list's.
    while (scale.pixelWidth < scale.pixelSize && allFit({scale.pixelSize, scale.pixelWidth + 1})) {
        scale.pixelWidth += 1;
    }
    return scale;
}

namespace {

void PaintImage(FontSet& fonts, RgbaImage& sheet, const AtlasImage& image, TextScale listScale) {
    Canvas canvas{sheet, AtlasPixelBox(image.rect, sheet.width, sheet.height)};
    const char* text = image.text != nullptr ? image.text : "";
    AtlasImage art = image;
    art.text = text;
    switch (image.art) {
        case AtlasArt::Label:
            PaintLabel(fonts, canvas, art, image.sheet == AtlasSheet::Glyphs, listScale);
            break;
        case AtlasArt::Digit:
            PaintDigit(fonts, canvas, art);
            break;
        case AtlasArt::Panel:
            PaintPanel(canvas, art);
            break;
        case AtlasArt::Cursor:
            PaintCursor(canvas, art);
            break;
        case AtlasArt::Fill:
            // Exactly the colour given, even the key colour: a Fill is a deliberate choice.
            PaintFill(canvas, art);
            return;
        case AtlasArt::Face:
            PaintFace(canvas, art);
            break;
        case AtlasArt::Picture:
            PaintPicture(fonts, canvas, art);
            break;
        case AtlasArt::Icon:
            PaintIcon(fonts, canvas, art);
            break;
    }
    // Blending can land exactly on the key colour (pure green text, say), which the game would
    // punch out as holes; one step off it looks the same.
    for (int y = canvas.clip.top; y < canvas.clip.bottom; ++y) {
        for (int x = canvas.clip.left; x < canvas.clip.right; ++x) {
            uint32_t& pixel = sheet.pixels[static_cast<size_t>(y) * sheet.width + x];
            if (pixel == COLOUR_KEY) {
                pixel = 0xFF00FE00;
            }
        }
    }
}

}  // namespace

void PaintAtlasImage(FontSet& fonts, RgbaImage& sheet, const AtlasImage& image) {
    PaintImage(fonts, sheet, image, ListLabelScale(fonts, image.list));
}

RgbaImage PaintAtlas(AtlasSheet sheet) {
    FontSetPtr fonts = OpenFonts();
    RgbaImage image = BlankSheet(sheet);
    // Each list's scale is worked out once, not once per label.
    std::map<LabelList, TextScale> listScales;
    for (size_t i = 0; i < AtlasImages().size(); ++i) {
        const AtlasImage& atlasImage = AtlasImages()[i];
        if (atlasImage.sheet != sheet) {
            continue;
        }
        try {
            auto found = listScales.find(atlasImage.list);
            if (found == listScales.end()) {
                found = listScales.emplace(atlasImage.list, ListLabelScale(*fonts, atlasImage.list))
                            .first;
            }
            PaintImage(*fonts, image, atlasImage, found->second);
        } catch (const std::runtime_error& error) {
            throw std::runtime_error("atlas image " + std::to_string(i) + " (\"" +
                                     (atlasImage.text != nullptr ? atlasImage.text : "") +
                                     "\"): " + error.what());
        }
    }
    return image;
}
