// Map data: the map pack reader picks and reads a map through the offset table and refuses
// every damaged pack with the layers left clear; collision classes, event cells, and the
// conversions between cells and world positions, on and off the map.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "datapack/map_pack_writer.h"
#include "engine/byte_io.h"
#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "platform/headless/headless.h"
#include "support/fixtures.h"
#include "support/temp_dir.h"

namespace {

std::vector<int> PlaceAll(int place) {
    return std::vector<int>(24, place);
}

MapRecord Record(uint32_t width, uint32_t height, uint32_t group, uint32_t interval,
                 int8_t firstTile) {
    MapRecord record;
    record.width = width;
    record.height = height;
    record.encounterGroup = group;
    record.encounterInterval = interval;
    for (uint32_t i = 0; i < width * height; ++i) {
        record.tiles.push_back(static_cast<int8_t>(firstTile + static_cast<int8_t>(i)));
        record.events.push_back(static_cast<uint8_t>(100 + i));
    }
    return record;
}

// A pack of just a table and one header, for records that the writer would refuse to make.
Bytes HeaderOnlyPack(uint32_t width, uint32_t height) {
    Bytes pack(96 + 16, 0);
    WriteLE32(pack.data() + 96, width);
    WriteLE32(pack.data() + 100, height);
    return pack;
}

class MapDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_TRUE(AllocMapBuffers());
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        savedMap = currentMap;
    }
    void TearDown() override {
        FreeMapBuffers();
        std::filesystem::current_path(previous);
        currentMap = savedMap;
        mapWidth = 0;
        mapHeight = 0;
        encounterGroup = 0;
        encounterInterval = DEFAULT_ENCOUNTER_INTERVAL;
        encounterStepsLeft = DEFAULT_ENCOUNTER_INTERVAL;
        eventBlockCount = 0;
    }

    // A map of the given size made directly in the layers, as a loaded map would be.
    static void UseMap(int32_t width, int32_t height) {
        ClearMapBuffers();
        mapWidth = width;
        mapHeight = height;
    }
    static bool LayersClear() {
        for (size_t i = 0; i < MAP_LAYER_BYTES; ++i) {
            if (tileLayer[i] != 0 || eventLayer[i] != 0 || collisionLayer[i] != 0) {
                return false;
            }
        }
        return true;
    }
    static void Dirty() {
        for (size_t i = 0; i < MAP_LAYER_BYTES; ++i) {
            tileLayer[i] = 33;
            eventLayer[i] = 5;
            collisionLayer[i] = 2;
        }
    }
    bool Read(int32_t map) {
        currentMap = map;
        return ReadMapPack("mappack.dat");
    }

    TempDir dir;
    std::filesystem::path previous;
    int32_t savedMap = 0;
};

TEST_F(MapDataTest, ReadMapPackPicksTheMapThroughTheOffsetTable) {
    // Stored out of map order, one record shared by every map not named.
    const MapRecord small = Record(3, 2, 2, 7, -3);
    const MapRecord wide = Record(4, 3, 4, 1000, 10);
    const MapRecord shared = Record(1, 1, 0, 30, 15);
    std::vector<int> placement = PlaceAll(2);
    placement[5] = 1;
    placement[23] = 0;
    dir.Write("mappack.dat", WriteMapPack({wide, small, shared}, placement));

    Dirty();
    ASSERT_TRUE(Read(5));
    EXPECT_EQ(mapWidth, 3);
    EXPECT_EQ(mapHeight, 2);
    EXPECT_EQ(encounterGroup, 2);
    EXPECT_EQ(encounterInterval, 7);
    EXPECT_EQ(encounterStepsLeft, 7);
    const int8_t tiles[6] = {-3, -2, -1, 0, 1, 2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tileLayer[i], tiles[i]) << i;
        EXPECT_EQ(eventLayer[i], 100 + i) << i;
    }
    for (size_t i = 6; i < MAP_LAYER_BYTES; ++i) {
        ASSERT_EQ(tileLayer[i], 0) << "tile byte " << i << " beyond the map";
        ASSERT_EQ(eventLayer[i], 0) << "event byte " << i << " beyond the map";
        ASSERT_EQ(collisionLayer[i], 0) << "collision byte " << i << " beyond the map";
    }
    EXPECT_EQ(eventBlockCount, 0) << "event bytes 100.. are no event numbers";

    ASSERT_TRUE(Read(23));
    EXPECT_EQ(mapWidth, 4);
    EXPECT_EQ(mapHeight, 3);
    EXPECT_EQ(encounterGroup, 4);
    EXPECT_EQ(encounterStepsLeft, 1000);
    EXPECT_EQ(tileLayer[11], 21) << "row 2, column 3 is the last of row order";
    EXPECT_EQ(collisionLayer[4], COLLISION_FREE) << "tile 14";
    EXPECT_EQ(collisionLayer[5], COLLISION_WALL) << "tile 15";

    ASSERT_TRUE(Read(0));
    EXPECT_EQ(mapWidth, 1);
    EXPECT_EQ(tileLayer[0], 15);
    EXPECT_EQ(tileLayer[1], 0) << "the wide map's second tile is gone";
}

