// The task pool: allocation, the order of the passes, activity modes, the StateTask stub and
// the searches and kills.
#include <gtest/gtest.h>

#include <vector>

#include "engine/task_pool.h"
#include "platform/headless/headless.h"

namespace {

struct Probe {
    uint32_t alive;
    uint32_t marker;
};

std::vector<int> visits;

void RecordUpdate(TaskSlot* slot) {
    visits.push_back(TaskSlotIndex(slot));
}

void RecordDraw(TaskSlot* slot) {
    visits.push_back(1000 + TaskSlotIndex(slot));
}

TaskSlot* Spawn(int slot, uint32_t kind, TaskFn update = RecordUpdate, uint32_t tag = 0) {
    TaskSlot* task = AllocTaskAt(slot);
    if (task != nullptr) {
        StartTask(task, kind, tag, update, RecordDraw);
        TaskPayload<Probe>(task)->alive = 1;
    }
    return task;
}

class TaskPoolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_TRUE(CreateTaskPool());
        visits.clear();
    }
    void TearDown() override { DestroyTaskPool(); }
};

TEST_F(TaskPoolTest, AllocationGivesFreeZeroFilledSlotsOnly) {
    for (int i = TASK_SLOT_DYNAMIC_FIRST; i < TASK_SLOT_DYNAMIC_END; ++i) {
        ASSERT_NE(Spawn(i, TASK_KIND_NPC), nullptr);
    }
    EXPECT_EQ(AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END), nullptr);
    TaskPayload<Probe>(TaskAt(12))->marker = 77;
    EXPECT_EQ(AllocTaskAt(12), nullptr) << "occupied";
    EXPECT_EQ(TaskPayload<Probe>(TaskAt(12))->marker, 77u) << "a refused allocation clears nothing";

    TaskAt(12)->inUse = 0;
    TaskSlot* got = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    ASSERT_EQ(got, TaskAt(12));
    EXPECT_EQ(got->kind, 0u);
    EXPECT_EQ(TaskPayload<Probe>(got)->marker, 0u);
    // Never marked in use, so the next allocation hands it out again.
    EXPECT_EQ(AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END), TaskAt(12));

    EXPECT_EQ(AllocTaskAt(-1), nullptr);
    EXPECT_EQ(AllocTaskAt(TASK_POOL_SIZE), nullptr);
    EXPECT_EQ(AllocTaskInRange(495, 600), TaskAt(495));

    TaskPayload<Probe>(TaskAt(20))->marker = 5;
    TaskSlot* again = ReclaimTaskAt(20);
    ASSERT_EQ(again, TaskAt(20)) << "a reclaim overwrites a live slot";
    EXPECT_EQ(again->inUse, 0u);
    EXPECT_EQ(TaskPayload<Probe>(again)->marker, 0u);
}

void KillAllAndCreateStartMenu(TaskSlot* slot) {
    RecordUpdate(slot);
    KillAllTasks();
    Spawn(TASK_SLOT_START_MENU, TASK_KIND_START_MENU);
}

void CreateInSlotZero(TaskSlot* slot) {
    RecordUpdate(slot);
    Spawn(0, TASK_KIND_PARTY_MEMBER);
}

TEST_F(TaskPoolTest, TasksCreatedAboveRunInTheSamePassBelowInTheNext) {
    Spawn(TASK_SLOT_TITLE, TASK_KIND_TITLE, KillAllAndCreateStartMenu);
    UpdateTasks();
    EXPECT_EQ(visits, (std::vector<int>{301, 382}));

    KillAllTasks();
    visits.clear();
    Spawn(TASK_SLOT_BATTLE, TASK_KIND_BATTLE, CreateInSlotZero);
    UpdateTasks();
    EXPECT_EQ(visits, (std::vector<int>{383}));
    visits.clear();
    UpdateTasks();
    EXPECT_EQ(visits, (std::vector<int>{0, 383}));
}

void KillSlot20(TaskSlot* slot) {
    RecordUpdate(slot);
    TaskAt(20)->inUse = 0;
}

void FreeSelfThenRecord(TaskSlot* slot) {
    slot->inUse = 0;
    RecordUpdate(slot);
}

void PauseSlots(TaskSlot* slot) {
    RecordUpdate(slot);
    SetAllTasksActive(TASK_ACTIVITY_STOP_UPDATE);
}

TEST_F(TaskPoolTest, KillsAndPausesTakeEffectFromTheNextSlotVisited) {
    Spawn(10, TASK_KIND_NPC, KillSlot20);
    Spawn(20, TASK_KIND_NPC);
    Spawn(30, TASK_KIND_NPC, FreeSelfThenRecord);
    Spawn(40, TASK_KIND_NPC, PauseSlots);
    Spawn(50, TASK_KIND_NPC)->drawOn = 0;
    Spawn(60, TASK_KIND_NPC);
    UpdateTasks();
    EXPECT_EQ(visits, (std::vector<int>{10, 30, 40}));
    visits.clear();
    DrawTasks();
    EXPECT_EQ(visits, (std::vector<int>{1010, 1040, 1060})) << "paused tasks still draw";
}

