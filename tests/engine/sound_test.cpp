// Sound effects and music through the headless voices: one play per frame for any number of
// requests, the restart rule, the options' switches, lost voices and music switching.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/sound.h"
#include "engine/task_pool.h"
#include "menu/options.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

using Log = std::vector<std::string>;

std::vector<std::pair<int, int>> frameRequests;

void RequestListed(TaskSlot*) {
    for (auto [id, noRestart] : frameRequests) {
        RequestSound(id, noRestart);
    }
}

class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDataSet(dir.Path());
        game = std::make_unique<GameHarness>(dir.Path());
        ASSERT_TRUE(game->Start());
        StartTask(AllocTaskAt(20), TASK_KIND_NPC, 0, RequestListed, nullptr);
        frameRequests.clear();
        headless::ClearSoundLog();
    }
    // Runs one frame in which the task requests these sounds; returns what the voices did.
    Log FrameWith(std::vector<std::pair<int, int>> requests) {
        frameRequests = std::move(requests);
        headless::ClearSoundLog();
        game->Frame();
        frameRequests.clear();
        return headless::SoundLog();
    }

    TempDir dir;
    std::unique_ptr<GameHarness> game;
};

TEST_F(SoundTest, AllSoundsLoadFromTheArchive) {
    for (int id = 0; id < SOUND_COUNT; ++id) {
        EXPECT_TRUE(headless::Voice(id).exists) << id;
    }
}

TEST_F(SoundTest, ManyRequestsInAFramePlayEachEffectOnceInIdOrder) {
    // Music and ids outside the table are no effects: asking for them plays nothing.
    Log log = FrameWith({{SOUND_TRADE, 0},
                         {SOUND_CURSOR, 0},
                         {MUSIC_FIELD, 0},
                         {SOUND_CURSOR, 0},
                         {-1, 0},
                         {SOUND_COUNT, 0},
                         {SOUND_CURSOR, 0}});
    EXPECT_EQ(log,
              (Log{"stop:1", "rewind:1", "play:1:once", "stop:16", "rewind:16", "play:16:once"}));
    EXPECT_TRUE(FrameWith({}).empty()) << "requests live for one frame";
}

TEST_F(SoundTest, NoRestartLetsAPlayingEffectGoOnAndTheLastRequestWins) {
    FrameWith({{SOUND_FOOTSTEP, 0}});
    EXPECT_TRUE(headless::Voice(SOUND_FOOTSTEP).playing);
    EXPECT_EQ(FrameWith({{SOUND_FOOTSTEP, 1}}), (Log{"play:10:once"}));
    EXPECT_NE(headless::Voice(SOUND_FOOTSTEP).position, 0u) << "not rewound";
    EXPECT_EQ(FrameWith({{SOUND_FOOTSTEP, 0}, {SOUND_FOOTSTEP, 1}}), (Log{"play:10:once"}));
    EXPECT_EQ(FrameWith({{SOUND_FOOTSTEP, 1}, {SOUND_FOOTSTEP, 0}}),
              (Log{"stop:10", "rewind:10", "play:10:once"}));
}

TEST_F(SoundTest, EffectsSwitchedOffAreRecordedClearedButSilent) {
    options.optionSoundEffects = 0;
    EXPECT_TRUE(FrameWith({{SOUND_HIT, 0}}).empty());
    EXPECT_EQ(soundRequests[SOUND_HIT].requested, 1u);
    game->Frame();
    EXPECT_EQ(soundRequests[SOUND_HIT].requested, 0u);
    soundRequests[SOUND_HEAL] = {1, 0};
    StopAllSoundEffects();
    EXPECT_EQ(soundRequests[SOUND_HEAL].requested, 1u) << "does nothing while effects are off";
    options.optionSoundEffects = 1;
}

TEST_F(SoundTest, StopAllSilencesEveryEffectButNotTheMusic) {
    soundRequests[SOUND_HEAL] = {1, 0};
    StopAllSoundEffects();
    EXPECT_EQ(soundRequests[SOUND_HEAL].requested, 0u);
    EXPECT_EQ(headless::SoundLog().size(), 2u * SOUND_EFFECT_COUNT) << "a stop and a rewind each";
    EXPECT_TRUE(headless::Voice(MUSIC_TITLE).playing);
}

TEST_F(SoundTest, MusicSwitchesRestartFromTheBeginningAndHonourTheSwitch) {
    EXPECT_TRUE(headless::Voice(MUSIC_TITLE).playing);
    headless::ClearSoundLog();
    PlayMusic(MUSIC_FIELD);
    EXPECT_EQ(headless::SoundLog(), (Log{"stop:26", "rewind:26", "stop:27", "rewind:27", "stop:28",
                                         "rewind:28", "play:27:loop"}));

    for (uint32_t setting : {0u, 2u}) {
        options.optionMusic = setting;
        headless::ClearSoundLog();
        PlayMusic(MUSIC_BATTLE);
        EXPECT_FALSE(headless::Voice(MUSIC_BATTLE).playing) << "optionMusic " << setting;
        EXPECT_FALSE(headless::Voice(MUSIC_FIELD).playing);
    }
    options.optionMusic = 1;
}

TEST_F(SoundTest, StopSoundClearsItsRequestAndKeepsItsPosition) {
    FrameWith({{SOUND_PULSE, 1}});
    soundRequests[SOUND_PULSE].requested = 1;
    headless::ClearSoundLog();
    StopSound(SOUND_PULSE);
    EXPECT_EQ(soundRequests[SOUND_PULSE].requested, 0u);
    EXPECT_EQ(headless::SoundLog(), (Log{"stop:21"}));
    EXPECT_NE(headless::Voice(SOUND_PULSE).position, 0u);
}

TEST_F(SoundTest, ALostVoiceStaysSilentForTheRestOfTheRun) {
    headless::LoseVoiceAtNextPlay(SOUND_SWING);
    EXPECT_EQ(FrameWith({{SOUND_SWING, 0}}), (Log{"stop:8", "rewind:8", "play:8:once"}));
    EXPECT_FALSE(headless::Voice(SOUND_SWING).exists);
    EXPECT_TRUE(FrameWith({{SOUND_SWING, 0}}).empty());
    EXPECT_EQ(FrameWith({{SOUND_SHOT, 0}}), (Log{"stop:7", "rewind:7", "play:7:once"}));
}

}  // namespace
