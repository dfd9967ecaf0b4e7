// The event text compiler: quoted text becomes glyph lists that the game's reader takes back to
// the same characters, plain digits and spaces become their full-width glyphs, the rest of the
// text is left alone, and a missing character or an open quote is refused with its place.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/glyph_table.h"
#include "datapack/event_compiler.h"
#include "event/event_pack.h"

namespace {

// Reads glyph lists from compiled text the way the event commands do; the text is copied into
// a block-sized buffer, as the readers expect.
std::vector<std::vector<uint32_t>> ReadLists(const std::string& compiled, uint32_t cursor,
                                             int count) {
    std::vector<char> block(EVENT_BLOCK_SIZE, 0);
    std::memcpy(block.data(), compiled.data(), compiled.size());
    std::vector<std::vector<uint32_t>> lists;
    for (int i = 0; i < count; ++i) {
        uint32_t codes[EVENT_LIST_CODES] = {};
        ReadEventNumberList(codes, &cursor, block.data());
        std::vector<uint32_t> list;
        for (uint32_t code : codes) {
            if (code == 0) {
                break;
            }
            list.push_back(code);
        }
        lists.push_back(list);
    }
    return lists;
}

std::u32string Characters(const std::vector<uint32_t>& codes) {
    std::u32string out;
    for (uint32_t code : codes) {
        out += static_cast<char32_t>(glyphTable[code].character);
    }
    return out;
}

std::string CompileError(const std::string& source) {
    try {
        CompileEventText(source, "maps/town.txt");
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

TEST(EventCompilerTest, SentencesComeBackFromTheReaderAsTheSameCharacters) {
    std::string compiled = CompileEventText(
        "#2,2,\"村の東に、古い塔がある。\",\"気をつけて　行くんだぞ！\",#99,", "test");
    ASSERT_EQ(compiled.rfind("#2,2,", 0), 0u);
    auto lists = ReadLists(compiled, 5, 2);
    EXPECT_EQ(Characters(lists[0]), U"村の東に、古い塔がある。");
    EXPECT_EQ(Characters(lists[1]), U"気をつけて　行くんだぞ！");
    EXPECT_NE(compiled.find("0,#99,"), std::string::npos) << "each list ends with 0";
}

TEST(EventCompilerTest, EachCodeIsFollowedByACommaAndTheListByAZero) {
    EXPECT_EQ(CompileEventText("#2,1,\"あい\",", "t"), "#2,1,12,13,0,");
    EXPECT_EQ(CompileEventText("#2,1,\"\",", "t"), "#2,1,0,");
    EXPECT_EQ(CompileEventText("\"ー、べ\"", "t"), "385,520,76,0");
}

TEST(EventCompilerTest, PlainDigitsSpacesAndMarksTakeTheirFullWidthGlyphs) {
    EXPECT_EQ(CompileEventText("\"1 0?!\"", "t"), "3,1,2,83,84,0");
    EXPECT_EQ(CompileEventText("\"１０　\"", "t"), "3,2,1,0");
    auto lists = ReadLists(CompileEventText("\"100ゴールド\",", "t"), 0, 1);
    EXPECT_EQ(Characters(lists[0]), U"１００ゴールド");
}

TEST(EventCompilerTest, TextOutsideQuotesAndCommentsAreLeftAsTheyAre) {
    const std::string source =
        "$1,4,270,0,\r\n#15,3,DONE,  / say \"hello\" once\n#1,1,#4,0,\nDONE#99,\n";
    EXPECT_EQ(CompileEventText(source, "t"), source);
}

TEST(EventCompilerTest, AMissingCharacterIsRefusedWithItsFileAndLine) {
    std::string error = CompileError("#1,1,\n#2,1,\"憂鬱だ\",\n");
    EXPECT_NE(error.find("maps/town.txt:2"), std::string::npos) << error;
    EXPECT_NE(error.find("憂"), std::string::npos) << error;
    EXPECT_NE(error.find("U+6182"), std::string::npos) << error;
    EXPECT_NE(CompileError("\"abc\""), "") << "Latin letters have no glyphs";
    EXPECT_NE(CompileError("\"\xE3\x81\""), "") << "broken UTF-8";
}

TEST(EventCompilerTest, AQuoteLeftOpenIsRefusedWithItsLine) {
    std::string error = CompileError("#2,1,\n\n#2,1,\"あいう,\n#99,\"");
    EXPECT_NE(error.find("maps/town.txt:3"), std::string::npos) << error;
    EXPECT_NE(CompileError("#2,1,\"あ"), "");
}

TEST(EventCompilerTest, ALineLongerThanTheWindowIsRefused) {
    std::string line23;
    for (int i = 0; i < 23; ++i) {
        line23 += "あ";
    }
    std::string line24 = line23 + "い";
    EXPECT_NO_THROW(CompileEventText("\"" + line23 + "\"", "t"));
    EXPECT_NE(CompileError("\"" + line24 + "\""), "");
}

}  // namespace
