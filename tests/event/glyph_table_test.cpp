// The glyph table: the rows whose characters every glyph sheet keeps, the code of every row,
// rectangles inside the sheet's glyph area that never overlap, and the lookup by character.
#include <gtest/gtest.h>

#include <set>

#include "data/glyph_table.h"

namespace {

float Width(const GlyphRecord& g) {
    return g.right - g.left;
}

float Height(const GlyphRecord& g) {
    return g.bottom - g.top;
}

// Rows that every sheet keeps: each block's first and last row and the single fixed rows. The
// lookup finds each at its row, except the second べ, which finds the voiced block's.
TEST(GlyphTableTest, FixedRowsHoldTheirCharactersAndTheLookupFindsThem) {
    struct Row {
        uint32_t code;
        char32_t character;
        uint32_t lookup;
    };
    const Row rows[] = {
        {1, U'\u3000', 1}, {2, U'０', 2},     {11, U'９', 11},   {12, U'あ', 12},
        {57, U'わ', 57},   {58, U'が', 58},   {77, U'ぼ', 77},   {78, U'ぁ', 78},
        {82, U'ぅ', 82},   {83, U'？', 83},   {87, U'）', 87},   {88, U'ア', 88},
        {133, U'ン', 133}, {134, U'ガ', 134}, {150, U'ビ', 150}, {151, U'ァ', 151},
        {155, U'ィ', 155}, {385, U'ー', 385}, {520, U'、', 520}, {675, U'べ', 76},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(glyphTable[row.code].character, static_cast<uint32_t>(row.character))
            << "row " << row.code;
        EXPECT_EQ(GlyphCodeOf(row.character), row.lookup) << "row " << row.code;
    }
    for (uint32_t row = 0; row < GLYPH_COUNT; ++row) {
        EXPECT_EQ(glyphTable[row].code, row);
    }
    for (char32_t missing : {U'A', U'9', U'鬱', char32_t{0}}) {
        EXPECT_EQ(GlyphCodeOf(missing), 0u) << static_cast<uint32_t>(missing);
    }
}

TEST(GlyphTableTest, EveryCharacterHasOneRowExceptTheSecondHiraganaBe) {
    EXPECT_EQ(glyphTable[0].character, 0u);
    std::set<uint32_t> seen;
    for (uint32_t row = 1; row < GLYPH_COUNT; ++row) {
        uint32_t c = glyphTable[row].character;
        EXPECT_NE(c, 0u) << "row " << row << " shows nothing";
        EXPECT_EQ(seen.insert(c).second, row != 675) << "row " << row;
    }
}

TEST(GlyphTableTest, RectanglesStayInTheGlyphAreaWithinTheirSizesAndNeverOverlap) {
    const GlyphRecord& end = glyphTable[0];
    EXPECT_TRUE(end.left == 0 && end.top == 0 && end.right == 1 && end.bottom == 1);
    for (uint32_t a = 1; a < GLYPH_COUNT; ++a) {
        const GlyphRecord& p = glyphTable[a];
        EXPECT_TRUE(p.left >= 0 && p.top >= 0 && p.right <= 1017 && p.bottom <= 507) << a;
        EXPECT_TRUE(Width(p) >= 2 && Width(p) <= 19 && Height(p) >= 2 && Height(p) <= 23) << a;
        EXPECT_EQ(p.left, static_cast<float>(static_cast<int>(p.left))) << "whole pixels " << a;
        EXPECT_EQ(p.top, static_cast<float>(static_cast<int>(p.top))) << a;
        for (uint32_t b = 0; b < a; ++b) {
            const GlyphRecord& q = glyphTable[b];
            EXPECT_FALSE(p.left < q.right && q.left < p.right && p.top < q.bottom &&
                         q.top < p.bottom)
                << "rows " << a << " and " << b;
        }
    }
    // The digits share one sheet row in order; the message window measures numbers by them.
    for (uint32_t d = 0; d < 10; ++d) {
        const GlyphRecord& digit = glyphTable[GLYPH_DIGIT_ZERO + d];
        EXPECT_EQ(digit.top, 62.0f) << d;
        EXPECT_EQ(Height(digit), 14.0f) << d;
        EXPECT_EQ(Width(digit), d == 1 ? 4.0f : 8.0f) << d;
        EXPECT_TRUE(d == 0 || digit.left > glyphTable[GLYPH_DIGIT_ZERO + d - 1].left) << d;
    }
}

}  // namespace
