// The demo maps as the game reads them: every map comes back from the packs as written and every
// other map number as the small walled room; every block ends where it should; objects stand
// where the leader can reach them; map changes land on free ground of a written map; chests
// open where they stand and stay open; shops offer items, amount entries go on at labels that
// follow them, and an inn, a shop and an amount entry are there to be tried; each story's start
// map sets the game up once; scripted battles place known enemies on the field, a boss among
// them, and are fought once; no member stays stored past the event that stored it; and the play
// test's walk through the village and the meadow is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "battle/battle_field.h"
#include "battle/inventory.h"
#include "event/event_pack.h"
#include "field/character_tables.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "platform/headless/headless.h"
#include "support/fixtures.h"
#include "support/temp_dir.h"

namespace {

// One "$" or "#" command of a block, its first arguments and labels, and where it ends.
struct Command {
    char sign;
    uint32_t number;
    std::vector<uint32_t> args;
    std::vector<std::string> labels;
    uint32_t end;
};

struct LoadedMap {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t encounterGroup = 0;
    uint32_t encounterInterval = 0;
    std::vector<int8_t> tiles;
    std::vector<uint8_t> events;
    std::vector<int8_t> collision;
    std::map<uint32_t, std::vector<Command>> blocks;  // by event number
    std::map<uint32_t, std::string> texts;
    std::map<uint32_t, std::pair<int32_t, int32_t>> cells;

