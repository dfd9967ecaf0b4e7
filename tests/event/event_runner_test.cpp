// The event runner: its refusals, the frozen world around it, one command per frame, the end
// of an event, label jumps.
#include <gtest/gtest.h>

#include <string>

#include "engine/task_pool.h"
#include "event/event_commands.h"
#include "event/event_runner.h"
#include "event/staff_roll.h"
#include "field/game_state.h"
#include "support/event_fixture.h"

namespace {

class EventRunnerTest : public EventTest {
  protected:
    static TaskSlot* Spawn(int slot, uint32_t kind) {
        TaskSlot* task = AllocTaskAt(slot);
        StartTask(task, kind, 0, nullptr, nullptr);
        return task;
    }
    static EventRunnerPayload* Runner() { return CurrentEventRunner(); }
};

TEST_F(EventRunnerTest, StartIsRefusedDuringABattleTheSystemMenuOrAnotherEvent) {
    SetBlock(1, "#99,");
    EXPECT_EQ(StartEvent(0), 0);
    EXPECT_EQ(StartEvent(21), 0);
    Spawn(TASK_SLOT_BATTLE, TASK_KIND_BATTLE);
    EXPECT_EQ(StartEvent(1), 0);
    KillAllTasks();
    Spawn(TASK_SLOT_SYSTEM_MENU, TASK_KIND_SYSTEM_MENU);
    EXPECT_EQ(StartEvent(1), 0);
    KillAllTasks();
    EXPECT_EQ(StartEvent(1), 1);
    EXPECT_EQ(StartEvent(1), 0) << "one event at a time, not queued";
    EXPECT_EQ(Runner()->face, FACE_NONE);
    EXPECT_EQ(Runner()->block, 0u);
}

TEST_F(EventRunnerTest, TheWorldStopsExceptCameraMapViewTransferAndRunner) {
    SetBlock(3, "#27,#99,");
    TaskSlot* npc = Spawn(20, TASK_KIND_NPC);
    TaskSlot* camera = Spawn(TASK_SLOT_CAMERA, TASK_KIND_CAMERA);
    camera->updateOn = 0;
    TaskSlot* view = Spawn(TASK_SLOT_MAP_VIEW, TASK_KIND_MAP_VIEW);
    TaskSlot* transfer = Spawn(TASK_SLOT_MAP_TRANSFER, TASK_KIND_MAP_TRANSFER);
    ASSERT_EQ(StartEvent(3), 1);
    EXPECT_EQ(npc->updateOn, 0u);
    EXPECT_EQ(npc->drawOn, 1u) << "the world is still drawn";
    EXPECT_EQ(camera->updateOn, 1u);
    EXPECT_EQ(view->updateOn, 1u);
    EXPECT_EQ(transfer->updateOn, 1u);
    transfer->inUse = 0;
    encounterInterval = 12;
    encounterStepsLeft = 3;
    UpdateTasks();  // begin
    UpdateTasks();  // #27: nothing
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
    UpdateTasks();  // #99: the end
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
    EXPECT_EQ(npc->updateOn, 1u) << "resumed";
    EXPECT_EQ(encounterStepsLeft, 12);
}

TEST_F(EventRunnerTest, AMapTransferInProgressKeepsTheWorldPausedAfterTheEnd) {
    SetBlock(1, "#99,");
    TaskSlot* npc = Spawn(20, TASK_KIND_NPC);
    Spawn(TASK_SLOT_MAP_TRANSFER, TASK_KIND_MAP_TRANSFER);
    StartEvent(1);
    UpdateTasks();
    UpdateTasks();
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
    EXPECT_EQ(npc->updateOn, 0u);
}

TEST_F(EventRunnerTest, OneCommandPerFrameAndUnknownOpcodesAreSkipped) {
    SetBlock(1, "#200,#27,#55,12,#96,#99,");
    StartEvent(1);
    UpdateTasks();
    EXPECT_EQ(Runner()->state, NextEventCommand);
    EXPECT_EQ(Runner()->cursor, 0u) << "the first update only begins";
    const uint32_t after[] = {5, 9, 13, 20};
    for (uint32_t cursor : after) {
        UpdateTasks();
        ASSERT_NE(Runner(), nullptr);
        EXPECT_EQ(Runner()->cursor, cursor);
    }
    UpdateTasks();
    EXPECT_EQ(Runner(), nullptr);
}

// Blocks without commands (one never extracted is all zero) end on the first fetch; a return
// to the title leaves only the title.
TEST_F(EventRunnerTest, EmptyBlocksEndAtOnceAndReturnToTitleLeavesOnlyTheTitle) {
    struct Case {
        const char* text;
        bool title;
    };
    for (const Case& c : {Case{"$1,4,270,0,", false}, Case{"", false}, Case{"#98,", true}}) {
        KillAllTasks();
        SetBlock(1, c.text);
        Spawn(20, TASK_KIND_NPC);
        ASSERT_EQ(StartEvent(1), 1);
        UpdateTasks();
        UpdateTasks();
        EXPECT_FALSE(TaskKindExists(TASK_KIND_EVENT_RUNNER)) << c.text;
        EXPECT_EQ(TaskKindExists(TASK_KIND_TITLE), c.title) << c.text;
        EXPECT_EQ(TaskKindExists(TASK_KIND_NPC), !c.title) << c.text;
    }
}

TEST_F(EventRunnerTest, LabelJumpsGoForwardPastTheLabelOrEndTheEvent) {
    SetBlock(1, "#15,3,LX01,#14,4,LX01#99,");
    StartEvent(1);
    EventRunnerPayload* runner = Runner();
    const char* text = GetEventText(runner);
    runner->cursor = 11;  // just after "LX01," of the command
    JumpToLabel(runner, text, "LX01");
    EXPECT_EQ(runner->cursor, 21u) << "just past the label, at #99";
    JumpToLabel(runner, text, "NOPE");
    EXPECT_EQ(runner->cursor, EVENT_BLOCK_LAST);
    UpdateTasks();
    UpdateTasks();
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER)) << "run off the end";
}

TEST_F(EventRunnerTest, FadeToTheEndingRisesByTenAndEndsOnTheStaffRollAlone) {
    SetBlock(1, "#97,");
    StartEvent(1);
    UpdateTasks();
    UpdateTasks();
    EXPECT_EQ(Runner()->fadeAlpha, 0);
    for (int i = 0; i < 25; ++i) {
        UpdateTasks();
    }
    ASSERT_NE(Runner(), nullptr);
    EXPECT_EQ(Runner()->fadeAlpha, 250);
    Spawn(20, TASK_KIND_NPC);
    UpdateTasks();
    EXPECT_FALSE(TaskKindExists(TASK_KIND_EVENT_RUNNER));
    EXPECT_FALSE(TaskKindExists(TASK_KIND_NPC));
    ASSERT_TRUE(TaskKindExists(TASK_KIND_STAFF_ROLL));
    EXPECT_EQ(TaskPayload<StaffRollPayload>(TaskAt(TASK_SLOT_STAFF_ROLL))->framesToNextLine,
              STAFF_ROLL_LINE_INTERVAL - 1)
        << "its first frame is the fade's last";
}

}  // namespace