TEST_F(MapDataTest, IntervalBeyondTheSignedCounterIsHeldAtItsLargest) {
    dir.Write("mappack.dat", WriteMapPack({Record(1, 1, 1, 0x80000000u, 0)}, PlaceAll(0)));
    ASSERT_TRUE(Read(0));
    EXPECT_EQ(encounterInterval, 0x7FFFFFFF);
    EXPECT_EQ(encounterStepsLeft, 0x7FFFFFFF);
}

TEST_F(MapDataTest, CollisionClassOfEveryTileKind) {
    const int8_t tiles[] = {-128, -1, 0, 14, 15, 44, 45, 46, 127};
    const int8_t expected[] = {0, 0, 0, 0, 1, 1, 3, 2, 2};
    UseMap(9, 1);
    for (int i = 0; i < 9; ++i) {
        tileLayer[i] = tiles[i];
        collisionLayer[i] = 7;
    }
    collisionLayer[9] = 7;
    BuildCollisionLayer();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(collisionLayer[i], expected[i]) << "tile " << int{tiles[i]};
        EXPECT_EQ(CollisionForTile(tiles[i]), expected[i]);
    }
    EXPECT_EQ(collisionLayer[9], 7) << "cells beyond the map are not touched";
}

TEST_F(MapDataTest, EventCellsCountDuplicatesButNotMoversOrHighNumbers) {
    UseMap(5, 2);
    const uint8_t events[10] = {3, 3, 21, 70, 74, 1, 20, 0, 255, 72};
    for (int i = 0; i < 10; ++i) {
        eventLayer[i] = events[i];
    }
    eventLayer[10] = 1;  // beyond the map
    EXPECT_EQ(CountEventCells(), 4);

    MapRecord record = Record(5, 2, 0, 30, 0);
    record.events.assign(events, events + 10);
    dir.Write("mappack.dat", WriteMapPack({record}, PlaceAll(0)));
    ASSERT_TRUE(Read(0));
    EXPECT_EQ(eventBlockCount, 4);
}

TEST_F(MapDataTest, EveryCellCentreMapsBackToItsCell) {
    for (auto [width, height] : {std::pair{5, 3}, std::pair{4, 6}}) {
        UseMap(width, height);
        for (int32_t r = 0; r < height; ++r) {
            for (int32_t c = 0; c < width; ++c) {
                float x = 0;
                float z = 0;
                CellToWorld(c, r, &x, &z);
                EXPECT_EQ(x, static_cast<float>(2 * c - width + 1));
                EXPECT_EQ(z, static_cast<float>(height - 2 * r - 1));
                EXPECT_EQ(WorldToMapCell(x, z), r * width + c) << width << "x" << height;
                int32_t column = -1;
                int32_t row = -1;
                ASSERT_TRUE(TryWorldToMapCell(x, z, &column, &row));
                EXPECT_EQ(column, c);
                EXPECT_EQ(row, r);
            }
        }
    }
}

