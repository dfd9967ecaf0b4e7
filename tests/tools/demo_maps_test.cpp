// The demo maps as the game reads them: every map and block loads, every object stands where
// the leader can reach it, map changes land on free ground of a map that exists, chests open
// where they stand and stay open, and each story's start map sets the game up exactly once.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "platform/headless/headless.h"
#include "support/fixtures.h"
#include "support/temp_dir.h"

namespace {

// One "$" or "#" command of a block and its first arguments.
struct Command {
    char sign;
    uint32_t number;
    std::vector<uint32_t> args;
};

struct LoadedMap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<int8_t> tiles;
    std::vector<uint8_t> events;
    std::vector<int8_t> collision;
    std::map<uint32_t, std::vector<Command>> blocks;  // by event number
    std::map<uint32_t, std::pair<int32_t, int32_t>> cells;

    bool Free(int32_t column, int32_t row) const {
        return column >= 0 && column < width && row >= 0 && row < height &&
               collision[static_cast<size_t>(row * width + column)] == COLLISION_FREE;
    }
    uint8_t EventAt(int32_t column, int32_t row) const {
        return events[static_cast<size_t>(row * width + column)];
    }
};

// How many numbers each command reads that the checks below look at.
size_t ArgumentsToRead(char sign, uint32_t number) {
    if (sign == '$') {
        return number == 1 ? 3 : number == 3 || number == 99 ? 1 : 0;
    }
    switch (number) {
        case 0:
            return 9;  // cell, facing, freeze, count and up to four ids
        case 11:
            return 5;
        case 26:
            return 6;
        case 14:
            return 1;
        default:
            return 0;
    }
}

std::vector<Command> ParseBlock(const char* text) {
    std::vector<Command> commands;
    for (uint32_t at = 0; at < EVENT_BLOCK_SIZE && text[at] != 0; ++at) {
        if (text[at] != '#' && text[at] != '$') {
            continue;
        }
        Command command{text[at], 0, {}};
        uint32_t cursor = at + 1;
        command.number = ReadEventNumber(&cursor, text);
        for (size_t k = 0; k < ArgumentsToRead(command.sign, command.number); ++k) {
            command.args.push_back(ReadEventNumber(&cursor, text));
        }
        commands.push_back(command);
    }
    return commands;
}

class DemoMapsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        headless::Reset();
        TempDir dir;
        WriteTestMaps(dir.Path(), DemoMapSources());
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        ASSERT_TRUE(AllocMapBuffers());
        const int32_t savedMap = currentMap;
        for (const MapSource& source : DemoMapSources()) {
            currentMap = source.number;
            ASSERT_TRUE(ReadMapPack("mappack.dat")) << source.number;
            ASSERT_EQ(LoadMapEvents("epack.dat"), 1) << source.number;
            LoadedMap& map = maps[source.number];
            map.width = mapWidth;
            map.height = mapHeight;
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
                    }
                }
            }
        }
        messageBoxes = headless::MessageBoxes().size();
        currentMap = savedMap;
        FreeMapBuffers();
        std::filesystem::current_path(previous);
    }

    static std::map<int32_t, LoadedMap> maps;
    static size_t messageBoxes;
};

std::map<int32_t, LoadedMap> DemoMapsTest::maps;
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

TEST_F(DemoMapsTest, TheStoriesMapsAreAllThereAndLoadWhole) {
    ASSERT_EQ(maps.count(0), 1u) << "the first story's start";
    ASSERT_EQ(maps.count(1), 1u) << "the meadow";
    ASSERT_EQ(maps.count(11), 1u) << "the second story's start";
    EXPECT_EQ(messageBoxes, 0u) << "every block ended at its at sign";
    for (const auto& [number, map] : maps) {
        EXPECT_EQ(map.blocks.size(), map.cells.size()) << "map " << number;
        for (const auto& [event, block] : map.blocks) {
            EXPECT_NE(Placement(block), nullptr) << "map " << number << " event " << event;
        }
    }
    for (const MapSource& source : DemoMapSources()) {
        EXPECT_FALSE(source.name.empty());
    }
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
            const bool still = place->number == 1 && place->args[2] > 2;
            if (still) {
                continue;  // marks no cell of its own; it may stand on a blocked tile
            }
            EXPECT_TRUE(map.Free(c, r)) << where << " stands on a cell nobody can enter";
            bool reachable = false;
            for (auto [dc, dr] :
                 {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                reachable = reachable || map.Free(c + dc, r + dr);
            }
            EXPECT_TRUE(reachable) << where << " has no free cell beside it";
        }
    }
}

