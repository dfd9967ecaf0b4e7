// The atlas rectangles of the field overlays and the ending: the pulse veil's tile, the
// countdown's label and time-up banner, and the staff roll's lines and end sign. The images
// are registered in data/atlas_sequences.cpp.
#pragma once

#include "data/atlas_rect.h"

// The 32 x 32 tile the pulse veil covers the screen with.
constexpr AtlasRect RECT_PULSE_TILE = {1367, 83, 1399, 115};

constexpr AtlasRect RECT_COUNTDOWN_LABEL = {778, 1138, 870, 1152};
constexpr AtlasRect RECT_TIME_UP_BANNER = {1461, 931, 1708, 955};

constexpr int STAFF_ROLL_LINE_COUNT = 16;
// The staff roll's lines in the order they rise.
inline constexpr AtlasRect staffRollLineRects[STAFF_ROLL_LINE_COUNT] = {
    {1851, 613, 1924, 633}, {1851, 723, 2038, 742}, {1851, 766, 2011, 786}, {1851, 789, 1981, 809},
    {1851, 635, 1933, 654}, {1851, 700, 2010, 720}, {1929, 613, 1969, 633}, {1851, 744, 2032, 764},
    {1851, 656, 1912, 676}, {1851, 811, 1993, 831}, {1770, 906, 2026, 926}, {1915, 656, 1955, 676},
    {1873, 929, 2026, 949}, {1821, 883, 2026, 903}, {1851, 677, 2032, 697}, {1974, 616, 2037, 633},
};
constexpr AtlasRect RECT_STAFF_ROLL_END = {1409, 430, 1483, 456};