    bool Free(int32_t column, int32_t row) const {
        return column >= 0 && column < width && row >= 0 && row < height &&
               collision[static_cast<size_t>(row * width + column)] == COLLISION_FREE;
    }
    uint8_t EventAt(int32_t column, int32_t row) const {
        return events[static_cast<size_t>(row * width + column)];
    }
};

// A battle's enemy count, then a kind, a column and a row for each enemy.
constexpr uint32_t BATTLE_COMMAND = 16;
constexpr uint32_t BATTLE_COUNT_MAX = 6;
// An inn's price; a shop's item count and items; an amount entry's minimum and two labels.
constexpr uint32_t INN_COMMAND = 12;
constexpr uint32_t SHOP_COMMAND = 13;
constexpr uint32_t SHOP_COUNT_MAX = 12;
constexpr uint32_t AMOUNT_COMMAND = 51;

// How many numbers each command reads that the checks below look at: the object's model,
// facing and pattern, a flag; the party's cell, facing, freeze, count and up to four ids, a map
// change, a chest, a flag to set, a battle's enemy count, an inn's price, a shop's item count and
// an amount entry's minimum.
size_t ArgumentsToRead(char sign, uint32_t number) {
    if (sign == '$') {
        return number == 1 ? 3 : number == 3 || number == 99 ? 1 : 0;
    }
    return number == 0    ? 9
           : number == 11 ? 5
           : number == 26 ? 6
           : number == 14 || number == BATTLE_COMMAND || number == INN_COMMAND ||
                   number == SHOP_COMMAND || number == AMOUNT_COMMAND
               ? 1
               : 0;
}

std::vector<Command> ParseBlock(const char* text) {
    std::vector<Command> commands;
    for (uint32_t at = 0; at < EVENT_BLOCK_SIZE && text[at] != 0; ++at) {
        if (text[at] != '#' && text[at] != '$') {
            continue;
        }
        Command command{text[at], 0, {}, {}, 0};
        uint32_t cursor = at + 1;
        command.number = ReadEventNumber(&cursor, text);
        for (size_t k = 0; k < ArgumentsToRead(command.sign, command.number); ++k) {
            command.args.push_back(ReadEventNumber(&cursor, text));
        }
        if (command.sign == '#' && command.number == BATTLE_COMMAND &&
            command.args[0] <= BATTLE_COUNT_MAX) {
            for (uint32_t k = 0; k < 3 * command.args[0]; ++k) {
                command.args.push_back(ReadEventNumber(&cursor, text));
            }
        }
        if (command.sign == '#' && command.number == SHOP_COMMAND &&
            command.args[0] <= SHOP_COUNT_MAX) {
            for (uint32_t k = 0; k < command.args[0]; ++k) {
                command.args.push_back(ReadEventNumber(&cursor, text));
            }
        }
        for (int k = 0; command.sign == '#' && command.number == AMOUNT_COMMAND && k < 2; ++k) {
            char label[EVENT_LABEL_BYTES + 1] = {};
            ReadEventLabel(label, &cursor, text);
            command.labels.emplace_back(label);
        }
        command.end = cursor;
        commands.push_back(command);
    }
    return commands;
}

// Every map number, read with the game's own readers from the packs the builder writes of
// these sources.
std::map<int32_t, LoadedMap> ReadAllMaps(const std::vector<MapSource>& sources) {
    std::map<int32_t, LoadedMap> maps;
    TempDir dir;
    WriteTestMaps(dir.Path(), sources);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    EXPECT_TRUE(AllocMapBuffers());
    const int32_t savedMap = currentMap;
    for (currentMap = 0; currentMap < MAP_COUNT; ++currentMap) {
        EXPECT_TRUE(ReadMapPack("mappack.dat")) << currentMap;
        EXPECT_EQ(LoadMapEvents("epack.dat"), 1) << currentMap;
        LoadedMap& map = maps[currentMap];
        map.width = mapWidth;
        map.height = mapHeight;
        map.encounterGroup = static_cast<uint32_t>(encounterGroup);
        map.encounterInterval = static_cast<uint32_t>(encounterInterval);
        const size_t cells = static_cast<size_t>(mapWidth * mapHeight);
        map.tiles.assign(tileLayer, tileLayer + cells);
        map.events.assign(eventLayer, eventLayer + cells);
        map.collision.assign(collisionLayer, collisionLayer + cells);
        for (int32_t r = 0; r < mapHeight; ++r) {
            for (int32_t c = 0; c < mapWidth; ++c) {
                const uint8_t n = eventLayer[r * mapWidth + c];
                if (n >= 1 && n <= EVENT_BLOCK_COUNT) {
                    map.cells[n] = {c, r};
                    map.blocks[n] = ParseBlock(GetEventBlock(n));
                    map.texts[n] = GetEventBlock(n);
                }
            }
        }
    }
    currentMap = savedMap;
    FreeMapBuffers();
    std::filesystem::current_path(previous);
    return maps;
}

// The small walled room the builder stores for every map number no source gives.
bool IsTheRoom(const LoadedMap& map) {
    int freeCells = 0;
    for (int32_t r = 0; r < map.height; ++r) {
        for (int32_t c = 0; c < map.width; ++c) {
            freeCells += map.Free(c, r);
        }
    }
    return freeCells == 1 && map.blocks.empty() && map.encounterGroup == 0;
}

class DemoMapsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        headless::Reset();
        maps = ReadAllMaps(DemoMapSources());
        messageBoxes = headless::MessageBoxes().size();
        for (const MapSource& source : DemoMapSources()) {
            written.insert(source.number);
        }
    }

    static std::map<int32_t, LoadedMap> maps;
    static std::set<int32_t> written;
    static size_t messageBoxes;
};

std::map<int32_t, LoadedMap> DemoMapsTest::maps;
std::set<int32_t> DemoMapsTest::written;
size_t DemoMapsTest::messageBoxes = 0;

// The first object command of a block, after any flag tests.
const Command* Placement(const std::vector<Command>& block) {
    for (const Command& c : block) {
        if (c.sign == '$' && c.number != 99) {
            return &c;
        }
    }
    return nullptr;
}

const Command* Find(const std::vector<Command>& block, char sign, uint32_t number) {
    for (const Command& c : block) {
        if (c.sign == sign && c.number == number) {
            return &c;
        }
    }
    return nullptr;
}