TEST_F(DemoMapsTest, MapChangesLandOnFreeGroundOfAMapThatExists) {
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
                ASSERT_EQ(maps.count(static_cast<int32_t>(c.args[0])), 1u) << where;
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
    int chests = 0;
    for (const auto& [number, map] : maps) {
        for (const auto& [event, block] : map.blocks) {
            for (const Command& c : block) {
                if (c.sign != '#' || c.number != 26) {
                    continue;
                }
                chests += 1;
                const std::string where =
                    "map " + std::to_string(number) + " event " + std::to_string(event);
                const auto [column, row] = map.cells.at(event);
                EXPECT_EQ(c.args[2], static_cast<uint32_t>(column)) << where;
                EXPECT_EQ(c.args[3], static_cast<uint32_t>(row)) << where;
                EXPECT_EQ(c.args[4], event) << where << ": the tag of the chest itself";
                ASSERT_EQ(block[0].sign, '$');
                ASSERT_EQ(block[0].number, 99u) << where << ": placed only while closed";
                EXPECT_EQ(block[0].args[0], c.args[5]) << where << ": the flag it sets";
                EXPECT_TRUE(flags.insert(c.args[5]).second) << where << ": a flag of its own";
                EXPECT_GT(c.args[5], 0u) << where << ": flag 0 marks the game as set up";
            }
        }
    }
    EXPECT_GE(chests, 2);
}

TEST_F(DemoMapsTest, EachStartMapSetsThePartyUpOnceBehindFlagZero) {
    for (int32_t start : {0, 11}) {
        const LoadedMap& map = maps.at(start);
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
        EXPECT_EQ(setups, 1) << "map " << start;
    }
    for (const auto& [number, map] : maps) {
        if (number == 0 || number == 11) {
            continue;
        }
        for (const auto& [event, block] : map.blocks) {
            const Command* place = Placement(block);
            EXPECT_TRUE(place == nullptr || place->number != 0) << "map " << number;
        }
    }
}

TEST_F(DemoMapsTest, TheVillageHasEveryKindOfObject) {
    const LoadedMap& village = maps.at(0);
    std::set<uint32_t> patterns;
    std::set<uint32_t> examined;
    bool trigger = false;
    bool toTitle = false;
    for (const auto& [event, block] : village.blocks) {
        const Command* place = Placement(block);
        if (place == nullptr) {
            continue;
        }
        if (place->number == 1) {
            patterns.insert(place->args[2] > 2 ? 3 : place->args[2]);
        }
        if (place->number == 3) {
            examined.insert(place->args[0]);
        }
        trigger = trigger || place->number == 2;
        for (const Command& c : block) {
            toTitle = toTitle || (c.sign == '#' && c.number == 98);
        }
    }
    EXPECT_EQ(patterns, (std::set<uint32_t>{0, 1, 2, 3})) << "standing, wandering, turning, still";
    EXPECT_TRUE(examined.count(24) == 1 && examined.count(25) == 1) << "a chest and a sign";
    EXPECT_TRUE(trigger);
    EXPECT_TRUE(toTitle);
}

TEST_F(DemoMapsTest, OnlyTheMeadowHasRandomBattles) {
    for (const MapSource& source : DemoMapSources()) {
        EXPECT_EQ(source.record.encounterGroup, source.number == 1 ? 1u : 0u)
            << "map " << source.number;
    }
}

}  // namespace
