// The save files: the layout byte by byte, a known game's bytes, the round trip through a file,
// every damaged file refused with nothing changed, a failing write or a read-only save that
// leaves the old save as it was, the slot scan, and where saving is forbidden.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>

#include "engine/byte_io.h"
#include "menu/field_menu_fixture.h"
#include "menu/title_screen.h"

namespace {

// A record whose every word differs: the float of its offset plus a half. On this
// little-endian machine its memory is its file form, field for field, since game_state.h pins
// each field's offset to the file's.
CharacterRecord Marked() {
    CharacterRecord r;
    for (uint32_t o = 0; o < sizeof r; o += 4) {
        const float v = static_cast<float>(o) + 0.5f;
        std::memcpy(reinterpret_cast<char*>(&r) + o, &v, sizeof v);
    }
    return r;
}

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) {
        hash = (hash ^ b) * 0x100000001b3ull;
    }
    return hash;
}

TEST(SaveLayoutTest, EveryFieldLiesWhereTheFileKeepsIt) {
    SaveData save{};
    save.scenario = 1;
    save.map = 23;
    save.summary = 9;
    save.money = 9999999;
    save.partyCount = 4;
    for (int i = 0; i < PARTY_MAX; ++i) {
        save.roster[i] = save.stored[i] = Marked();
        save.positions[i] = {1.0f + i, 2.0f + i, 3.0f + i, 4.0f + i};
    }
    save.cameraEyeY = 60.5f;
    for (uint32_t f = 0; f < EVENT_FLAG_COUNT; ++f) {
        save.flags[f] = 1000 + f;
    }
    for (int s = 0; s < INVENTORY_SLOT_COUNT; ++s) {
        save.inventory[s] = {s, 100 + s};
    }
    const std::vector<uint8_t> bytes = EncodeSave(save);
    ASSERT_EQ(bytes.size(), 2856u);
    const struct {
        size_t offset;
        uint32_t value;
    } words[] = {{0, 1},       {4, 23},   {8, 9},      {12, 9999999}, {16, 4},    {1816, 1000},
                 {2212, 1099}, {2216, 0}, {2220, 100}, {2848, 79},    {2852, 179}};
    for (const auto& w : words) {
        EXPECT_EQ(ReadLE32(bytes.data() + w.offset), w.value) << w.offset;
    }
    const CharacterRecord marked = Marked();
    for (size_t record = 0; record < 8; ++record) {
        EXPECT_EQ(std::memcmp(bytes.data() + 20 + 216 * record, &marked, 216), 0) << record;
    }
    for (int i = 0; i < PARTY_MAX; ++i) {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(ReadLEFloat(bytes.data() + 1748 + 16 * i + 4 * k), 1.0f + i + k);
        }
    }
    EXPECT_EQ(ReadLEFloat(bytes.data() + 1812), 60.5f);
    // Fewer members move everything after them up by 432 bytes each.
    for (int32_t n = 0; n < PARTY_MAX; ++n) {
        save.partyCount = n;
        const std::vector<uint8_t> shorter = EncodeSave(save);
        ASSERT_EQ(shorter.size(), 1128u + 432u * n);
        EXPECT_TRUE(std::equal(shorter.begin() + 20 + 432 * n, shorter.end(), bytes.begin() + 1748))
            << n;
    }
}

class SaveFileTest : public FieldMenuFixture {
  protected:
    void SetUp() override { SetUpField(); }
    void TearDown() override { saveFileOps = SYSTEM_SAVE_FILE_OPS; }

    // Everything a refused load must leave alone.
    struct Snapshot {
        std::vector<uint8_t> pool;
        std::vector<uint8_t> state;
        std::vector<int8_t> tiles;
    };
    static Snapshot Take() {
        Snapshot s;
        const auto* pool = reinterpret_cast<const uint8_t*>(taskPool);
        s.pool.assign(pool, pool + sizeof(TaskSlot) * TASK_POOL_SIZE);
        const auto add = [&s](const void* p, size_t n) {
            const auto* b = static_cast<const uint8_t*>(p);
            s.state.insert(s.state.end(), b, b + n);
        };
        add(partyRoster, sizeof partyRoster);
        add(storedMembers, sizeof storedMembers);
        add(eventFlags, sizeof eventFlags);
        add(inventory, sizeof inventory);
        for (int32_t v :
             {money, partyCount, scenario, currentMap, mapWidth, mapHeight, encounterStepsLeft}) {
            add(&v, sizeof v);
        }
        s.tiles.assign(tileLayer, tileLayer + MAP_LAYER_BYTES);
        return s;
    }
    static void ExpectUnchanged(const Snapshot& before) {
        const Snapshot now = Take();
        EXPECT_TRUE(now.pool == before.pool) << "the task pool changed";
        EXPECT_TRUE(now.state == before.state) << "the game state changed";
        EXPECT_TRUE(now.tiles == before.tiles) << "the map changed";
    }
};

