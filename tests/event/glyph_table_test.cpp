// The glyph table: the rows whose characters every glyph sheet keeps, the code of every row,
// rectangles inside the sheet's glyph area that never overlap, and the lookup by character.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "data/glyph_table.h"
#include "data/kana_text.h"

namespace {

// The characters of consecutive rows from `first`.
void ExpectRows(uint32_t first, std::u32string_view characters) {
    for (size_t i = 0; i < characters.size(); ++i) {
        EXPECT_EQ(glyphTable[first + i].character, static_cast<uint32_t>(characters[i]))
            << "row " << first + i;
    }
}

float Width(const GlyphRecord& g) {
    return g.right - g.left;
}

float Height(const GlyphRecord& g) {
    return g.bottom - g.top;
}

bool IsKanji(uint32_t c) {
    return c >= 0x4E00 && c <= 0x9FFF;
}

TEST(GlyphTableTest, EveryCodeIsItsRowNumber) {
    ASSERT_EQ(glyphTable.size(), 704u);
    for (uint32_t row = 0; row < GLYPH_COUNT; ++row) {
        EXPECT_EQ(glyphTable[row].code, row);
    }
}

TEST(GlyphTableTest, TheEndCodeTheSpaceAndTheDigitsKeepTheirRows) {
    const GlyphRecord& end = glyphTable[0];
    EXPECT_EQ(end.character, 0u);
    EXPECT_EQ(end.left, 0.0f);
    EXPECT_EQ(end.top, 0.0f);
    EXPECT_EQ(end.right, 1.0f);
    EXPECT_EQ(end.bottom, 1.0f);

    EXPECT_EQ(glyphTable[GLYPH_SPACE].character, 0x3000u);
    EXPECT_EQ(Width(glyphTable[GLYPH_SPACE]), 8.0f);
    EXPECT_EQ(Height(glyphTable[GLYPH_SPACE]), 14.0f);

    for (uint32_t d = 0; d < 10; ++d) {
        const GlyphRecord& digit = glyphTable[GLYPH_DIGIT_ZERO + d];
        EXPECT_EQ(digit.character, 0xFF10u + d);
        EXPECT_EQ(digit.top, 62.0f) << "digit " << d << " on the digits' sheet row";
        EXPECT_EQ(digit.bottom, 76.0f) << d;
        EXPECT_EQ(Width(digit), d == 1 ? 4.0f : 8.0f) << d;
        if (d > 0) {
            EXPECT_GT(digit.left, glyphTable[GLYPH_DIGIT_ZERO + d - 1].left) << "in order";
        }
    }
}

TEST(GlyphTableTest, KanaBlocksAndPunctuationKeepTheirRows) {
    ExpectRows(
        12,
        U"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろ"
        U"をんわ");
    ExpectRows(58, U"がぎぐげござじずぜぞだぢづでどばびぶべぼ");
    ExpectRows(78, U"ぁっゃょぅ");
    ExpectRows(83, U"？！・（）");
    ExpectRows(
        88,
        U"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロ"
        U"ワヲン");
    ExpectRows(134, U"ガギグゲゴザジズゼゾダヂヅデドバビ");
    ExpectRows(151, U"ァッュャィ");
    EXPECT_EQ(glyphTable[385].character, 0x30FCu);
    EXPECT_EQ(glyphTable[520].character, 0x3001u);
    EXPECT_EQ(glyphTable[675].character, 0x3079u);
    // The kana rows that names are written with agree with the table.
    EXPECT_EQ(KanaGlyphCode(u'わ'), GlyphCodeOf(U'わ'));
    EXPECT_EQ(KanaGlyphCode(u'ビ'), GlyphCodeOf(U'ビ'));
    EXPECT_EQ(KanaGlyphCode(u'ー'), GlyphCodeOf(U'ー'));
}

TEST(GlyphTableTest, RectanglesStayInsideTheGlyphAreaAndTheirSizeLimits) {
    for (uint32_t row = 1; row < GLYPH_COUNT; ++row) {
        const GlyphRecord& g = glyphTable[row];
        EXPECT_GE(g.left, 0.0f) << row;
        EXPECT_GE(g.top, 0.0f) << row;
        EXPECT_LE(g.right, 1017.0f) << row;
        EXPECT_LE(g.bottom, 507.0f) << row;
        EXPECT_GE(Width(g), 2.0f) << row;
        EXPECT_LE(Width(g), 19.0f) << row;
        EXPECT_GE(Height(g), 2.0f) << row;
        EXPECT_LE(Height(g), 23.0f) << row;
        EXPECT_EQ(g.left, static_cast<float>(static_cast<int>(g.left))) << "whole pixels";
        EXPECT_EQ(g.top, static_cast<float>(static_cast<int>(g.top))) << row;
        if (IsKanji(g.character)) {
            EXPECT_GE(Width(g), 17.0f) << row;
            EXPECT_EQ(Width(g), Height(g)) << "kanji are square, row " << row;
        }
        if ((row >= 12 && row < 83) || (row >= 88 && row < 156)) {
            EXPECT_EQ(Height(g), 16.0f) << "kana row " << row;
        }
    }
}

TEST(GlyphTableTest, NoTwoRectanglesOverlap) {
    for (uint32_t a = 0; a < GLYPH_COUNT; ++a) {
        for (uint32_t b = a + 1; b < GLYPH_COUNT; ++b) {
            const GlyphRecord& p = glyphTable[a];
            const GlyphRecord& q = glyphTable[b];
            bool overlap =
                p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
            EXPECT_FALSE(overlap) << "rows " << a << " and " << b;
        }
    }
}

TEST(GlyphTableTest, EveryCharacterHasOneRowExceptTheSecondHiraganaBe) {
    std::set<uint32_t> seen;
    for (uint32_t row = 1; row < GLYPH_COUNT; ++row) {
        uint32_t c = glyphTable[row].character;
        EXPECT_NE(c, 0u) << "row " << row << " shows nothing";
        bool fresh = seen.insert(c).second;
        EXPECT_EQ(fresh, row != 675) << "row " << row;
    }
}

TEST(GlyphTableTest, CodeOfACharacterIsItsFirstRowAndZeroWhenMissing) {
    EXPECT_EQ(GlyphCodeOf(U'あ'), 12u);
    EXPECT_EQ(GlyphCodeOf(U'わ'), 57u);
    EXPECT_EQ(GlyphCodeOf(U'ン'), 133u);
    EXPECT_EQ(GlyphCodeOf(U'９'), 11u);
    EXPECT_EQ(GlyphCodeOf(U'\u3000'), GLYPH_SPACE);
    EXPECT_EQ(GlyphCodeOf(U'、'), GLYPH_IDEOGRAPHIC_COMMA);
    EXPECT_EQ(GlyphCodeOf(U'べ'), 76u) << "the voiced block's row comes first";
    for (char32_t kanji : std::u32string_view(U"村町宿店剣魔薬勇敵戦勝経験値")) {
        uint32_t code = GlyphCodeOf(kanji);
        EXPECT_GE(code, GLYPH_OTHER_FIRST) << static_cast<uint32_t>(kanji);
        EXPECT_EQ(glyphTable[code].character, static_cast<uint32_t>(kanji));
    }
    EXPECT_EQ(GlyphCodeOf(U'A'), 0u);
    EXPECT_EQ(GlyphCodeOf(U'9'), 0u) << "only the full-width digits";
    EXPECT_EQ(GlyphCodeOf(U'鬱'), 0u);
    EXPECT_EQ(GlyphCodeOf(0), 0u) << "the end code is no character";
}

}  // namespace
