// The program shell: start-up and its failure paths, the frame's order and pacing, the rebuild
// after a lost device, shut-down, and the values start-up gives the game state.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "battle/inventory.h"
#include "engine/data_archive.h"
#include "engine/keyboard.h"
#include "engine/program_shell.h"
#include "engine/random.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "menu/options.h"
#include "menu/title_screen.h"
#include "platform/audio.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

const std::string poolBytes = std::to_string(sizeof(TaskSlot) * TASK_POOL_SIZE);

std::string ArchiveBytes(const TempDir& dir) {
    return std::to_string(std::filesystem::file_size(dir.File("data.dat")));
}

// The call log without the voice-by-voice entries.
std::vector<std::string> LogWithoutVoices() {
    std::vector<std::string> kept;
    for (const std::string& entry : headless::CallLog()) {
        if (entry.rfind("voice:", 0) != 0) {
            kept.push_back(entry);
        }
    }
    return kept;
}

// The call log from the first entry equal to `from` on.
std::vector<std::string> LogFrom(const std::string& from) {
    const auto& log = headless::CallLog();
    auto it = std::find(log.begin(), log.end(), from);
    return std::vector<std::string>(it, log.end());
}

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override { WriteTestDataSet(dir.Path()); }
    TempDir dir;
};

TEST(RandomIntTest, RepeatsTheSequenceOfASeedAndNeverDrawsForEmptyRanges) {
    SeedRandom(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169};
    for (int32_t value : expected) {
        EXPECT_EQ(RandomInt(32768), value);
    }
    SeedRandom(1);
    EXPECT_EQ(RandomInt(0), 0);
    EXPECT_EQ(RandomInt(-3), 0);
    EXPECT_EQ(RandomInt(32768), 41) << "n < 1 must not advance the generator";
    EXPECT_EQ(RandomInt(1), 0);
    EXPECT_EQ(RandomInt(32768), 6334) << "n = 1 draws like any other n";
    SeedRandom(1);
    EXPECT_EQ(RandomInt(4), 41 % 4);
}

TEST_F(ShellTest, StartUpShowsTheWindowWithTheTitleScreenAndSeedsFromTheClock) {
    GameHarness game(dir.Path(), 1);
    ASSERT_TRUE(game.Start());
    EXPECT_TRUE(headless::Window().shown);
    EXPECT_EQ(headless::Window().caption, "Lirrowen");
    EXPECT_EQ(headless::Window().className, "VORNHALT");
    EXPECT_EQ(headless::Window().clientWidth, 640);
    EXPECT_EQ(headless::Window().clientHeight, 480);
    EXPECT_EQ(headless::Window().x, (1920 - 640) / 2);
    EXPECT_EQ(headless::Window().y, (1080 - 480) / 2);
    EXPECT_EQ(FindTaskByKind(TASK_KIND_TITLE), TaskAt(TASK_SLOT_TITLE));
    EXPECT_TRUE(game.MessageBoxes().empty());
    EXPECT_TRUE(headless::Voice(MUSIC_TITLE).playing);
    EXPECT_TRUE(headless::Voice(MUSIC_TITLE).looping);
    // Seeded with the calendar seconds the harness set.
    EXPECT_EQ(RandomInt(32768), 41);
}