TEST_F(SaveFileTest, AKnownGameGivesKnownBytes) {
    std::fill(std::begin(partyRoster), std::end(partyRoster), Marked());
    partyRoster[0].characterId = 2;
    partyRoster[1].characterId = 3;
    partyRoster[2].characterId = 0;  // the first of the party with character id 0
    partyRoster[2].level = 33;
    storedMembers[1] = Marked();
    storedMembers[1].aiType = 99;
    for (int s = 0; s < INVENTORY_SLOT_COUNT; ++s) {
        inventory[s] = s % 3 == 0 ? InventorySlot{ITEM_NONE, 0} : InventorySlot{s % 27, s};
    }
    const std::vector<uint8_t> bytes = EncodeSave(CaptureSave());
    ASSERT_EQ(bytes.size(), 1128u + 432u * 3);
    EXPECT_EQ(ReadLE32(bytes.data() + 8), 33u);
    EXPECT_EQ(ReadLEFloat(bytes.data() + 20 + 432 * 3 + 64), 45.0f) << "the camera's height";
    EXPECT_EQ(Fnv1a(bytes), 0x1b4b2a5800ef7792ull);
}

TEST_F(SaveFileTest, ASaveLoadsBackTheGameAndTheFieldExactly) {
    ASSERT_TRUE(WriteSaveFile(2));
    const std::vector<uint8_t> bytes = SaveBytes(2);
    ASSERT_EQ(bytes.size(), 1128u + 432u * 3);
    EXPECT_FALSE(std::filesystem::exists(dir.File("save2.dat.tmp")));
    SaveData saved;
    const char* why = nullptr;
    ASSERT_TRUE(DecodeSave(bytes.data(), bytes.size(), &saved, &why)) << why;
    EXPECT_TRUE(EncodeSave(saved) == bytes);

    // Another game, with tasks of its own and stale places beyond its party.
    std::fill(std::begin(partyRoster), std::end(partyRoster), characterTemplates[3]);
    storedMembers[3] = characterTemplates[0];
    money = 1;
    partyCount = 1;
    inventory[0] = {5, 5};
    ClearEventFlags();
    KillAllTasks();
    CreateTitleScreen();
    ASSERT_EQ(LoadSaveFile(2), SaveLoadResult::Loaded);
    for (int i = 0; i < PARTY_MAX; ++i) {
        const PartyMemberPayload* member = PartyMemberAt(i);
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(Xyz(member->actor.head.position), Xyz(Centre(2 + i, 2))) << i;
        EXPECT_EQ(member->actor.facing, 90.0f * i);
        EXPECT_EQ(member->memberAhead, i == 0 ? nullptr : PartyMemberAt(i - 1));
    }
    ASSERT_NE(Camera(), nullptr);
    EXPECT_EQ(Camera()->followTag, PARTY_TAG_FIRST);
    EXPECT_EQ(Camera()->eyeY, 60.0f) << "the saved height is not used";
    EXPECT_FALSE(TaskKindExists(TASK_KIND_TITLE));
    EXPECT_EQ(CountKind(TASK_KIND_STEP_TRIGGER), 1) << "the map's objects were placed again";
    EXPECT_TRUE(headless::Voice(MUSIC_FIELD).playing);
    EXPECT_EQ(partyCount, 3);
    EXPECT_EQ(money, 123456);
    EXPECT_EQ(std::memcmp(partyRoster, saved.roster, sizeof partyRoster), 0);
    EXPECT_EQ(std::memcmp(storedMembers, saved.stored, sizeof storedMembers), 0);
    EXPECT_EQ(std::memcmp(eventFlags, saved.flags, sizeof eventFlags), 0);
    EXPECT_EQ(std::memcmp(inventory, saved.inventory, sizeof inventory), 0);
    EXPECT_EQ(storedMembers[3].level, 0) << "a stale place came back";

    // The map cannot be made once the old game is gone: the message, then the title.
    std::filesystem::remove(dir.File("epack.dat"));
    const size_t boxes = game->MessageBoxes().size();
    EXPECT_EQ(LoadSaveFile(2), SaveLoadResult::Failed);
    ASSERT_EQ(game->MessageBoxes().size(), boxes + 1);
    EXPECT_EQ(game->MessageBoxes().back().text, "no data file");
    EXPECT_TRUE(TaskKindExists(TASK_KIND_TITLE));
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_MAP_VIEW));
}

