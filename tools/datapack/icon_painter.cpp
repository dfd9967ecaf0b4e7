// The window icon, from a few shapes in the unit square (v runs downwards), each pixel the
// average of 8 by 8 samples so that the small sizes keep clean edges.
#include "datapack/icon_painter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SAMPLES = 8;

struct Colour {
    float r, g, b;
};

constexpr Colour GROUND_TOP = {0.20f, 0.42f, 0.62f};
constexpr Colour GROUND_BOTTOM = {0.08f, 0.20f, 0.36f};
constexpr Colour OUTLINE = {0.08f, 0.06f, 0.05f};
constexpr Colour GOLD = {0.90f, 0.70f, 0.22f};
constexpr Colour CRIMSON_TOP = {0.78f, 0.16f, 0.20f};
constexpr Colour CRIMSON_BOTTOM = {0.52f, 0.07f, 0.12f};
constexpr Colour STEEL_LIGHT = {0.95f, 0.96f, 0.97f};
constexpr Colour STEEL_SHADE = {0.62f, 0.67f, 0.74f};
constexpr Colour LEATHER = {0.42f, 0.24f, 0.12f};

Colour Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

bool InGround(float u, float v) {
    constexpr float EDGE = 0.0f;
    constexpr float RADIUS = 0.2f;
    float du = std::max({EDGE + RADIUS - u, u - (1.0f - EDGE - RADIUS), 0.0f});
    float dv = std::max({EDGE + RADIUS - v, v - (1.0f - EDGE - RADIUS), 0.0f});
    return u >= EDGE && u <= 1.0f - EDGE && v >= EDGE && v <= 1.0f - EDGE &&
           du * du + dv * dv <= RADIUS * RADIUS;
}

// A heater shield: straight sides down to the middle, then curving in to a point. grow moves
// every edge outwards (negative: inwards).
bool InShield(float u, float v, float grow) {
    const float top = 0.09f - grow;
    const float middle = 0.5f;
    const float bottom = 0.94f + grow * 1.4f;
    float halfWidth = 0.37f + grow;
    if (v < top || v > bottom) {
        return false;
    }
    if (v > middle) {
        float t = (v - middle) / (bottom - middle);
        halfWidth *= 1.0f - t * t;
    }
    return std::fabs(u - 0.5f) <= halfWidth;
}

// The sword, point down: pommel, grip, cross-guard, then a blade lit from the left.
bool SwordAt(float u, float v, Colour* colour) {
    const float du = u - 0.5f;
    const float pommelV = v - 0.17f;
    if (du * du + pommelV * pommelV <= 0.05f * 0.05f) {
        *colour = GOLD;
        return true;
    }
    if (v >= 0.19f && v < 0.31f && std::fabs(du) <= 0.03f) {
        *colour = LEATHER;
        return true;
    }
    if (v >= 0.31f && v < 0.37f && std::fabs(du) <= 0.21f) {
        *colour = GOLD;
        return true;
    }
    constexpr float TAPER = 0.70f;
    constexpr float TIP = 0.82f;
    if (v >= 0.37f && v <= TIP) {
        float halfWidth = v < TAPER ? 0.055f : 0.055f * (TIP - v) / (TIP - TAPER);
        if (std::fabs(du) <= halfWidth) {
            *colour = du < 0.0f ? STEEL_LIGHT : STEEL_SHADE;
            return true;
        }
    }
    return false;
}

// The colour at one sample; false where the icon is transparent.
bool SampleAt(float u, float v, Colour* colour) {
    if (SwordAt(u, v, colour)) {
        return true;
    }
    if (InShield(u, v, -0.06f)) {
        *colour = Mix(CRIMSON_TOP, CRIMSON_BOTTOM, v);
        return true;
    }
    if (InShield(u, v, 0.0f)) {
        *colour = GOLD;
        return true;
    }
    if (InShield(u, v, 0.03f)) {
        *colour = OUTLINE;
        return true;
    }
    if (InGround(u, v)) {
        *colour = Mix(GROUND_TOP, GROUND_BOTTOM, v);
        return true;
    }
    return false;
}

uint32_t Channel(float value) {
    return static_cast<uint32_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

}  // namespace

RgbaImage PaintGameIcon(int size) {
    RgbaImage image;
    image.width = size;
    image.height = size;
    image.pixels.assign(static_cast<size_t>(size) * size, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum{0.0f, 0.0f, 0.0f};
            int covered = 0;
            for (int sy = 0; sy < SAMPLES; ++sy) {
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    float u = (x + (sx + 0.5f) / SAMPLES) / size;
                    float v = (y + (sy + 0.5f) / SAMPLES) / size;
                    Colour colour{};
                    if (SampleAt(u, v, &colour)) {
                        sum = {sum.r + colour.r, sum.g + colour.g, sum.b + colour.b};
                        covered += 1;
                    }
                }
            }
            if (covered == 0) {
                continue;
            }
            // Edge pixels keep the colour of what covers them and take their cover as alpha.
            float alpha = static_cast<float>(covered) / (SAMPLES * SAMPLES);
            image.pixels[static_cast<size_t>(y) * size + x] =
                Channel(alpha) << 24 | Channel(sum.r / covered) << 16 |
                Channel(sum.g / covered) << 8 | Channel(sum.b / covered);
        }
    }
    return image;
}