TEST_F(DemoMapsTest, EveryMapComesBackAsWrittenAndTheRestAsTheWalledRoom) {
    EXPECT_EQ(messageBoxes, 0u) << "every block ended at its at sign";
    for (const MapSource& source : DemoMapSources()) {
        const LoadedMap& map = maps.at(source.number);
        EXPECT_EQ(map.width, static_cast<int32_t>(source.record.width)) << source.number;
        EXPECT_EQ(map.height, static_cast<int32_t>(source.record.height)) << source.number;
        EXPECT_EQ(map.encounterGroup, source.record.encounterGroup) << source.number;
        EXPECT_EQ(map.encounterInterval, source.record.encounterInterval) << source.number;
        EXPECT_EQ(map.tiles, source.record.tiles) << source.number;
        EXPECT_EQ(map.events, source.record.events) << source.number;
        EXPECT_EQ(static_cast<int>(map.blocks.size()), source.eventCount) << source.number;
        for (const auto& [event, block] : map.blocks) {
            EXPECT_NE(Placement(block), nullptr) << "map " << source.number << " event " << event;
        }
    }
    for (const auto& [number, map] : maps) {
        EXPECT_TRUE(written.count(number) != 0 || IsTheRoom(map)) << "map " << number;
    }
    // A data set without the village: map 0 is the room as well.
    std::vector<MapSource> withoutVillage;
    for (const MapSource& source : DemoMapSources()) {
        if (source.number != 0) {
            withoutVillage.push_back(source);
        }
    }
    EXPECT_TRUE(IsTheRoom(ReadAllMaps(withoutVillage).at(0)));
}

TEST_F(DemoMapsTest, ObjectsStandWhereTheLeaderCanReachThem) {
    for (const auto& [number, map] : maps) {
        for (const auto& [event, block] : map.blocks) {
            const Command* place = Placement(block);
            const auto [c, r] = map.cells.at(event);
            const std::string where =
                "map " + std::to_string(number) + " event " + std::to_string(event);
            if (place == nullptr || place->number == 0) {
                continue;  // the auto-run stands anywhere, walls included
            }
            if (place->number == 1 || place->number == 3) {
                EXPECT_LT(place->args[0], 39u) << where << ": a model of the mesh table";
            }
            if (place->number == 1 && place->args[2] > 2) {
                continue;  // a still object marks no cell of its own; it may stand on a wall
            }
            EXPECT_TRUE(map.Free(c, r)) << where << " stands on a cell nobody can enter";
            EXPECT_TRUE(map.Free(c + 1, r) || map.Free(c - 1, r) || map.Free(c, r + 1) ||
                        map.Free(c, r - 1))
                << where << " has no free cell beside it";
        }
    }
}

TEST_F(DemoMapsTest, MapChangesLandOnFreeGroundOfAWrittenMap) {
    int transfers = 0;
    for (const auto& [number, map] : maps) {
        for (const auto& [event, block] : map.blocks) {
            for (const Command& c : block) {
                if (c.sign != '#' || c.number != 11) {
                    continue;
                }
                transfers += 1;
                const std::string where = "map " + std::to_string(number) + " event " +
                                          std::to_string(event) + " to map " +
                                          std::to_string(c.args[0]);
                ASSERT_EQ(written.count(static_cast<int32_t>(c.args[0])), 1u) << where;
                const LoadedMap& target = maps.at(static_cast<int32_t>(c.args[0]));
                const int32_t x = static_cast<int32_t>(c.args[2]);
                const int32_t z = static_cast<int32_t>(c.args[3]);
                EXPECT_TRUE(target.Free(x, z)) << where;
                EXPECT_EQ(target.EventAt(x, z), 0) << where << ": arrive off every event cell";
                EXPECT_TRUE(c.args[4] % 90 == 0 && c.args[4] < 360) << where;
            }
        }
    }
    EXPECT_GE(transfers, 4) << "village and meadow both ways, meadow and camp both ways";
}

