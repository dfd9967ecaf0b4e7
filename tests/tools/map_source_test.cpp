// The map and event pack writers and the map source compiler: the packs' byte layout with
// shared records, and every mistake in a source refused with its file and line.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "datapack/event_pack_writer.h"
#include "datapack/map_pack_writer.h"
#include "datapack/map_source.h"
#include "engine/byte_io.h"

namespace {

MapRecord TinyRecord(uint32_t width, uint32_t height, int8_t tile) {
    MapRecord record;
    record.width = width;
    record.height = height;
    record.encounterGroup = 3;
    record.encounterInterval = 0x01020304;
    record.tiles.assign(width * height, tile);
    record.events.assign(width * height, 0);
    return record;
}

TEST(MapPackWriterTest, RecordsFollowTheTableAndMapsMayShareOne) {
    MapRecord a = TinyRecord(2, 1, -2);
    a.events = {7, 74};
    const MapRecord b = TinyRecord(1, 1, 15);
    std::vector<int> placement(24, 1);
    placement[0] = 0;
    placement[9] = 0;
    const Bytes pack = WriteMapPack({a, b}, placement);
    ASSERT_EQ(pack.size(), 96u + (16 + 4) + (16 + 2));
    EXPECT_EQ(ReadLE32(pack.data()), 0u);
    EXPECT_EQ(ReadLE32(pack.data() + 9 * 4), 0u);
    EXPECT_EQ(ReadLE32(pack.data() + 4), 20u) << "counted from the end of the table";
    EXPECT_EQ(ReadLE32(pack.data() + 23 * 4), 20u);
    const Bytes first(pack.begin() + 96, pack.begin() + 96 + 20);
    EXPECT_EQ(first, (Bytes{2, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 4, 3, 2, 1, 0xFE, 0xFE, 7, 74}));
    EXPECT_EQ(pack.back(), 0) << "the second record's one event byte";

    EXPECT_THROW(WriteMapPack({a}, std::vector<int>(23, 0)), std::invalid_argument);
    EXPECT_THROW(WriteMapPack({a}, std::vector<int>(24, 1)), std::invalid_argument);
    MapRecord wrong = a;
    wrong.tiles.pop_back();
    EXPECT_THROW(EncodeMapRecord(wrong), std::invalid_argument);
}

TEST(EventPackWriterTest, EveryTextByteIsStoredInvertedAfterItsLength) {
    std::vector<int> placement(24, 1);
    placement[3] = 0;
    const Bytes pack = WriteEventPack({"#99,@", ""}, placement);
    ASSERT_EQ(pack.size(), 96u + 4 + 5 + 4);
    EXPECT_EQ(ReadLE32(pack.data() + 3 * 4), 0u);
    EXPECT_EQ(ReadLE32(pack.data()), 9u);
    EXPECT_EQ(ReadLE32(pack.data() + 96), 5u);
    EXPECT_EQ(pack[100], static_cast<uint8_t>(~'#'));
    EXPECT_EQ(pack[104], static_cast<uint8_t>(~'@'));
    EXPECT_EQ(ReadLE32(pack.data() + 105), 0u) << "the shared empty text";
    EXPECT_THROW(WriteEventPack({"x"}, std::vector<int>(24, -1)), std::invalid_argument);
}

const char* const GOOD_SOURCE = R"(# a comment line
map 7
name 小部屋
size 4 4
encounter 2 15
tile X 15
tile . 0
tile ~ 45
tiles
XXXX
X.~X
# comments may stand between rows
X..X
XXXX
events
 .  .  .  .
 . 70  2  .
 .  1  .  .
 .  .  .  .
script
/ one: @ in a comment ends nothing
$2,#99,
@
$1,4,270,0,
#99,
@
)";

std::string Refusal(const std::string& source) {
    try {
        ParseMapSource(source, "room.txt");
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "accepted";
}

// The source with one line replaced (1-based).
std::string WithLine(int line, const std::string& text) {
    std::string source = GOOD_SOURCE;
    size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = source.find('\n', start) + 1;
    }
    const size_t end = source.find('\n', start);
    return source.substr(0, start) + text + source.substr(end);
}

TEST(MapSourceTest, AGoodSourceGivesItsRecordAndText) {
    const MapSource map = ParseMapSource(GOOD_SOURCE, "room.txt");
    EXPECT_EQ(map.number, 7);
    EXPECT_EQ(map.name, "小部屋");
    EXPECT_EQ(map.record.width, 4u);
    EXPECT_EQ(map.record.height, 4u);
    EXPECT_EQ(map.record.encounterGroup, 2u);
    EXPECT_EQ(map.record.encounterInterval, 15u);
    EXPECT_EQ(map.record.tiles,
              (std::vector<int8_t>{15, 15, 15, 15, 15, 0, 45, 15, 15, 0, 0, 15, 15, 15, 15, 15}));
    EXPECT_EQ(map.record.events[5], 70);
    EXPECT_EQ(map.record.events[6], 2);
    EXPECT_EQ(map.record.events[9], 1);
    EXPECT_EQ(map.eventCount, 2);
    EXPECT_EQ(map.eventText.substr(0, 5), "/ one");
    EXPECT_NE(map.eventText.find("$1,4,270,0,\n#99,\n@"), std::string::npos);
}

