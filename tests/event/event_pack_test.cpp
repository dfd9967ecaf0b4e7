// The event pack: extraction of blocks from the inverted text, the three readers at their
// limits, and the placement scan.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <filesystem>

#include "engine/byte_io.h"
#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "field/game_start.h"
#include "field/game_state.h"
#include "platform/headless/headless.h"
#include "support/event_fixture.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

class EventPackTest : public EventTest {
  protected:
    // Extracts blocks one after another from a raw text, returning each block's text.
    std::vector<std::string> Extract(const std::string& text, int blocks,
                                     std::vector<int>* results = nullptr) {
        std::vector<uint8_t> raw(EVENT_TEXT_MAX, 0);
        std::vector<uint8_t> inverted = InvertedText(text);
        std::memcpy(raw.data(), inverted.data(), std::min(inverted.size(), raw.size()));
        std::vector<std::string> out;
        std::vector<char> block(EVENT_BLOCK_SIZE);
        uint32_t cursor = 0;
        for (int i = 0; i < blocks; ++i) {
            std::fill(block.begin(), block.end(), 0);
            int result = ExtractEventBlock(block.data(), raw.data(), &cursor);
            if (results != nullptr) {
                results->push_back(result);
            }
            out.emplace_back(block.data(), strnlen(block.data(), block.size()));
        }
        return out;
    }
};

TEST_F(EventPackTest, ExtractionInvertsDropsSpacingAndStopsAtTheAtSign) {
    std::vector<int> results;
    auto blocks = Extract("#1,1 2,\r\n@ $2, #9 9,@", 2, &results);
    EXPECT_EQ(blocks[0], "#1,12,");
    EXPECT_EQ(blocks[1], "$2,#99,");
    EXPECT_EQ(results, (std::vector<int>{1, 1}));
}

TEST_F(EventPackTest, CommentsRunToTheLineEndAndSwallowAnAtSign) {
    auto blocks = Extract("#1,/ a comment @ still\n#2,@#3,@", 2);
    EXPECT_EQ(blocks[0], "#1,#2,");
    EXPECT_EQ(blocks[1], "#3,");
}

TEST_F(EventPackTest, CommentOnTheLastLineRunsToTheLimitAndFails) {
    std::vector<int> results;
    Extract("#1,/ no line feed", 1, &results);
    EXPECT_EQ(results, (std::vector<int>{0}));
}

TEST_F(EventPackTest, OverlongBlockFailsAndTheNextStartsWhereItStopped) {
    std::string text(22005, 'x');
    text += "@#7,@";
    std::vector<int> results;
    auto blocks = Extract(text, 2, &results);
    EXPECT_EQ(results[0], 0);
    EXPECT_EQ(blocks[0].size(), EVENT_BLOCK_SIZE) << "the block keeps what was stored";
    EXPECT_EQ(results[1], 1);
    EXPECT_EQ(blocks[1], "xxxx") << "misaligned: the rest of the long text";
}

TEST_F(EventPackTest, MissingBlocksFailWithoutReadingPastTheBuffer) {
    std::vector<int> results;
    // Zero bytes invert to 0xFF, which is stored until the block or the input gives out.
    Extract("#1,@", 4, &results);
    EXPECT_EQ(results, (std::vector<int>{1, 0, 0, 0}));
}

TEST_F(EventPackTest, NumbersTakeSixDigitsAndOneSeparator) {
    const char text[] = "1234567,12,-5,,";
    uint32_t cursor = 0;
    std::vector<char> block(EVENT_BLOCK_SIZE, 0);
    std::memcpy(block.data(), text, sizeof text);
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 123456u);
    EXPECT_EQ(cursor, 7u) << "the seventh digit was the separator";
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 0u) << "at the comma";
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 12u);
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 0u) << "a minus sign ends the run";
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 5u);
}

