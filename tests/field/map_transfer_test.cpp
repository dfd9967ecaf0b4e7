// Map transfer: 26 frames of fade-out, the target map loaded with the party, camera and map
// view, 26 frames of fade-in while the new map holds still, then the world resumes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/task_pool.h"
#include "event/event_runner.h"
#include "event/screen_fade.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_transfer.h"
#include "field/party.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

std::string Room(int number, const std::string& firstRow, const std::string& script) {
    return "map " + std::to_string(number) +
           "\nname room\nsize 6 4\nencounter 0 9\ntile X 15\ntile . 0\ntiles\n"
           "XXXXXX\nX....X\nX....X\nXXXXXX\nevents\n" +
           firstRow + ". . . . . .\n. . . . . .\n. . . . . .\nscript\n" + script;
}

class MapTransferTest : public ::testing::Test {
  protected:
    void SetUp() override { WriteTestDataSet(dir.Path()); }

    void Start(const std::vector<MapSource>& maps) {
        WriteTestMaps(dir.Path(), maps);
        game = std::make_unique<GameHarness>(dir.Path());
        ASSERT_TRUE(game->Start());
        KillAllTasks();
        partyCount = 2;
        game->Frame();
    }

    static MapTransferPayload* Transfer() {
        TaskSlot* slot = TaskAt(TASK_SLOT_MAP_TRANSFER);
        return slot->inUse ? TaskPayload<MapTransferPayload>(slot) : nullptr;
    }

    TempDir dir;
    std::unique_ptr<GameHarness> game;
};

TEST_F(MapTransferTest, FadesOutLoadsPlacesThePartyAndFadesIn) {
    Start({TestMap(Room(5, ". . . . . .\n", ""))});
    TaskSlot* old = AllocTaskAt(40);
    StartTask(old, TASK_KIND_NPC, 0, nullptr, nullptr);
    ASSERT_TRUE(StartMapTransfer(2, 1, 180, 5, false));
    EXPECT_FALSE(StartMapTransfer(1, 1, 0, 5, false)) << "one transfer at a time";
    for (int frame = 1; frame <= 25; ++frame) {
        game->Frame();
        ASSERT_EQ(Transfer()->alpha, 10 * frame);
    }
    EXPECT_TRUE(IsTaskSlotInUse(40));
    game->Frame();  // 26th: the load
    EXPECT_EQ(Transfer()->alpha, 255);
    EXPECT_FALSE(IsTaskSlotInUse(40)) << "the old map's objects are gone";
    EXPECT_EQ(currentMap, 5);
    ASSERT_NE(Leader(), nullptr);
    EXPECT_FLOAT_EQ(Leader()->actor.head.position.x, -1.0f);
    EXPECT_FLOAT_EQ(Leader()->actor.head.position.z, 1.0f);
    EXPECT_EQ(Leader()->actor.facing, 180.0f);
    EXPECT_TRUE(TaskKindExists(TASK_KIND_MAP_VIEW));
    EXPECT_TRUE(TaskKindExists(TASK_KIND_CAMERA));
    EXPECT_EQ(TaskAt(0)->updateOn, 0u) << "the new map holds still";
    EXPECT_EQ(TaskAt(TASK_SLOT_CAMERA)->updateOn, 1u);
    EXPECT_EQ(encounterStepsLeft, 9);
    for (int frame = 1; frame <= 25; ++frame) {
        game->Frame();
        ASSERT_EQ(Transfer()->alpha, 255 - 10 * frame);
    }
    game->Frame();
    EXPECT_EQ(Transfer(), nullptr);
    EXPECT_EQ(TaskAt(0)->updateOn, 1u) << "resumed";
}

TEST_F(MapTransferTest, FrozenPartyStandsStillOnArrival) {
    Start({TestMap(Room(5, ". . . . . .\n", ""))});
    StartMapTransfer(1, 1, 0, 5, true);
    ASSERT_TRUE(game->RunUntil([] { return Transfer() == nullptr; }, 60));
    EXPECT_EQ(Leader()->actor.stepFn, StepStandStill);
}

TEST_F(MapTransferTest, AnAutoRunOnTheTargetStartsWhenTheWorldResumes) {
    Start({TestMap(Room(5, ". 1 . . . .\n", "$0,#99,@"))});
    StartMapTransfer(2, 2, 0, 5, false);
    ASSERT_TRUE(game->RunUntil(
        [] { return Transfer() != nullptr && Transfer()->state == StepFadeIn; }, 30));
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_AUTO_RUN_EVENT));
    game->RunUntil([] { return Transfer() != nullptr && Transfer()->alpha == 5; }, 30);
    game->Frame();  // the fade-in ends and the auto-run runs in the same pass
    EXPECT_EQ(Transfer(), nullptr);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_AUTO_RUN_EVENT));
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
}

TEST_F(MapTransferTest, AMissingMapPackEndsOnTheTitleWithAMessage) {
    Start({TestMap(Room(5, ". . . . . .\n", ""))});
    std::filesystem::remove(dir.File("mappack.dat"));
    StartMapTransfer(1, 1, 0, 5, false);
    game->Frames(26);
    ASSERT_EQ(game->MessageBoxes().size(), 1u);
    EXPECT_EQ(game->MessageBoxes()[0].text, "no data file");
    EXPECT_EQ(game->MessageBoxes()[0].caption, "");
    EXPECT_TRUE(TaskKindExists(TASK_KIND_TITLE));
    EXPECT_FALSE(TaskKindExists(TASK_KIND_MAP_TRANSFER));
    EXPECT_FALSE(TaskKindExists(TASK_KIND_PARTY_MEMBER));
}

TEST_F(MapTransferTest, ScreenFadeDarkensByFiveAndHoldsUntilRemoved) {
    Start({TestMap(Room(5, ". . . . . .\n", ""))});
    ASSERT_TRUE(CreateScreenFade());
    EXPECT_FALSE(CreateScreenFade()) << "a second fade does nothing";
    auto* fade = TaskPayload<ScreenFadePayload>(TaskAt(TASK_SLOT_SCREEN_FADE));
    game->Frame();
    EXPECT_EQ(fade->alpha, 5);
    game->Frames(60);
    EXPECT_EQ(fade->alpha, 255);
    const auto& draws = headless::DrawCalls();
    ASSERT_EQ(draws.size(), 300u);
    EXPECT_EQ(draws.back().screen[0].colour, 0xFFFFFFFFu);
    KillTasksOfKind(TASK_KIND_SCREEN_FADE);
    game->Frame();
    EXPECT_TRUE(headless::DrawCalls().empty());
}

}  // namespace