TEST_F(ShellTest, InitParametersSetsTheStartValues) {
    money = 5;
    partyCount = 1;
    familiarCount = 0;
    battleEnemyCount = 3;
    currentMap = 7;
    scenario = 1;
    encounterGroup = 2;
    encounterInterval = 99;
    encounterStepsLeft = 1;
    eventBlockCount = 4;
    titleBackgroundVariant = 2;
    isRunning = 0;
    partyRoster[2].hp = 50;
    familiarTeam[1].level = 9;
    storedMembers[0].level = 12;
    eventFlags[42] = 1;
    inventory[70] = {3, 3};
    options.optionMusic = 0;

    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    EXPECT_EQ(money, 2000);
    EXPECT_EQ(partyCount, 4);
    EXPECT_EQ(familiarCount, 4);
    EXPECT_EQ(battleEnemyCount, 0);
    EXPECT_EQ(currentMap, 0);
    EXPECT_EQ(scenario, 0);
    EXPECT_EQ(encounterGroup, 0);
    EXPECT_EQ(encounterInterval, 30);
    EXPECT_EQ(encounterStepsLeft, 30);
    EXPECT_EQ(eventBlockCount, 0);
    EXPECT_EQ(titleBackgroundVariant, 0);
    EXPECT_EQ(isRunning, 1u);
    EXPECT_EQ(partyRoster[2].hp, 0);
    EXPECT_EQ(familiarTeam[1].level, 0);
    EXPECT_EQ(storedMembers[0].level, 12) << "stored members survive start-up";
    EXPECT_EQ(eventFlags[42], 0u);
    EXPECT_EQ(inventory[0].itemId, 0);
    EXPECT_EQ(inventory[0].count, 4);
    EXPECT_EQ(inventory[1].itemId, 2);
    EXPECT_EQ(inventory[2].itemId, 10);
    EXPECT_EQ(inventory[3].itemId, 11);
    EXPECT_EQ(inventory[3].count, 1);
    EXPECT_EQ(inventory[70].itemId, ITEM_NONE);
    EXPECT_EQ(inventory[70].count, 0);
    EXPECT_EQ(options.optionMusic, 1u);
    EXPECT_EQ(options.appliedWindowed, 1u);
    EXPECT_EQ(keyTable[KEY_RETURN].previous, KEY_STATE_HELD);
    storedMembers[0].level = 0;
}

struct FailureCase {
    const char* name;
    const char* message;
    void (*inject)(const TempDir&);
    std::vector<std::string> releases;  // what follows the message box, in order
    const char* says;                   // the line on stderr that tells what went wrong
};

void FailPool(const TempDir&) {
    headless::FailAllocationsOfSize(sizeof(TaskSlot) * TASK_POOL_SIZE, 1);
}
void FailMapLayer(const TempDir&) {
    headless::FailAllocationsOfSize(MAP_LAYER_BYTES, 1);
}
void RemoveArchive(const TempDir& dir) {
    std::filesystem::remove(dir.File("data.dat"));
}
void PipeArchive(const TempDir& dir) {
    dir.Pipe("data.dat");
}
void ArchiveDirectory(const TempDir& dir) {
    std::filesystem::remove(dir.File("data.dat"));
    std::filesystem::create_directory(dir.File("data.dat"));
}
void ShortArchive(const TempDir& dir) {
    dir.Write("data.dat", std::vector<uint8_t>(791, 0));
}
void FailDevices(const TempDir&) {
    headless::FailDeviceCreations(4);
}
void FailAudioDevice(const TempDir&) {
    headless::SetAudioOpenFails(true);
}
void FailOneVoice(const TempDir&) {
    headless::FailVoiceCreation(MUSIC_FIELD);
}
void BreakEntry(const TempDir& dir, int entry) {
    std::vector<Bytes> entries = DemoArchiveEntries();
    entries[entry].resize(20);
    WriteTestArchive(dir.Path(), entries);
}
void BreakOneSound(const TempDir& dir) {
    BreakEntry(dir, ARCHIVE_SOUND_FIRST + SOUND_HIT);
}
void BreakOneMesh(const TempDir& dir) {
    BreakEntry(dir, ARCHIVE_MESH_FIRST + 7);
}
void BreakOneTexture(const TempDir& dir) {
    BreakEntry(dir, ARCHIVE_TEXTURE_FIRST + 3);
}