TEST_F(EventPackTest, ReadersStopAtTheBlockEnd) {
    std::vector<char> block(EVENT_BLOCK_SIZE, '7');
    uint32_t cursor = EVENT_BLOCK_SIZE - 3;
    ReadEventNumber(&cursor, block.data());
    EXPECT_EQ(cursor, EVENT_BLOCK_SIZE);
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 0u);
    EXPECT_EQ(cursor, EVENT_BLOCK_SIZE);
    char label[EVENT_LABEL_BYTES] = {};
    cursor = EVENT_BLOCK_SIZE - 30;
    ReadEventLabel(label, &cursor, block.data());
    EXPECT_EQ(cursor, EVENT_BLOCK_SIZE) << "a label without its comma runs to the end only";
    EXPECT_EQ(std::string(label, EVENT_LABEL_BYTES), std::string(20, '7'));
    uint32_t list[EVENT_LIST_CODES] = {};
    cursor = EVENT_BLOCK_SIZE - 10;
    ReadEventNumberList(list, &cursor, block.data());
    EXPECT_EQ(cursor, EVENT_BLOCK_SIZE);
}

TEST_F(EventPackTest, LabelsCopyTwentyBytesAtMost) {
    std::vector<char> block(EVENT_BLOCK_SIZE, 0);
    std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXY,LB2,";
    std::memcpy(block.data(), text.data(), text.size());
    char label[EVENT_LABEL_BYTES] = {};
    uint32_t cursor = 0;
    ReadEventLabel(label, &cursor, block.data());
    EXPECT_EQ(std::string(label, 20), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(cursor, 26u);
    char second[EVENT_LABEL_BYTES] = {};
    ReadEventLabel(second, &cursor, block.data());
    EXPECT_STREQ(second, "LB2");
}

TEST_F(EventPackTest, ListsHoldTwentyThreeCodes) {
    std::string exactly;
    for (int i = 1; i <= 23; ++i) {
        exactly += std::to_string(i) + ",";
    }
    std::vector<char> block(EVENT_BLOCK_SIZE, 0);
    std::string text = exactly + "0,9,";
    std::memcpy(block.data(), text.data(), text.size());
    uint32_t list[EVENT_LIST_CODES] = {};
    uint32_t cursor = 0;
    ReadEventNumberList(list, &cursor, block.data());
    EXPECT_EQ(list[22], 23u);
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 9u) << "the 0 was consumed";

    text = exactly + "24,0,";
    std::fill(block.begin(), block.end(), 0);
    std::memcpy(block.data(), text.data(), text.size());
    std::fill(std::begin(list), std::end(list), 0u);
    cursor = 0;
    ReadEventNumberList(list, &cursor, block.data());
    EXPECT_EQ(list[22], 23u);
    EXPECT_EQ(ReadEventNumber(&cursor, block.data()), 0u) << "the 24th was dropped, its 0 left";
}

TEST_F(EventPackTest, FlagsIgnoreNumbersOutsideTheHundred) {
    SetEventFlag(99);
    SetEventFlag(100);
    EXPECT_TRUE(IsEventFlagSet(99));
    EXPECT_FALSE(IsEventFlagSet(100));
    ClearEventFlags();
    EXPECT_FALSE(IsEventFlagSet(99));
}

}  // namespace

namespace {

class EventPackFileTest : public EventTest {
  protected:
    void SetUp() override {
        EventTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        EventTest::TearDown();
    }
    // A pack with map 0's text at offset 0 and every other map pointing at it too.
    void WritePack(const std::string& text, uint32_t declaredLength) {
        std::vector<uint8_t> file(96, 0);
        file.resize(100);
        WriteLE32(file.data() + 96, declaredLength);
        std::vector<uint8_t> inverted = InvertedText(text);
        file.insert(file.end(), inverted.begin(), inverted.end());
        dir.Write("epack.dat", file);
    }
    TempDir dir;
    std::filesystem::path previous;
};

TEST_F(EventPackFileTest, MapTextIsCutIntoItsBlocks) {
    WritePack("#1,2,@#3,@", 10);
    currentMap = 0;
    eventBlockCount = 2;
    ASSERT_EQ(LoadMapEvents("epack.dat"), 1);
    EXPECT_STREQ(GetEventBlock(1), "#1,2,");
    EXPECT_STREQ(GetEventBlock(2), "#3,");
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(EventPackFileTest, TooLongATextIsRefusedWithItsMessage) {
    WritePack("#1,@", 24001);
    currentMap = 0;
    eventBlockCount = 1;
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].caption, "");
    EXPECT_EQ(headless::MessageBoxes()[0].text, "イベントファイルデータが一時保存領域を超えました");
}