TEST(MapSourceTest, MistakesAreRefusedWithTheirFileAndLine) {
    // Line numbers of GOOD_SOURCE: 2 map, 4 size, 5 encounter, 6 tile X, 10 first tile row,
    // 11 second, 13 third, 15 events, 17 second event row, 20 script.
    const struct {
        int line;
        std::string text;
        std::string where;
        std::string what;
    } cases[] = {
        {2, "map 24", "room.txt:2:", "outside 0..23"},
        {5, "encounter 5 15", "room.txt:5:", "group 5"},
        {5, "encounter 1 -3", "room.txt:5:", "interval -3"},
        {4, "size 201 200", "room.txt:4:", "40000 cells"},
        {6, "tile X 300", "room.txt:6:", "tile 300"},
        {6, "tile XY 15", "room.txt:6:", "one character"},
        {11, "X.?X", "room.txt:11:", "symbol ?"},
        {11, "X.X", "room.txt:11:", "3 symbols"},
        {17, " .  21  2  .", "room.txt:17:", "event value 21"},
        {17, " .  75  2  .", "room.txt:17:", "event value 75"},
        {17, " .  70  2", "room.txt:17:", "3 values"},
        {17, " .  70  1  .", "room.txt:18:", "second cell"},
        {17, " .  70  3  .", "room.txt:15:", "event 2 stands on no cell"},
        {10, "XX.X", "room.txt:10:", "border cell at column 2"},
        {11, "~.~X", "room.txt:11:", "border cell at column 0"},
        {3, "size 4 4", "room.txt:4:", "second time"},
        {3, "colour red", "room.txt:3:", "unknown keyword"},
    };
    for (const auto& c : cases) {
        const std::string message = Refusal(WithLine(c.line, c.text));
        EXPECT_NE(message.find(c.where), std::string::npos) << c.text << ": " << message;
        EXPECT_NE(message.find(c.what), std::string::npos) << c.text << ": " << message;
    }
}

TEST(MapSourceTest, BlocksMustMatchTheEventCells) {
    const std::string good = GOOD_SOURCE;
    const std::string oneBlock = good.substr(0, good.rfind("$1,4"));
    EXPECT_NE(Refusal(oneBlock).find("room.txt:20: the event grid numbers 2 events but the "
                                     "script has 1 blocks"),
              std::string::npos)
        << Refusal(oneBlock);
    EXPECT_NE(Refusal(good + "#99,\n@\n").find("3 blocks"), std::string::npos);
    EXPECT_NE(Refusal(good + "\n#99,\n").find("room.txt:28: text after the last block"),
              std::string::npos)
        << Refusal(good + "\n#99,\n");
    EXPECT_EQ(Refusal(good + "\n/ trailing comment\n  \n"), "accepted");
    EXPECT_NE(Refusal(WithLine(25, "#2,\t1,\"はい\",")).find("room.txt:25: a tab"),
              std::string::npos);
    EXPECT_NE(Refusal(WithLine(25, "#2,1,はい,")).find("room.txt:25: text outside quotes"),
              std::string::npos);
    EXPECT_NE(Refusal(WithLine(25, "#2,1,\"\x01\",")).find("room.txt:25:"), std::string::npos)
        << "the compiler names the file's own line";

    const std::string tooLong =
        good.substr(0, good.rfind("#99,")) + std::string(22000, '9') + ",\n@\n";
    EXPECT_NE(Refusal(tooLong).find("block 2 keeps"), std::string::npos);
}

TEST(MapSourceTest, MissingPartsAreNamed) {
    const std::string good = GOOD_SOURCE;
    EXPECT_NE(Refusal(good.substr(0, good.find("script"))).find("no \"script\""),
              std::string::npos);
    EXPECT_NE(Refusal(WithLine(3, "# no name")).find("no \"name\""), std::string::npos);
    EXPECT_NE(Refusal("map 1\nname a\ntiles\n").find("\"size\" must come before"),
              std::string::npos);
    const std::string shortGrid = good.substr(0, good.find("XXXX\nevents")) + "events\n";
    EXPECT_NE(Refusal(shortGrid).find("tiles has 3 rows"), std::string::npos) << Refusal(shortGrid);
}

TEST(MapSourceTest, PacksHoldAllTwentyFourMapsWithTheRestSharingAWalledRoom) {
    const MapSource room = ParseMapSource(GOOD_SOURCE, "room.txt");
    MapSource other = room;
    other.number = 0;
    const MapPackFiles packs = BuildMapPacks({room, other});
    // Records: map 0, map 7, then the shared room.
    const Bytes& maps = packs.mapPack;
    const uint32_t recordBytes = 16 + 2 * 16;
    EXPECT_EQ(ReadLE32(maps.data() + 0 * 4), 0u);
    EXPECT_EQ(ReadLE32(maps.data() + 7 * 4), recordBytes);
    const uint32_t stub = ReadLE32(maps.data() + 1 * 4);
    EXPECT_EQ(stub, 2 * recordBytes);
    for (int n : {1, 2, 6, 8, 11, 23}) {
        EXPECT_EQ(ReadLE32(maps.data() + n * 4), stub) << n;
    }
    const uint8_t* room3 = maps.data() + 96 + stub;
    EXPECT_EQ(ReadLE32(room3), 3u);
    EXPECT_EQ(ReadLE32(room3 + 4), 3u);
    EXPECT_EQ(ReadLE32(room3 + 8), 0u) << "no encounters";
    const Bytes tiles(room3 + 16, room3 + 25);
    EXPECT_EQ(tiles, (Bytes{15, 15, 15, 15, 0, 15, 15, 15, 15}));
    EXPECT_EQ(maps.size(), 96u + stub + 16 + 18);

    const Bytes& events = packs.eventPack;
    const uint32_t emptyText = ReadLE32(events.data() + 5 * 4);
    EXPECT_EQ(ReadLE32(events.data() + 96 + emptyText), 0u);
    EXPECT_EQ(ReadLE32(events.data() + 96 + ReadLE32(events.data() + 7 * 4)),
              room.eventText.size());

    EXPECT_THROW(BuildMapPacks({room, room}), std::runtime_error);
}

}  // namespace