TEST_F(TaskPoolTest, ActivityModesHaveExactlyTheirEffects) {
    struct Case {
        int mode;
        uint32_t updateOn;
        uint32_t drawOn;
    };
    const Case cases[] = {
        {TASK_ACTIVITY_STOP_UPDATE, 0, 0},
        {TASK_ACTIVITY_STOP_DRAW, 1, 0},
        {TASK_ACTIVITY_STOP_BOTH, 0, 0},
        {TASK_ACTIVITY_RESUME, 1, 1},
        {5, 1, 0},
    };
    for (const Case& c : cases) {
        KillAllTasks();
        TaskSlot* task = Spawn(TASK_SLOT_CAMERA, TASK_KIND_CAMERA);
        task->drawOn = 0;  // created with drawing off
        SetTaskKindActive(TASK_KIND_CAMERA, c.mode);
        EXPECT_EQ(task->updateOn, c.updateOn) << "mode " << c.mode;
        EXPECT_EQ(task->drawOn, c.drawOn) << "mode " << c.mode;
    }
}

TEST_F(TaskPoolTest, FreezingTheWorldSparesAMapTransferUnlessAllArePaused) {
    TaskSlot* transfer = Spawn(TASK_SLOT_MAP_TRANSFER, TASK_KIND_MAP_TRANSFER);
    TaskSlot* leader = Spawn(0, TASK_KIND_PARTY_MEMBER);
    TaskSlot* freed = Spawn(20, TASK_KIND_NPC);
    freed->inUse = 0;

    SetTasksActiveExceptTransfer(TASK_ACTIVITY_STOP_UPDATE);
    EXPECT_EQ(transfer->updateOn, 1u);
    EXPECT_EQ(leader->updateOn, 0u);
    EXPECT_EQ(freed->updateOn, 1u) << "free slots are never touched";
    SetAllTasksActive(TASK_ACTIVITY_STOP_UPDATE);
    EXPECT_EQ(transfer->updateOn, 0u);
}

struct StatePayload {
    uint32_t alive;
    TaskStateFn<StatePayload> state;
    int32_t updates;
};

int endActions = 0;

void CountThenDie(StatePayload* payload) {
    payload->updates += 1;
    payload->alive = payload->updates == 2 ? 0 : 1;
}

void CountEndAction(StatePayload*) {
    endActions += 1;
}

TEST_F(TaskPoolTest, StateTaskFreesItselfAndRunsItsEndActionOnce) {
    endActions = 0;
    TaskSlot* task = AllocTaskAt(TASK_SLOT_SHOP);
    StartTask(task, TASK_KIND_SHOP, 0, RunStateTask<StatePayload, CountEndAction>, RecordDraw);
    auto* payload = TaskPayload<StatePayload>(task);
    payload->alive = 1;
    payload->state = CountThenDie;

    UpdateTasks();
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_SHOP));
    UpdateTasks();
    EXPECT_EQ(payload->updates, 2);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_SHOP));
    EXPECT_EQ(endActions, 1);
    visits.clear();
    DrawTasks();
    UpdateTasks();
    EXPECT_TRUE(visits.empty());
    EXPECT_EQ(endActions, 1);
}

TEST_F(TaskPoolTest, SearchesAndKillsLookOnlyAtLiveSlots) {
    Spawn(40, TASK_KIND_NPC, RecordUpdate, 7);
    Spawn(15, TASK_KIND_NPC, RecordUpdate, 7);
    Spawn(20, TASK_KIND_EFFECT, RecordUpdate, 8);
    EXPECT_EQ(FindTaskByKind(TASK_KIND_NPC), TaskAt(15));

    KillTasksWithTag(7);
    EXPECT_FALSE(IsTaskSlotInUse(40));
    EXPECT_TRUE(IsTaskSlotInUse(20));
    EXPECT_EQ(TaskAt(15)->kind, TASK_KIND_NPC) << "a kill clears only inUse";
    EXPECT_EQ(FindTaskByKind(TASK_KIND_NPC), nullptr);

    Spawn(30, TASK_KIND_NPC);
    KillTasksExceptKind(TASK_KIND_NPC);
    EXPECT_TRUE(IsTaskSlotInUse(30));
    EXPECT_FALSE(IsTaskSlotInUse(20));
    KillTasksOfKind(TASK_KIND_NPC);
    EXPECT_FALSE(TaskKindExists(TASK_KIND_NPC));
}

TEST(TaskPoolLifecycle, FailedAllocationLeavesNoPool) {
    headless::Reset();
    headless::FailAllocationsOfSize(sizeof(TaskSlot) * TASK_POOL_SIZE, 1);
    EXPECT_FALSE(CreateTaskPool());
    EXPECT_EQ(AllocTaskAt(0), nullptr);
    UpdateTasks();  // nothing to visit, nothing to crash on
    ASSERT_TRUE(CreateTaskPool());
    DestroyTaskPool();
    EXPECT_EQ(headless::LiveAllocations(), 0u);
}

}  // namespace