TEST_F(EventPackFileTest, AnOverlongBlockIsReportedOnceButTheLoadGoesOn) {
    std::string text(22005, 'x');
    text += "@#7,@";
    WritePack(text, static_cast<uint32_t>(text.size()));
    currentMap = 0;
    eventBlockCount = 3;
    EXPECT_EQ(LoadMapEvents("epack.dat"), 1);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "一塊のイベントデータが過大です");
    EXPECT_STREQ(GetEventBlock(3), "#7,");
}

TEST_F(EventPackFileTest, DamagedPacksFailSilentlyForTheCallerToReport) {
    currentMap = 0;
    eventBlockCount = 1;
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0) << "no file";
    dir.Pipe("epack.dat");
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0) << "a named pipe";
    std::filesystem::remove(dir.File("epack.dat"));
    dir.Write("epack.dat", std::vector<uint8_t>(50, 0));
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0) << "a short offset table";
    dir.Write("epack.dat", std::vector<uint8_t>(98, 0));
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0) << "a short length word";
    WritePack("#1,@", 9);
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0) << "a text cut short";
    WritePack("#1,@", 4);
    eventBlockCount = 2;
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0) << "fewer events than the map has cells";
    eventBlockCount = 1;
    currentMap = 24;
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0);
    currentMap = -1;
    EXPECT_EQ(LoadMapEvents("epack.dat"), 0);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(EventPackFileTest, TwentyFiveEventCellsExtractTwentyBlocks) {
    std::string text;
    for (int i = 0; i < 25; ++i) {
        text += "#" + std::to_string(i) + ",@";
    }
    WritePack(text, static_cast<uint32_t>(text.size()));
    currentMap = 0;
    eventBlockCount = 25;
    ASSERT_EQ(LoadMapEvents("epack.dat"), 1);
    EXPECT_STREQ(GetEventBlock(20), "#19,");
    EXPECT_EQ(GetEventBlock(21), nullptr);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

}  // namespace

namespace {

// A new game on the demo data with its event pack damaged in each way a copy or a download can
// leave it: one box, then the title, and the game runs on.
TEST(DamagedEventPackTest, ANewGameShowsOneBoxAndReturnsToTheTitle) {
    TempDir dir;
    WriteTestDataSet(dir.Path());
    const std::vector<uint8_t> pack = dir.Read("epack.dat");
    const uint32_t mapZeroLength = ReadLE32(pack.data() + 96 + ReadLE32(pack.data()));
    struct Damage {
        const char* what;
        size_t keep;      // bytes of the pack kept
        uint32_t length;  // map 0's stated text length, 0 to keep it
        const char* message;
    };
    const Damage damages[] = {
        {"cut at 100 bytes", 100, 0, "no data file"},
        {"cut in the offset table", 60, 0, "no data file"},
        {"cut in map 0's text", 96 + 4 + mapZeroLength / 2, 0, "no data file"},
        {"map 0's text ends early", pack.size(), mapZeroLength / 3, "no data file"},
        {"map 0's text too long", pack.size(), 24001,
         "イベントファイルデータが一時保存領域を超えました"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::vector<uint8_t> bytes(pack.begin(), pack.begin() + damage.keep);
        if (damage.length != 0) {
            WriteLE32(bytes.data() + 96 + ReadLE32(bytes.data()), damage.length);
        }
        dir.Write("epack.dat", bytes);
        GameHarness game(dir.Path());
        ASSERT_TRUE(game.Start());
        EXPECT_FALSE(StartGameAtMap(1, 0));
        ASSERT_EQ(game.MessageBoxes().size(), 1u);
        EXPECT_EQ(game.MessageBoxes()[0].text, damage.message);
        EXPECT_TRUE(TaskKindExists(TASK_KIND_TITLE));
        EXPECT_EQ(game.Frames(3), 3);
    }
}

}  // namespace
