// The atlas rectangles of the map view: each map's area name and the money bar. The images of
// the interface atlas are registered in data/atlas_field.cpp.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"

constexpr int32_t AREA_NAME_COUNT = 24;

// The area name of map n; maps sharing a rectangle share the name, and maps 11, 19 and 20
// have a single pixel that shows nothing.
inline constexpr AtlasRect areaNameRects[AREA_NAME_COUNT] = {
    {1209, 882, 1326, 902},  // 0
    {1210, 926, 1335, 946},  // 1 (and 8)
    {1210, 904, 1310, 924},  // 2
    {1337, 905, 1453, 925},  // 3 (and 9)
    {1332, 883, 1454, 903},  // 4
    {1459, 883, 1562, 903},  // 5 (and 7)
    {1338, 927, 1458, 947},  // 6 (and 10)
    {1459, 883, 1562, 903},  // 7
    {1210, 926, 1335, 946},  // 8
    {1337, 905, 1453, 925},  // 9
    {1338, 927, 1458, 947},  // 10
    {947, 0, 948, 1},        // 11
    {902, 183, 981, 202},    // 12
    {785, 91, 867, 111},     // 13
    {843, 114, 914, 134},    // 14
    {875, 136, 988, 156},    // 15
    {875, 159, 988, 179},    // 16
    {642, 203, 755, 223},    // 17
    {758, 203, 871, 223},    // 18
    {947, 0, 948, 1},        // 19
    {947, 0, 948, 1},        // 20
    {872, 92, 951, 112},     // 21
    {916, 114, 957, 134},    // 22
    {959, 115, 1019, 134},   // 23
};

// The bottom bar of the field and its parts, drawn while no event runs.
constexpr AtlasRect RECT_MONEY_BAR = {1407, 1, 2047, 17};
constexpr AtlasRect RECT_MONEY_BAR_HINT = {771, 25, 874, 38};
constexpr AtlasRect RECT_MONEY_LABEL = {687, 968, 714, 982};