TEST_F(DemoMapsTest, ChestsOpenWhereTheyStandAndStayOpen) {
    std::set<uint32_t> flags;
    for (const auto& [number, map] : maps) {
        for (const auto& [event, block] : map.blocks) {
            const Command* chest = Find(block, '#', 26);
            if (chest == nullptr) {
                continue;
            }
            const std::string where =
                "map " + std::to_string(number) + " event " + std::to_string(event);
            const auto [column, row] = map.cells.at(event);
            EXPECT_EQ(chest->args[2], static_cast<uint32_t>(column)) << where;
            EXPECT_EQ(chest->args[3], static_cast<uint32_t>(row)) << where;
            EXPECT_EQ(chest->args[4], event) << where << ": the tag of the chest itself";
            ASSERT_EQ(block[0].sign, '$');
            ASSERT_EQ(block[0].number, 99u) << where << ": placed only while closed";
            EXPECT_EQ(block[0].args[0], chest->args[5]) << where << ": the flag it sets";
            EXPECT_TRUE(flags.insert(chest->args[5]).second) << where << ": a flag of its own";
            EXPECT_GT(chest->args[5], 0u) << where << ": flag 0 marks the game as set up";
        }
    }
    EXPECT_GE(flags.size(), 2u);
}

// What the game would refuse or pass over: a shop of more than 12 items opens not at all and
// one that is no item is not offered; an amount entry whose label does not follow it ends its
// event there, and one whose minimum has five digits can never be paid.
TEST_F(DemoMapsTest, ShopsInnsAndAmountEntriesAreWellFormedAndEachIsShown) {
    std::map<uint32_t, int> shown;
    for (const auto& [number, map] : maps) {
        for (const auto& [event, block] : map.blocks) {
            const std::string where =
                "map " + std::to_string(number) + " event " + std::to_string(event);
            for (const Command& c : block) {
                if (c.sign != '#') {
                    continue;
                }
                shown[c.number] += 1;
                if (c.number == SHOP_COMMAND) {
                    ASSERT_GE(c.args[0], 1u) << where;
                    ASSERT_LE(c.args[0], SHOP_COUNT_MAX) << where;
                    for (size_t k = 1; k < c.args.size(); ++k) {
                        EXPECT_LT(c.args[k], static_cast<uint32_t>(ITEM_COUNT)) << where;
                    }
                }
                if (c.number == AMOUNT_COMMAND) {
                    EXPECT_LE(c.args[0], 9999u) << where;
                    for (const std::string& label : c.labels) {
                        EXPECT_NE(map.texts.at(event).find(label, c.end), std::string::npos)
                            << where << ": " << label;
                    }
                }
            }
        }
    }
    for (uint32_t command : {INN_COMMAND, SHOP_COMMAND, AMOUNT_COMMAND}) {
        EXPECT_GE(shown[command], 1) << "command " << command;
    }
}

TEST_F(DemoMapsTest, EachStartMapSetsThePartyUpOnceBehindFlagZero) {
    for (const auto& [number, map] : maps) {
        int setups = 0;
        for (const auto& [event, block] : map.blocks) {
            const Command* place = Placement(block);
            if (place == nullptr || place->number != 0) {
                continue;
            }
            setups += 1;
            ASSERT_GE(block.size(), 4u);
            EXPECT_EQ(block[0].sign, '$');
            EXPECT_EQ(block[0].number, 99u);
            EXPECT_EQ(block[0].args[0], 0u) << "guarded by flag 0";
            const Command& setup = block[2];
            ASSERT_EQ(setup.sign, '#');
            ASSERT_EQ(setup.number, 0u) << "the party first";
            EXPECT_TRUE(
                map.Free(static_cast<int32_t>(setup.args[0]), static_cast<int32_t>(setup.args[1])));
            const uint32_t count = setup.args[4];
            ASSERT_GE(count, 1u);
            ASSERT_LE(count, 4u);
            for (uint32_t i = 0; i < count; ++i) {
                EXPECT_LT(setup.args[5 + i], 4u) << "a character template";
            }
            // Command 0 clears the flags, so the guard is set after it.
            EXPECT_EQ(block[3].sign, '#');
            EXPECT_EQ(block[3].number, 14u);
            EXPECT_EQ(block[3].args[0], 0u);
        }
        EXPECT_EQ(setups, number == 0 || number == 11 ? 1 : 0) << "map " << number;
    }
}