TEST_F(ShellTest, EachStartUpFailureShowsItsMessageReleasesInOrderAndRunsNoFrame) {
    const FailureCase cases[] = {
        {"pool", "parameter init error", FailPool, {"window:destroy"}, "[error] parameter init"},
        {"map layer",
         "parameter init error",
         FailMapLayer,
         {"free:" + poolBytes, "window:destroy"},
         "[error] parameter init"},
        {"missing archive",
         "data load fail",
         RemoveArchive,
         {"free:" + poolBytes},
         "data.dat: cannot open: No such file or directory"},
        {"archive a named pipe",
         "data load fail",
         PipeArchive,
         {"free:" + poolBytes},
         "data.dat: cannot open: not a regular file (a named pipe)"},
        {"archive a directory",
         "data load fail",
         ArchiveDirectory,
         {"free:" + poolBytes},
         "data.dat: cannot open: not a regular file (a directory)"},
        {"short archive",
         "data load fail",
         ShortArchive,
         {"free:" + poolBytes},
         "data.dat: too short for its offset table: 791 bytes"},
        {"device",
         "direct graphice init error",
         FailDevices,
         {"free:" + poolBytes, "audio:close"},
         "graphics: cannot create the device: "},
        {"audio device",
         "direct sound init error",
         FailAudioDevice,
         {"free:" + poolBytes},
         "sound: cannot open the audio device: "},
        {"voice",
         "direct sound init error",
         FailOneVoice,
         {"free:" + poolBytes, "audio:close"},
         "data.dat: entry 196 (sound 27): the audio device refused it"},
        {"broken sound",
         "direct sound init error",
         BreakOneSound,
         {"free:" + poolBytes, "audio:close"},
         "data.dat: entry 174 (sound 5): not a valid sound: "},
        {"broken mesh",
         "direct graphice init error",
         BreakOneMesh,
         {"free:" + poolBytes, "audio:close"},
         "data.dat: entry 137 (mesh 7): not a valid .x mesh: "},
        {"broken texture",
         "direct graphice init error",
         BreakOneTexture,
         {"free:" + poolBytes, "audio:close"},
         "data.dat: entry 5 (texture 3): not a decodable image"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dir.File("data.dat"));  // a pipe or folder of the last case
        WriteTestDataSet(dir.Path());
        GameHarness game(dir.Path());
        c.inject(dir);
        EXPECT_EQ(headless::Voice(MUSIC_TITLE).playing, false);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(RunGame(), 1) << "a failed start-up must not pass for a game that ran";
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        ASSERT_EQ(game.MessageBoxes().size(), 1u);
        EXPECT_EQ(game.MessageBoxes()[0].caption, "error");
        EXPECT_EQ(game.MessageBoxes()[0].text, c.message);

        std::vector<std::string> after = LogFrom(std::string("message:") + c.message);
        for (size_t i = 0; i < c.releases.size(); ++i) {
            EXPECT_NE(std::find(after.begin(), after.end(), c.releases[i]), after.end())
                << "missing " << c.releases[i];
        }
        EXPECT_EQ(after.back(), "window:destroy");
        EXPECT_FALSE(headless::Window().exists);
        EXPECT_EQ(std::count(headless::CallLog().begin(), headless::CallLog().end(), "window:show"),
                  0);
        EXPECT_EQ(headless::LiveAllocations(), 0u) << "everything allocated is released";
        EXPECT_FALSE(RunMessageLoopOnce()) << "no frame runs after a failed start-up";
        EXPECT_EQ(headless::FramesPresented(), 0);
    }
}

TEST_F(ShellTest, AGameEndedByACloseRequestExitsWithZero) {
    GameHarness game(dir.Path());
    game.RequestClose();
    EXPECT_EQ(RunGame(), 0);
    EXPECT_FALSE(headless::Window().exists);
    EXPECT_EQ(headless::LiveAllocations(), 0u);
}

TEST_F(ShellTest, GraphicsFailureReleasesInTheGivenOrder) {
    GameHarness game(dir.Path());
    headless::FailDeviceCreations(4);
    EXPECT_FALSE(game.Start());
    std::vector<std::string> after = LogFrom("message:direct graphice init error");
    std::vector<std::string> frees;
    for (const std::string& entry : after) {
        if (entry.rfind("free:", 0) == 0 || entry.rfind("window:", 0) == 0) {
            frees.push_back(entry);
        }
    }
    std::vector<std::string> expected = {
        "free:" + poolBytes,         "free:40000",    "free:40000", "free:40000", "free:440000",
        "free:" + ArchiveBytes(dir), "window:destroy"};
    EXPECT_EQ(frees, expected);
    // Sound goes after the archive and before the window.
    std::vector<std::string> log = LogWithoutVoices();
    auto archive = std::find(log.begin(), log.end(), "free:" + ArchiveBytes(dir));
    auto audio = std::find(log.begin(), log.end(), "audio:close");
    auto window = std::find(log.begin(), log.end(), "window:destroy");
    EXPECT_LT(archive, audio);
    EXPECT_LT(audio, window);
}

