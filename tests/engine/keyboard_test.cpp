// Keyboard polling: presses are reported in exactly one frame, and a key held from the start
// never counts as a press.
#include <gtest/gtest.h>

#include "engine/keyboard.h"
#include "engine/task_pool.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
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

TEST_F(KeyboardTest, KeyHeldFromStartUpNeverTriggersUntilPressedAgain) {
    headless::SetKey(VK_CODE_RETURN, true);
    for (int frame = 0; frame < 2; ++frame) {
        Poll();
        EXPECT_EQ(IsKeyTriggered(KEY_RETURN), 0) << "frame " << frame;
        EXPECT_TRUE(IsKeyHeld(KEY_RETURN));
    }
    headless::SetKey(VK_CODE_RETURN, false);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_RETURN), 0);
    headless::SetKey(VK_CODE_RETURN, true);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_RETURN), 1);
}

TEST_F(KeyboardTest, PressIsReportedInOneFrameAndHeldUntilReleased) {
    Poll();
    headless::SetKey(VK_CODE_ESCAPE, true);
    headless::SetKey(VK_CODE_ESCAPE, false);
    headless::SetKey(VK_CODE_Z, true);
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_Z), 1) << "a key up at the first poll counts from the start";
    EXPECT_EQ(IsKeyTriggered(KEY_ESCAPE), 0) << "a tap between two polls is not seen";
    Poll();
    EXPECT_EQ(IsKeyTriggered(KEY_Z), 0);
    EXPECT_TRUE(IsKeyHeld(KEY_Z));
    headless::SetKey(VK_CODE_Z, false);
    Poll();
    EXPECT_FALSE(IsKeyHeld(KEY_Z));
    EXPECT_EQ(IsKeyTriggered(KEY_Z), 0);
    EXPECT_EQ(IsKeyTriggered(-1), 0);
    EXPECT_EQ(IsKeyTriggered(KEY_COUNT), 0);
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
