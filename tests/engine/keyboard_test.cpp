// Keyboard polling: presses are reported in exactly one frame, and a key held from the start
// never counts as a press.
#include <gtest/gtest.h>

#include "engine/keyboard.h"
#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "platform/headless/headless.h"
#include "platform/window.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

class KeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        InitKeys();
    }
    // What a frame does: take the pending events, then poll.
    void Poll() {
        PlatformPumpEvents();
        PollKeys();
    }
};

TEST_F(KeyboardTest, KeyTableHoldsTheFourteenCodesInSlotOrder) {
    const uint32_t expected[KEY_COUNT] = {40, 38, 39, 37, 27, 17, 13, 90, 32, 16, 65, 83, 68, 70};
    for (int i = 0; i < KEY_COUNT; ++i) {
        EXPECT_EQ(keyTable[i].vk, expected[i]) << "slot " << i;
        EXPECT_EQ(keyTable[i].current, 0);
        EXPECT_EQ(keyTable[i].previous, KEY_STATE_HELD);
        EXPECT_EQ(KeySlotCode(i), expected[i]);
    }
}

TEST_F(KeyboardTest, KeyHeldFromStartUpNeverTriggersUntilPressedAgain) {
    headless::SetKey(13, true);
    for (int frame = 0; frame < 3; ++frame) {
        Poll();
        EXPECT_EQ(IsKeyTriggered(KEY_RETURN), 0) << "frame " << frame;
        EXPECT_TRUE(IsKeyHeld(KEY_RETURN));
    }
    headless::SetKey(13, false);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_RETURN), 0);
    headless::SetKey(13, true);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_RETURN), 1);
}

TEST_F(KeyboardTest, KeyUpAtTheFirstPollBehavesNormallyFromTheStart) {
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_UP), 0);
    headless::SetKey(38, true);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_UP), 1);
    EXPECT_EQ(keyTable[KEY_UP].previous, 0);
}

TEST_F(KeyboardTest, PressIsReportedInOneFrameAndHeldUntilReleased) {
    Poll();
    headless::SetKey(90, true);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_Z), 1);
    EXPECT_TRUE(IsKeyHeld(KEY_Z));
    for (int frame = 0; frame < 5; ++frame) {
        Poll();
        EXPECT_EQ(IsKeyTriggered(KEY_Z), 0);
        EXPECT_TRUE(IsKeyHeld(KEY_Z));
    }
    headless::SetKey(90, false);
    Poll();
    EXPECT_FALSE(IsKeyHeld(KEY_Z));
    EXPECT_EQ(IsKeyTriggered(KEY_Z), 0);
    EXPECT_EQ(IsKeyTriggered(KEY_RETURN), 0) << "other keys are untouched";
    EXPECT_EQ(IsKeyTriggered(-1), 0);
    EXPECT_EQ(IsKeyTriggered(KEY_COUNT), 0);
}

TEST_F(KeyboardTest, TapBetweenTwoPollsIsNotSeen) {
    Poll();
    headless::SetKey(27, true);
    headless::SetKey(27, false);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_ESCAPE), 0);
    EXPECT_FALSE(IsKeyHeld(KEY_ESCAPE));
}

TEST(KeyEdgeTest, GivesOnlyTheBitsNewlySet) {
    EXPECT_EQ(KeyEdge(128, 0), 128);
    EXPECT_EQ(KeyEdge(128, 128), 0);
    EXPECT_EQ(KeyEdge(0, 128), 0);
    EXPECT_EQ(KeyEdge(0, 0), 0);
}

int readerAnswers[2];

void FirstReader(TaskSlot*) {
    readerAnswers[0] = IsKeyTriggered(KEY_RETURN);
}
void SecondReader(TaskSlot*) {
    readerAnswers[1] = IsKeyTriggered(KEY_RETURN);
}

TEST(KeyboardFrameTest, EveryTaskOfAFrameGetsTheSameAnswer) {
    TempDir dir;
    WriteTestDataSet(dir.Path());
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    KillAllTasks();  // the title would act on Return and clear the pool
    StartTask(AllocTaskAt(20), TASK_KIND_NPC, 0, FirstReader, nullptr);
    StartTask(AllocTaskAt(400), TASK_KIND_NPC, 0, SecondReader, nullptr);
    game.Frame();
    game.Hold(KEY_RETURN);
    game.Frame();
    EXPECT_EQ(readerAnswers[0], 1);
    EXPECT_EQ(readerAnswers[1], 1);
    game.Frame();
    EXPECT_EQ(readerAnswers[0], 0);
    EXPECT_EQ(readerAnswers[1], 0);
}

}  // namespace