TEST_F(ShellTest, DeviceAttemptsGoRefresh60ThenDefaultEachHardwareThenSoftware) {
    GameHarness game(dir.Path());
    headless::FailDeviceCreations(3);
    options.optionWindowed = 0;
    // InitParameters resets the options, so full screen is asked for through a rebuild.
    ASSERT_TRUE(game.Start());
    ASSERT_EQ(headless::DeviceAttempts().size(), 4u);
    EXPECT_TRUE(headless::DeviceAttempts()[3].softwareVertexProcessing);
    EXPECT_FALSE(headless::DeviceAttempts()[2].softwareVertexProcessing);
    EXPECT_EQ(headless::DeviceAttempts()[0].refreshRate, 0) << "windowed devices take no rate";

    options.optionWindowed = 0;
    headless::FailDeviceCreations(3);
    headless::LoseDeviceAtNextPresent();
    game.Frame();
    ASSERT_EQ(headless::DeviceAttempts().size(), 8u);
    const DeviceSettings* attempts = &headless::DeviceAttempts()[4];
    EXPECT_EQ(attempts[0].refreshRate, 60);
    EXPECT_FALSE(attempts[0].softwareVertexProcessing);
    EXPECT_EQ(attempts[1].refreshRate, 60);
    EXPECT_TRUE(attempts[1].softwareVertexProcessing);
    EXPECT_EQ(attempts[2].refreshRate, 0);
    EXPECT_FALSE(attempts[2].softwareVertexProcessing);
    EXPECT_EQ(attempts[3].refreshRate, 0);
    EXPECT_TRUE(attempts[3].softwareVertexProcessing);
    EXPECT_FALSE(attempts[3].windowed);
    EXPECT_TRUE(headless::Window().fullScreen);
    EXPECT_TRUE(game.Running());
}

// Frame probes: tasks that record what they see.
std::vector<std::string> events;
uint32_t workMs = 0;

void WorkingUpdate(TaskSlot*) {
    events.push_back("update");
    headless::AdvanceClock(workMs);
}
void WorkingDraw(TaskSlot*) {
    events.push_back("draw");
}

TaskSlot* SpawnProbe(int slot, TaskFn update, TaskFn draw) {
    TaskSlot* task = AllocTaskAt(slot);
    StartTask(task, TASK_KIND_NPC, 0, update, draw);
    return task;
}

TEST_F(ShellTest, FramesLastAtLeast17msAndLongFramesAreNeitherWaitedForNorCaughtUp) {
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    SpawnProbe(20, WorkingUpdate, WorkingDraw);

    struct Case {
        uint32_t start;
        uint32_t work;
        uint32_t period;
    };
    const Case cases[] = {
        {1000, 5, 17}, {2000, 40, 40}, {3000, 0, 17}, {0xFFFFFFF8u, 5, 17}, {4000, 17, 17},
    };
    for (const Case& c : cases) {
        headless::SetClock(c.start);
        workMs = c.work;
        game.Frame();
        EXPECT_EQ(static_cast<uint32_t>(headless::Clock() - c.start), c.period)
            << "work " << c.work << " from " << c.start;
    }
    // After a long frame the next short one still takes its full 17 ms.
    workMs = 60;
    headless::SetClock(5000);
    game.Frame();
    workMs = 1;
    uint32_t next = headless::Clock();
    game.Frame();
    EXPECT_EQ(headless::Clock() - next, 17u);
}

TEST_F(ShellTest, RenderPassRunsBeforeTheUpdatePassAndOnlyWithADevice) {
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    events.clear();
    workMs = 0;
    SpawnProbe(20, WorkingUpdate, WorkingDraw);
    game.Frame();
    game.Frame();
    EXPECT_EQ(events, (std::vector<std::string>{"draw", "update", "draw", "update"}));

    // Without a device the frame still updates.
    GfxReleaseDevice();
    events.clear();
    game.Frame();
    EXPECT_EQ(events, (std::vector<std::string>{"update"}));
}

uint32_t requestedSeen = 2;
int triggeredSeen = -1;

void RequestAndLook(TaskSlot*) {
    requestedSeen = soundRequests[SOUND_CURSOR].requested;
    triggeredSeen = IsKeyTriggered(KEY_RETURN);
    RequestSound(SOUND_CURSOR, 0);
}