TEST_F(SaveFileTest, EveryDamagedFileIsRefusedWithNothingChanged) {
    ASSERT_TRUE(WriteSaveFile(1));
    const std::vector<uint8_t> good = SaveBytes(1);
    const size_t n3 = 1128 + 432 * 3;
    const auto word = [](size_t at, uint32_t v) {
        return [=](std::vector<uint8_t>& b) { WriteLE32(b.data() + at, v); };
    };
    const auto real = [](size_t at, float v) {
        return [=](std::vector<uint8_t>& b) { WriteLEFloat(b.data() + at, v); };
    };
    const auto cut = [](size_t size) { return [=](std::vector<uint8_t>& b) { b.resize(size); }; };
    const size_t roster = 20;
    const size_t stored = 20 + 216 * 3;
    const size_t positions = 20 + 432 * 3;
    const size_t bag = 488 + 432 * 3;
    const struct {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        bool loads;
    } cases[] = {
        {"11 bytes", cut(11), false},
        {"100 bytes", cut(100), false},
        {"one byte short", cut(n3 - 1), false},
        {"party of 5", word(16, 5), false},
        {"party of -1", word(16, 0xFFFFFFFF), false},
        {"party of 4 in a file for 3", word(16, 4), false},
        {"map 24", word(4, 24), false},
        {"money 10,000,000", word(12, 10000000), false},
        {"item 500", word(bag, 500), false},
        {"item -2", word(bag + 8, 0xFFFFFFFE), false},
        {"a count of 100", word(bag + 4, 100), false},
        {"a held item counting 0", word(bag + 4, 0), false},
        {"model 39", word(roster + 8, 39), false},
        {"class 4", word(roster + 216 + 16, 4), false},
        {"character 4", word(roster, 4), false},
        {"weapon 27", word(roster + 76, 27), false},
        {"stored armour -1", word(stored + 216 + 80, 0xFFFFFFFF), false},
        {"x not a number", real(positions, std::numeric_limits<float>::quiet_NaN()), false},
        {"z infinite", real(positions + 16 + 8, std::numeric_limits<float>::infinity()), false},
        {"facing 3601", real(positions + 12, 3601.0f), false},
        {"x off the map", real(positions + 32, 8.0f), false},
        {"z off the map", real(positions + 48 + 8, -6.0f), false},
        // What the layout leaves free loads.
        {"trailing bytes", [](std::vector<uint8_t>& b) { b.resize(b.size() + 50, 0xAB); }, true},
        {"an empty slot's count", word(bag + 8 * 79 + 4, 12345), true},
        {"a zeroed gap", [&](std::vector<uint8_t>& b) { std::fill_n(b.begin() + 236, 216, 0); },
         true},
        {"any height", real(positions + 4, std::numeric_limits<float>::quiet_NaN()), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        dir.Write("save1.dat", bytes);
        const Snapshot before = Take();
        const size_t boxes = game->MessageBoxes().size();
        if (!c.loads) {
            EXPECT_EQ(LoadSaveFile(1), SaveLoadResult::Refused);
            ExpectUnchanged(before);
        } else {
            EXPECT_EQ(LoadSaveFile(1), SaveLoadResult::Loaded);
            EXPECT_EQ(inventory[79].count, 0);
        }
        EXPECT_EQ(game->MessageBoxes().size(), boxes);
    }
    std::filesystem::remove(dir.File("save1.dat"));
    const Snapshot before = Take();
    EXPECT_EQ(LoadSaveFile(1), SaveLoadResult::Refused);
    EXPECT_EQ(LoadSaveFile(5), SaveLoadResult::Refused);
    ExpectUnchanged(before);
}

TEST_F(SaveFileTest, AFailedWriteOrAReadOnlySaveLeavesTheOldSaveAsItWas) {
    ASSERT_TRUE(WriteSaveFile(3));
    const std::vector<uint8_t> old = SaveBytes(3);
    money = 7;  // what a new save would hold
    const struct {
        const char* what;
        void (*inject)();
        bool writes;
    } cases[] = {
        // Each step failing as its system call would.
        {"open", [] { saveFileOps.open = [](const char*) { return errno = EACCES, -1; }; }, false},
        {"write",
         [] {
             saveFileOps.write = [](int, const void*, size_t) -> ssize_t {
                 return errno = ENOSPC, -1;
             };
         },
         false},
        {"flush", [] { saveFileOps.flush = [](int) { return errno = EIO, -1; }; }, false},
        {"close", [] { saveFileOps.close = [](int fd) { return ::close(fd), errno = EIO, -1; }; },
         false},
        {"rename",
         [] { saveFileOps.rename = [](const char*, const char*) { return errno = EXDEV, -1; }; },
         false},
        {"read-only", [] { ::chmod("save3.dat", 0444); }, false},
        {"a party of 5", [] { partyCount = 5; }, false},
        {"short writes",
         [] {
             saveFileOps.write = [](int fd, const void* bytes, size_t count) {
                 return ::write(fd, bytes, count > 100 ? count / 2 : count);
             };
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.Write("save3.dat", old);
        c.inject();
        EXPECT_EQ(WriteSaveFile(3), c.writes);
        saveFileOps = SYSTEM_SAVE_FILE_OPS;
        ::chmod("save3.dat", 0644);
        partyCount = 3;
        const std::vector<uint8_t> now = SaveBytes(3);
        EXPECT_EQ(now == old, !c.writes);
        EXPECT_EQ(ReadLE32(now.data() + 12), c.writes ? 7u : 123456u);
        EXPECT_FALSE(std::filesystem::exists(dir.File("save3.dat.tmp")));
    }
}

TEST_F(SaveFileTest, TheScanReadsEachSlotsHeadAndLocalTime) {
    partyRoster[0].level = 17;
    ASSERT_TRUE(WriteSaveFile(0));
    dir.Write("save3.dat", {1, 0, 0, 0, 5});
    std::tm local{};
    local.tm_year = 131;
    local.tm_mon = 2;
    local.tm_mday = 4;
    local.tm_hour = 5;
    local.tm_min = 6;
    local.tm_isdst = -1;
    const timespec when[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, "save0.dat", when, 0), 0);
    SaveSlotSummary slots[SAVE_SLOT_COUNT];
    ScanSaveSlots(slots);
    EXPECT_EQ(
        (std::vector<uint32_t>{slots[0].exists, slots[0].scenario, slots[0].map, slots[0].summary}),
        (std::vector<uint32_t>{1, 1, 4, 17}));
    const SaveTime& t = slots[0].lastWrite;
    EXPECT_EQ((std::vector<int32_t>{t.year, t.month, t.day, t.hour, t.minute}),
              (std::vector<int32_t>{2031, 3, 4, 5, 6}));
    EXPECT_EQ(slots[3].exists, 1u) << "a damaged save can be seen and overwritten";
    EXPECT_EQ(slots[3].scenario, 0u) << "too short for its head";
    EXPECT_EQ(slots[1].exists + slots[2].exists + slots[4].exists, 0u);
    EXPECT_TRUE(SaveSlotExists(0) && SaveSlotExists(3) && !SaveSlotExists(1));
}

TEST_F(SaveFileTest, WhatIsNoRegularFileIsAnEmptySlotThatIsNeitherReadNorReplaced) {
    ASSERT_TRUE(WriteSaveFile(0));
    const struct {
        const char* kind;
        void (*make)(const TempDir&);
    } cases[] = {
        {"a named pipe", [](const TempDir& d) { d.Pipe("save4.dat"); }},
        {"a directory",
         [](const TempDir& d) { std::filesystem::create_directory(d.File("save4.dat")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        c.make(dir);
        ::testing::internal::CaptureStderr();
        SaveSlotSummary slots[SAVE_SLOT_COUNT];
        ScanSaveSlots(slots);
        EXPECT_EQ(slots[4].exists, 0u);
        EXPECT_EQ(slots[0].exists, 1u);
        EXPECT_FALSE(SaveSlotExists(4));
        const Snapshot before = Take();
        EXPECT_EQ(LoadSaveFile(4), SaveLoadResult::Refused);
        ExpectUnchanged(before);
        EXPECT_FALSE(WriteSaveFile(4));
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(std::string("save4.dat: cannot load: not a regular file (") + c.kind),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find("save4.dat: cannot save: the old save is not a regular file"),
                  std::string::npos)
            << said;
        EXPECT_FALSE(std::filesystem::is_regular_file(dir.File("save4.dat")));
        std::filesystem::remove(dir.File("save4.dat"));
    }
    // A pipe left at the temporary name is ours to replace, not to wait on.
    dir.Pipe("save4.dat.tmp");
    EXPECT_TRUE(WriteSaveFile(4));
    EXPECT_EQ(SaveBytes(4), SaveBytes(0));
    EXPECT_FALSE(std::filesystem::exists(dir.File("save4.dat.tmp")));
}

TEST_F(SaveFileTest, SavingIsForbiddenOnEventAndMoverCellsAndWithoutALeader) {
    const Vec3 at = PartyMemberAt(0)->actor.head.position;
    uint8_t& cell = eventLayer[WorldToMapCell(at.x, at.z)];
    for (int byte : {0, 1, 20, 70, 127, 128, 255}) {
        cell = static_cast<uint8_t>(byte);
        EXPECT_EQ(IsSaveForbidden(), byte >= 1 && byte <= 127) << byte;
    }
    cell = 0;
    TaskAt(TASK_SLOT_PARTY_FIRST)->inUse = 0;
    EXPECT_TRUE(IsSaveForbidden());
}

}  // namespace