TEST_F(MapDataTest, BoundaryPointsBelongToTheLargerColumnAndRow) {
    UseMap(5, 3);
    // Cell (2, 1) spans x -1..1 and z -1..1: its west edge and its north edge are its own.
    EXPECT_EQ(WorldToMapCell(-1.0f, 0.0f), 1 * 5 + 2);
    EXPECT_EQ(WorldToMapCell(0.0f, 1.0f), 1 * 5 + 2);
    EXPECT_EQ(WorldToMapCell(-1.0f, 1.0f), 1 * 5 + 2);
    EXPECT_EQ(WorldToMapCell(1.0f, -1.0f), 2 * 5 + 3) << "the far corner is the next cell's";
    EXPECT_EQ(WorldToMapCell(-1.001f, 1.001f), 0 * 5 + 1);
}

TEST_F(MapDataTest, SnapToCellCentreRemovesDrift) {
    UseMap(5, 3);
    for (int32_t r = 0; r < 3; ++r) {
        for (int32_t c = 0; c < 5; ++c) {
            float x = 0;
            float z = 0;
            CellToWorld(c, r, &x, &z);
            for (float dx : {-0.9f, 0.0f, 0.9f}) {
                for (float dz : {-0.9f, 0.0f, 0.9f}) {
                    float sx = 0;
                    float sz = 0;
                    SnapToCellCentre(x + dx, z + dz, 5, 3, &sx, &sz);
                    EXPECT_EQ(sx, x);
                    EXPECT_EQ(sz, z);
                }
            }
        }
    }
    // The battle field's 18 x 18 grid, whatever map is loaded.
    for (int32_t r = 0; r < 18; ++r) {
        for (int32_t c = 0; c < 18; ++c) {
            const float x = static_cast<float>(2 * c - 17);
            const float z = static_cast<float>(17 - 2 * r);
            float sx = 0;
            float sz = 0;
            SnapToCellCentre(x + 0.75f, z - 0.75f, 18, 18, &sx, &sz);
            EXPECT_EQ(sx, x);
            EXPECT_EQ(sz, z);
        }
    }
    float cx = 0;
    float cz = 0;
    SnapToGridCellCorner(0.5f, 0.5f, 18, 18, &cx, &cz);
    EXPECT_EQ(cx, 0.0f);
    EXPECT_EQ(cz, 2.0f) << "the corner has the cell's smallest x and largest z";
}

TEST_F(MapDataTest, RoundingTakesHalvesAwayFromZero) {
    float x = 2.5f;
    float z = -2.5f;
    RoundPositionXZ(&x, &z);
    EXPECT_EQ(x, 3.0f);
    EXPECT_EQ(z, -3.0f);
}

TEST_F(MapDataTest, OffsetByDirectionMovesOnlyAlongTheFourAxes) {
    struct Case {
        float angle;
        float dx;
        float dz;
    } cases[] = {{0, 2, 0},  {90, 0, 2},  {180, -2, 0}, {270, 0, -2},  {90.4f, 0, 2},
                 {45, 0, 0}, {360, 0, 0}, {-90, 0, 0},  {89.4f, 0, 0}, {269.5f, 0, -2}};
    for (const Case& c : cases) {
        float x = 1;
        float z = 3;
        OffsetByDirection(&x, &z, c.angle, 2.0f);
        EXPECT_EQ(x, 1 + c.dx) << c.angle;
        EXPECT_EQ(z, 3 + c.dz) << c.angle;
    }
}

