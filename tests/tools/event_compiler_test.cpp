// The event text compiler: quoted text becomes glyph lists that the game's reader takes back to
// the same characters, plain digits, marks and spaces their full-width glyphs, and the rest of
// the text is left as written. Its refusals are in the builders' table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/glyph_table.h"
#include "datapack/event_compiler.h"
#include "event/event_pack.h"

namespace {

// The characters of the glyph lists in compiled text, read the way the event commands read
// them from a block-sized buffer.
std::vector<std::u32string> ReadLists(const std::string& compiled, uint32_t cursor, int count) {
    std::vector<char> block(EVENT_BLOCK_SIZE, 0);
    std::memcpy(block.data(), compiled.data(), compiled.size());
    std::vector<std::u32string> lists;
    for (int i = 0; i < count; ++i) {
        uint32_t codes[EVENT_LIST_CODES] = {};
        ReadEventNumberList(codes, &cursor, block.data());
        std::u32string list;
        for (uint32_t code = 0; code < EVENT_LIST_CODES && codes[code] != 0; ++code) {
            list += static_cast<char32_t>(glyphTable[codes[code]].character);
        }
        lists.push_back(list);
    }
    EXPECT_EQ(block[cursor], '#') << "the next command follows the last list";
    return lists;
}

TEST(EventCompilerTest, QuotedTextComesBackFromTheReaderAsTheSameCharacters) {
    const std::string compiled = CompileEventText(
        "#2,4,\"村の東に、古い塔がある。\",\"1 0?!ゴールド\",\"\",\"１０　ー、べ\",#99,", "t");
    ASSERT_EQ(compiled.rfind("#2,4,", 0), 0u);
    EXPECT_EQ(ReadLists(compiled, 5, 4),
              (std::vector<std::u32string>{U"村の東に、古い塔がある。", U"１　０？！ゴールド", U"",
                                           U"１０　ー、べ"}));
}

TEST(EventCompilerTest, TextOutsideQuotesAndCommentsAreLeftAsTheyAre) {
    const std::string source =
        "$1,4,270,0,\r\n#15,3,DONE,  / say \"hello\" once\n#1,1,#4,0,\nDONE#99,\n";
    EXPECT_EQ(CompileEventText(source, "t"), source);
}

}  // namespace