TEST_F(ShellTest, UpdateClearsRequestsThenPollsKeysBeforeTheTasksRun) {
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    SpawnProbe(20, RequestAndLook, nullptr);
    game.Frame();
    EXPECT_EQ(soundRequests[SOUND_CURSOR].requested, 1u);
    game.Hold(KEY_RETURN);
    game.Frame();
    EXPECT_EQ(requestedSeen, 0u) << "last frame's request was cleared before the pass";
    EXPECT_EQ(triggeredSeen, 1) << "the key was polled before the pass";
}

int laterSlotUpdates = 0;

void EndProgram(TaskSlot*) {
    isRunning = 0;
}
void CountLaterSlot(TaskSlot*) {
    laterSlotUpdates += 1;
}

TEST_F(ShellTest, EndingFromATaskShutsDownOnceAfterTheWholePass) {
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    laterSlotUpdates = 0;
    SpawnProbe(20, EndProgram, nullptr);
    SpawnProbe(450, CountLaterSlot, nullptr);
    game.RequestClose();  // a close arriving too must not shut down twice
    headless::ClearCallLog();
    EXPECT_FALSE(game.Frame());
    EXPECT_EQ(laterSlotUpdates, 0) << "the close request ends the loop before the frame";

    GameHarness again(dir.Path());
    ASSERT_TRUE(again.Start());
    SpawnProbe(20, EndProgram, nullptr);
    SpawnProbe(450, CountLaterSlot, nullptr);
    headless::ClearCallLog();
    EXPECT_FALSE(again.Frame());
    EXPECT_EQ(laterSlotUpdates, 1);
    EXPECT_EQ(taskPool, nullptr);
    ShutDown();
    EXPECT_EQ(std::count(headless::CallLog().begin(), headless::CallLog().end(), "window:destroy"),
              1);
}

TEST_F(ShellTest, ShutDownReleasesEverythingInOrder) {
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    game.Frames(3);
    headless::ClearCallLog();
    game.RequestClose();
    EXPECT_FALSE(game.Frame());
    std::vector<std::string> expected = {"timer:coarse",
                                         "free:" + poolBytes,
                                         "free:40000",
                                         "free:40000",
                                         "free:40000",
                                         "free:440000",
                                         "free:" + ArchiveBytes(dir),
                                         "audio:close",
                                         "device:release",
                                         "window:destroy"};
    EXPECT_EQ(LogWithoutVoices(), expected);
    EXPECT_EQ(std::count_if(headless::CallLog().begin(), headless::CallLog().end(),
                            [](const std::string& e) { return e.rfind("voice:destroy:", 0) == 0; }),
              SOUND_COUNT);
    EXPECT_EQ(headless::LiveAllocations(), 0u);
    EXPECT_EQ(dataArchive, nullptr);
    EXPECT_FALSE(game.Frame());
}

TEST_F(ShellTest, LostDeviceIsRebuiltAfterTheWindowModeIsApplied) {
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    headless::ClearCallLog();
    headless::LoseDeviceAtNextPresent();
    game.Frame();
    EXPECT_EQ(headless::CallLog(), (std::vector<std::string>{"device:lost", "device:release",
                                                             "window:place", "device:create"}));
    EXPECT_TRUE(game.Running());
    EXPECT_EQ(headless::Window().clientWidth, 640);
    EXPECT_FALSE(headless::Window().fullScreen);
    int presented = headless::FramesPresented();
    game.Frame();
    EXPECT_EQ(headless::FramesPresented(), presented + 1);
}

TEST_F(ShellTest, FailedRebuildStillUpdatesThatFrameThenEndsTheProgram) {
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    events.clear();
    workMs = 0;
    SpawnProbe(20, WorkingUpdate, WorkingDraw);
    headless::LoseDeviceAtNextPresent();
    headless::FailDeviceCreations(4);
    EXPECT_FALSE(game.Frame());
    EXPECT_EQ(events, (std::vector<std::string>{"draw", "update"}));
    EXPECT_TRUE(game.MessageBoxes().empty()) << "a failed rebuild ends without a message";
    EXPECT_FALSE(headless::Window().exists);
}

}  // namespace