TEST_F(MapDataTest, AngleBetweenSmallStepsIsTheAxisHeading) {
    const struct {
        float dx;
        float dz;
        float heading;
    } steps[] = {{0.25f, 0, 0}, {0, 0.25f, 90}, {-0.25f, 0, 180}, {0, -0.25f, 270}};
    for (auto s : steps) {
        const float a = GetAngleBetween(4.0f, -2.0f, 4.0f + s.dx, -2.0f + s.dz);
        EXPECT_EQ(std::round(a), s.heading) << s.dx << "," << s.dz;
        EXPECT_NEAR(a, s.heading, 0.01f);
    }
    EXPECT_NEAR(GetAngleBetween(0, 0, 1, -1), -45.0f, 0.01f) << "below 0 toward +x, -z";
    EXPECT_NEAR(GetAngleBetween(0, 0, -1, -1), 225.0f, 0.01f);
    EXPECT_NEAR(GetAngleBetween(0, 0, 0, 0), 270.0f, 0.01f) << "no step counts as 270";
    EXPECT_FLOAT_EQ(GetGroundDistance(1, 1, 4, 5), 5.0f);
}

TEST_F(MapDataTest, OffMapReadsAnswerWallOrNothingAndWritesAreIgnored) {
    UseMap(4, 3);
    for (int i = 0; i < 12; ++i) {
        tileLayer[i] = 0;
        collisionLayer[i] = COLLISION_FREE;
        eventLayer[i] = 9;
    }
    // The zero-filled bytes past the map would read as free ground.
    float x = 0;
    float z = 0;
    CellToWorld(3, 1, &x, &z);
    EXPECT_EQ(GetCellAhead(x, z, 0), COLLISION_WALL) << "east edge";
    CellToWorld(0, 1, &x, &z);
    EXPECT_EQ(GetCellAhead(x, z, 180), COLLISION_WALL) << "west edge, -2 < x + W < 0";
    EXPECT_EQ(GetCellAhead(x, z, 0), COLLISION_FREE) << "on the map";
    CellToWorld(1, 0, &x, &z);
    EXPECT_EQ(GetCellAhead(x, z, 90), COLLISION_WALL) << "north edge";
    CellToWorld(1, 2, &x, &z);
    EXPECT_EQ(GetCellAhead(x, z, 270), COLLISION_WALL) << "south edge";

    EXPECT_EQ(GetEventAt(5.0f, 0.0f), 0);
    EXPECT_EQ(GetEventAt(-0.5f, 0.5f), 9);
    tileLayer[12] = 30;
    EXPECT_EQ(GetTileAt(5.0f, 0.0f), 0) << "column 4 does not wrap into the next row";
    EXPECT_EQ(GetTileAt(0.0f, -4.0f), 0) << "row 3";
    EXPECT_EQ(GetTileAt(NAN, 0.0f), 0);
    EXPECT_EQ(GetCollisionAt(1e30f, 0.0f), COLLISION_WALL);

    for (auto [wx, wz] : {std::pair{5.0f, 0.0f}, std::pair{-5.0f, 0.0f}, std::pair{0.0f, 4.0f},
                          std::pair{0.0f, -3.5f}, std::pair{-1e9f, 1e9f}}) {
        SetCollisionCell(wx, wz, COLLISION_BLOCKED);
    }
    for (size_t i = 0; i < MAP_LAYER_BYTES; ++i) {
        ASSERT_EQ(collisionLayer[i], COLLISION_FREE) << "byte " << i;
    }
    SetCollisionCell(3.5f, -2.5f, COLLISION_BLOCKED);
    EXPECT_EQ(collisionLayer[11], COLLISION_BLOCKED) << "the last cell is on the map";
}