TEST_F(DemoMapsTest, ScriptedBattlesPlaceKnownEnemiesOnTheFieldAndABossIsFoughtOnce) {
    int bosses = 0;
    for (const auto& [number, map] : maps) {
        for (const auto& [event, block] : map.blocks) {
            const Command* battle = Find(block, '#', BATTLE_COMMAND);
            if (battle == nullptr) {
                continue;
            }
            const std::string where =
                "map " + std::to_string(number) + " event " + std::to_string(event);
            const uint32_t count = battle->args[0];
            ASSERT_TRUE(count >= 1 && count <= BATTLE_COUNT_MAX) << where;
            for (uint32_t i = 0; i < count; ++i) {
                const uint32_t kind = battle->args[1 + 3 * i];
                EXPECT_LT(kind, static_cast<uint32_t>(ENEMY_KIND_COUNT)) << where;
                for (uint32_t cell : {battle->args[2 + 3 * i], battle->args[3 + 3 * i]}) {
                    EXPECT_GE(cell, static_cast<uint32_t>(BATTLE_WALKABLE_FIRST)) << where;
                    EXPECT_LE(cell, static_cast<uint32_t>(BATTLE_WALKABLE_LAST)) << where;
                }
                bosses += kind >= static_cast<uint32_t>(FIRST_BOSS_KIND);
            }
            // Behind a flag that the event sets once the battle is won.
            ASSERT_EQ(block[0].sign, '$');
            ASSERT_EQ(block[0].number, 99u) << where;
            const Command* won = Find(block, '#', 14);
            ASSERT_NE(won, nullptr) << where;
            EXPECT_EQ(won->args[0], block[0].args[0]) << where;
            EXPECT_GT(won->args[0], 0u) << where << ": flag 0 marks the game as set up";
        }
    }
    EXPECT_GE(bosses, 1) << "a boss, whose behaviour no random battle shows";
}

// A save keeps only as many stored members as the party has members, and the game saves only
// while no event runs: a member stored by an event is fetched back before that event ends.
TEST_F(DemoMapsTest, AStoredMemberComesBackWithinItsEvent) {
    for (const auto& [number, map] : maps) {
        for (const auto& [event, block] : map.blocks) {
            int stored = 0;
            for (const Command& c : block) {
                stored += c.sign == '#' && c.number == 47 ? 1 : 0;
                stored -= c.sign == '#' && c.number == 52 && stored > 0 ? 1 : 0;
            }
            EXPECT_EQ(stored, 0) << "map " << number << " event " << event;
        }
    }
}

// From (c, r), steps by (dc, dr) over free cells without events; the cell it stops on and the
// event of the next cell (0 for a wall).
struct Stop {
    int32_t c;
    int32_t r;
    uint8_t next;
};

Stop Walk(const LoadedMap& map, int32_t c, int32_t r, int32_t dc, int32_t dr) {
    while (map.Free(c + dc, r + dr) && map.EventAt(c + dc, r + dr) == 0) {
        c += dc;
        r += dr;
    }
    return {c, r, map.Free(c + dc, r + dr) ? map.EventAt(c + dc, r + dr) : uint8_t{0}};
}

