// The window icon: both sizes painted whole, an emblem rather than a blank square.
#include <gtest/gtest.h>

#include <set>

#include "datapack/icon_painter.h"

namespace {

TEST(IconPainterTest, BothSizesAreSquareWithRoundedCornersAndSeveralColours) {
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        RgbaImage icon = PaintGameIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        ASSERT_EQ(icon.pixels.size(), static_cast<size_t>(size * size));
        std::set<uint32_t> opaque;
        for (uint32_t pixel : icon.pixels) {
            if (pixel >> 24 == 0xFF) {
                opaque.insert(pixel);
            }
        }
        EXPECT_GE(opaque.size(), 4u) << "ground, rim, field and blade at least";
        EXPECT_EQ(icon.pixels[(size / 2) * size + size / 2] >> 24, 0xFFu);
        EXPECT_LT(icon.pixels[0] >> 24, 0x80u) << "the ground's corners are rounded off";
    }
}

}  // namespace