TEST_F(MapDataTest, DamagedPacksAreRefusedWithTheLayersLeftClear) {
    const Bytes good = WriteMapPack({Record(3, 3, 1, 5, 0)}, PlaceAll(0));
    auto refused = [&](const Bytes& pack, int32_t map, const char* why) {
        dir.Write("mappack.dat", good);
        ASSERT_TRUE(Read(0));
        dir.Write("mappack.dat", pack);
        EXPECT_FALSE(Read(map)) << why;
        EXPECT_TRUE(LayersClear()) << why;
    };
    refused(good, 24, "map number 24");
    refused(good, -1, "map number -1");
    refused(HeaderOnlyPack(40001, 1), 0, "40,001 cells");
    refused(HeaderOnlyPack(201, 200), 0, "201 x 200 cells");
    refused(HeaderOnlyPack(65536, 65536), 0, "a product that wraps in 32 bits");
    refused(HeaderOnlyPack(0, 5), 0, "width 0");
    refused(HeaderOnlyPack(5, 0), 0, "height 0");
    Bytes truncated(good.begin(), good.end() - 1);
    refused(truncated, 0, "the event layer is one byte short");
    refused(Bytes(good.begin(), good.begin() + 96 + 10), 0, "the header is cut");
    refused(Bytes(good.begin(), good.begin() + 50), 0, "the table is cut");
    Bytes pastEnd = good;
    WriteLE32(pastEnd.data() + 4 * 7, 5000);
    refused(pastEnd, 7, "the offset points past the file");

    std::filesystem::remove("mappack.dat");
    EXPECT_FALSE(Read(0)) << "no file";
    EXPECT_TRUE(LayersClear());
    dir.Pipe("mappack.dat");
    EXPECT_FALSE(Read(0)) << "a named pipe";
    EXPECT_TRUE(LayersClear());
    int32_t width = 0;
    int32_t height = 0;
    EXPECT_FALSE(ReadMapPackSize("mappack.dat", 0, &width, &height)) << "a named pipe";
}

TEST_F(MapDataTest, ABiggestMapFillsTheLayersExactly) {
    MapRecord record;
    record.width = 200;
    record.height = 200;
    record.tiles.assign(40000, 45);
    record.events.assign(40000, 7);
    dir.Write("mappack.dat", WriteMapPack({record}, PlaceAll(0)));
    ASSERT_TRUE(Read(3));
    EXPECT_EQ(tileLayer[39999], 45);
    EXPECT_EQ(collisionLayer[39999], COLLISION_LIQUID);
    EXPECT_EQ(CountEventCells(), 40000);
    EXPECT_EQ(eventBlockCount, EVENT_BLOCK_COUNT) << "no more blocks than the store holds";
}

TEST_F(MapDataTest, ReadingWithoutTheLayersIsRefused) {
    FreeMapBuffers();
    dir.Write("mappack.dat", WriteMapPack({Record(3, 3, 1, 5, 0)}, PlaceAll(0)));
    EXPECT_FALSE(Read(0));
    ASSERT_TRUE(AllocMapBuffers());
}

TEST_F(MapDataTest, LoadMapReadsTheBuildersPacksAndCutsTheEventBlocks) {
    WriteTestMaps(dir.Path(), {TestMap(R"(map 4
name test
size 4 3
encounter 3 9
tile X 15
tile . 0
tiles
XXXX
X..X
XXXX
events
 .  2  .  .
 .  .  1  .
 .  .  .  .
script
/ a comment with an @ that ends nothing
$7,
#14, 3,
@
$99,100,
#2,1,
 12,13,0,
@
)")});
    ASSERT_TRUE(LoadMap(4));
    EXPECT_EQ(currentMap, 4);
    EXPECT_EQ(mapWidth, 4);
    EXPECT_EQ(encounterGroup, 3);
    EXPECT_EQ(encounterStepsLeft, 9);
    EXPECT_EQ(eventBlockCount, 2);
    EXPECT_EQ(tileLayer[5], 0);
    EXPECT_EQ(collisionLayer[4], COLLISION_WALL);
    EXPECT_STREQ(GetEventBlock(1), "$7,#14,3,");
    EXPECT_STREQ(GetEventBlock(2), "$99,100,#2,1,12,13,0,");
    EXPECT_STREQ(GetEventBlock(3), "");

    ASSERT_TRUE(LoadMap(9)) << "a map number nobody wrote is the small walled room";
    EXPECT_EQ(mapWidth, 3);
    EXPECT_EQ(mapHeight, 3);
    EXPECT_EQ(collisionLayer[4], COLLISION_FREE);
    EXPECT_EQ(eventBlockCount, 0);

    std::filesystem::remove("epack.dat");
    EXPECT_FALSE(LoadMap(4)) << "the events are part of the map";
}

}  // namespace