TEST_F(DemoMapsTest, ThePlayTestsWalkIsOpen) {
    // From the start, up the square to a standing talker; right to a gate into the meadow; left
    // from there to a gate back; and right below the arrival someone who ends at the title.
    const LoadedMap& village = maps.at(0);
    const LoadedMap& meadow = maps.at(1);
    const Command* setup = nullptr;
    for (const auto& [event, block] : village.blocks) {
        setup = setup != nullptr ? setup : Find(block, '#', 0);
    }
    ASSERT_NE(setup, nullptr);
    const Stop elder = Walk(village, static_cast<int32_t>(setup->args[0]),
                            static_cast<int32_t>(setup->args[1]), 0, -1);
    ASSERT_NE(elder.next, 0);
    const Command* talker = Placement(village.blocks.at(elder.next));
    EXPECT_TRUE(talker->number == 1 && talker->args[2] == 0) << "stands still and faces";
    EXPECT_NE(Find(village.blocks.at(elder.next), '#', 2), nullptr) << "and talks";

    const Stop east = Walk(village, elder.c, elder.r, 1, 0);
    ASSERT_NE(east.next, 0);
    EXPECT_EQ(Placement(village.blocks.at(east.next))->number, 2u) << "a step trigger";
    const Command* out = Find(village.blocks.at(east.next), '#', 11);
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(out->args[0], 1u);

    const Stop west =
        Walk(meadow, static_cast<int32_t>(out->args[2]), static_cast<int32_t>(out->args[3]), -1, 0);
    ASSERT_NE(west.next, 0);
    EXPECT_EQ(Placement(meadow.blocks.at(west.next))->number, 2u) << "a step trigger";
    const Command* home = Find(meadow.blocks.at(west.next), '#', 11);
    ASSERT_NE(home, nullptr);
    ASSERT_EQ(home->args[0], 0u);

    const uint8_t peddler = village.EventAt(static_cast<int32_t>(home->args[2]),
                                            static_cast<int32_t>(home->args[3]) + 1);
    ASSERT_NE(peddler, 0);
    EXPECT_EQ(Placement(village.blocks.at(peddler))->number, 1u);
    EXPECT_NE(Find(village.blocks.at(peddler), '#', 98), nullptr) << "back to the title";
}

// Every ride of the demo follows its mover cells to a stop on its map, and a carrier sets the
// party down on ground it can stand on; and a story can end in the staff roll.
TEST(DemoRidesTest, RidesStopOnTheMapCarriersOnFreeGroundAndTheStoryCanEnd) {
    int carriers = 0;
    bool ending = false;
    for (const MapSource& source : DemoMapSources()) {
        const std::string& text = source.eventText;
        const MapRecord& map = source.record;
        const int32_t w = static_cast<int32_t>(map.width);
        const int32_t h = static_cast<int32_t>(map.height);
        ending = ending || text.find("#97,") != std::string::npos;
        for (size_t at = text.find("#24,"); at != std::string::npos;
             at = text.find("#24,", at + 1)) {
            std::string numbers = text.substr(at + 4, text.find('#', at + 1) - at - 4);
            std::replace(numbers.begin(), numbers.end(), ',', ' ');
            std::istringstream in(numbers);
            uint32_t count = 0;
            uint32_t facing = 0;
            in >> count >> facing;
            for (uint32_t i = 0; i < count; ++i) {
                int32_t c = 0;
                int32_t r = 0;
                uint32_t kind = 0;
                in >> c >> r >> kind;
                for (int steps = 0; steps <= w * h; ++steps) {
                    ASSERT_TRUE(c >= 0 && c < w && r >= 0 && r < h) << "map " << source.number;
                    const uint8_t cell = map.events[static_cast<size_t>(r * w + c)];
                    if (cell == MOVER_STOP) {
                        break;
                    }
                    facing = cell >= MOVER_TURN_90 && cell <= MOVER_TURN_0
                                 ? std::vector<uint32_t>{90, 270, 180, 0}[cell - MOVER_TURN_90]
                                 : facing;
                    c += facing == 0 ? 1 : facing == 180 ? -1 : 0;
                    r += facing == 270 ? 1 : facing == 90 ? -1 : 0;
                }
                const size_t stop = static_cast<size_t>(r * w + c);
                ASSERT_EQ(map.events[stop], MOVER_STOP) << "map " << source.number;
                if (kind == 0) {
                    carriers += 1;
                    EXPECT_EQ(CollisionForTile(map.tiles[stop]), COLLISION_FREE)
                        << "map " << source.number << ": the party lands on a wall";
                }
            }
        }
    }
    EXPECT_GE(carriers, 2) << "over the lake and back";
    EXPECT_TRUE(ending);
}

}  // namespace
