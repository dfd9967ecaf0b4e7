// Kana names: the glyph codes at the ends of each kana block, the Shift-JIS rows with the
// katakana gap at 0x7F, and whole names with their limits.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "data/kana_text.h"

namespace {

TEST(KanaTextTest, GlyphCodesFollowTheFixedKanaRows) {
    for (auto [kana, code] : {std::pair{u'あ', 12u}, {u'を', 55u},  {u'ん', 56u},
                              {u'わ', 57u},          {u'が', 58u},  {u'ぼ', 77u},
                              {u'ぁ', 78u},          {u'ぅ', 82u},  {u'ア', 88u},
                              {u'レ', 129u},         {u'ワ', 131u}, {u'ン', 133u},
                              {u'ガ', 134u},         {u'ビ', 150u}, {u'ァ', 151u},
                              {u'ィ', 155u},         {u'ー', 385u}, {u'ブ', 0u},
                              {u'パ', 0u},           {u'ョ', 0u},   {u'A', 0u}}) {
        EXPECT_EQ(KanaGlyphCode(kana), code) << static_cast<int>(kana);
    }
}

TEST(KanaTextTest, ShiftJisRowsByOffset) {
    for (auto [kana, code] : {std::pair{u'ぁ', 0x829F},
                              {u'ん', 0x82F1},
                              {u'ァ', 0x8340},
                              {u'ミ', 0x837E},
                              {u'ム', 0x8380},
                              {u'ヴ', 0x8394},
                              {u'ー', 0x815B},
                              {u'ゔ', 0},
                              {u'薬', 0},
                              {u'A', 0}}) {
        EXPECT_EQ(KanaShiftJis(kana), code) << static_cast<int>(kana);
    }
}

TEST(KanaTextTest, NamesAreEndedPaddedAndRefusedWhenTheyDoNotFit) {
    char bytes[10];
    std::memset(bytes, 0x55, sizeof bytes);
    ASSERT_TRUE(KanaToShiftJis("ゴーレム", bytes, sizeof bytes));
    EXPECT_EQ(std::memcmp(bytes, "\x83\x53\x81\x5B\x83\x8C\x83\x80\0\0", 10), 0);
    EXPECT_TRUE(KanaToShiftJis("アレン", bytes, 7));
    EXPECT_FALSE(KanaToShiftJis("アレン", bytes, 6)) << "no room for the end byte";
    EXPECT_EQ(bytes[0], 0) << "a refused name leaves zeros";
    EXPECT_FALSE(KanaToShiftJis("ア\xE3\x82", bytes, sizeof bytes)) << "cut UTF-8";

    uint32_t codes[8];
    ASSERT_TRUE(KanaToGlyphs("マッシュルーム", codes, 8));
    const uint32_t expected[8] = {118, 152, 99, 153, 128, 385, 120, 0};
    EXPECT_EQ(std::memcmp(codes, expected, sizeof codes), 0);
    EXPECT_TRUE(KanaToGlyphs("アイウエオカキク", codes, 8)) << "eight codes need no end code";
    EXPECT_FALSE(KanaToGlyphs("アイウエオカキクケ", codes, 8));
    EXPECT_FALSE(KanaToGlyphs("ゴブリン", codes, 8)) << "ブ has no glyph";
    EXPECT_EQ(codes[0], 0u);
}

}  // namespace
