// Sums and conversions on the numbers a character record carries. A save file may hold any
// 32-bit value in them, and any float in the stats, so a sum is taken wide and held at the ends
// of the 32-bit range instead of wrapping round to the other end.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// The value held within the 32-bit range.
constexpr int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

constexpr int32_t SaturatingAdd(int32_t a, int32_t b) {
    return ClampToInt32(static_cast<int64_t>(a) + b);
}

constexpr int32_t SaturatingSub(int32_t a, int32_t b) {
    return ClampToInt32(static_cast<int64_t>(a) - b);
}

// Truncated toward zero and held within the 32-bit range; NaN gives 0. A float outside the
// range has no int value at all, so it is never converted as it stands.
inline int32_t SaturatingTrunc(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(value), low, high));
}
