// The staff roll: when each line starts and how long it is shown, the end sign only once the
// last line has gone, and the way back to the title.
#include <gtest/gtest.h>

#include <vector>

#include "engine/keyboard.h"
#include "engine/task_pool.h"
#include "event/staff_roll.h"
#include "support/render_fixture.h"

namespace {

using StaffRollTest = RenderTest;

TEST_F(StaffRollTest, LinesRiseOneEvery200FramesAndTheSignWaitsForAConfirm) {
    ASSERT_EQ(CreateStaffRoll(), 1);
    EXPECT_EQ(CreateStaffRoll(), 0);
    const StaffRollPayload* roll = TaskPayload<StaffRollPayload>(TaskAt(TASK_SLOT_STAFF_ROLL));
    std::vector<int> starts;
    std::vector<float> lastY;  // of each line slot when it goes
    int frame = 0;
    while (roll->state != WaitStaffRollKey && frame < 5000) {
        StaffRollLine before[STAFF_ROLL_SLOTS];
        std::copy(roll->lines, roll->lines + STAFF_ROLL_SLOTS, before);
        // Confirming before the sign shows does nothing.
        PollWith({frame % 2 == 0 ? KEY_RETURN : KEY_Z});
        UpdateTasks();
        frame += 1;
        for (int i = 0; i < STAFF_ROLL_SLOTS; ++i) {
            if (before[i].active == 0 && roll->lines[i].active != 0) {
                starts.push_back(frame);
                EXPECT_EQ(roll->lines[i].y, 509.0f) << "first drawn at";
            } else if (before[i].active != 0 && roll->lines[i].active == 0) {
                lastY.push_back(before[i].y);
            }
        }
    }
    std::vector<int> every200;
    for (int n = 1; n <= 16; ++n) {
        every200.push_back(200 * n);
    }
    EXPECT_EQ(starts, every200);
    EXPECT_EQ(lastY, std::vector<float>(16, -30.0f)) << "still drawn at -30, gone at -31";
    EXPECT_EQ(frame, 3200 + 541) << "the sign the frame after the last line has gone";
    headless::ClearDrawCalls();
    DrawTasks();
    EXPECT_EQ(Draws().size(), 20u * 15u + 1u) << "the black screen and the sign, no line";

    PollWith({KEY_ESCAPE});
    UpdateTasks();
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_STAFF_ROLL));
    PollWith({KEY_Z});
    UpdateTasks();
    int tasks = 0;
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        tasks += IsTaskSlotInUse(i) ? 1 : 0;
    }
    EXPECT_EQ(tasks, 1);
    EXPECT_TRUE(TaskKindExists(TASK_KIND_TITLE));
}

}  // namespace
