// The pulse veil's rise and fall with its sound, and the step countdown: one count per leader
// step, the banner once the step is over, the world held until a confirm, and its ends.
#include <gtest/gtest.h>

#include <vector>

#include "battle/inventory.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_runner.h"
#include "field/countdown.h"
#include "field/game_state.h"
#include "field/party.h"
#include "support/event_fixture.h"

namespace {

class CountdownTest : public EventTest {
  protected:
    // One frame's updates, with the key newly down (or none).
    static void Update(int pressed = -1) {
        for (KeyRecord& key : keyTable) {
            key.current = key.previous = 0;
        }
        if (pressed >= 0) {
            keyTable[pressed].current = KEY_STATE_HELD;
        }
        ClearSoundRequests();
        UpdateTasks();
    }
    static CountdownPayload* Countdown() {
        return IsTaskSlotInUse(TASK_SLOT_COUNTDOWN)
                   ? TaskPayload<CountdownPayload>(TaskAt(TASK_SLOT_COUNTDOWN))
                   : nullptr;
    }
};

TEST_F(CountdownTest, ThePulseRisesAndFallsForEverWithItsSoundOnTheWayUp) {
    SetBlock(1, "#29,12,#29,7,#99,");
    ASSERT_EQ(StartEvent(1), 1);
    for (int i = 0; i < 5; ++i) {
        Update();
    }
    EXPECT_EQ(encounterInterval, 7);
    EXPECT_EQ(encounterStepsLeft, 7);
    PulseOverlayPayload* pulse = TaskPayload<PulseOverlayPayload>(TaskAt(TASK_SLOT_PULSE_OVERLAY));
    for (int i = 0; i < 300 && pulse->state != StepPulseDown; ++i) {
        Update();
    }
    for (bool up : {false, true, false, true}) {
        int updates = 0;
        const TaskStateFn<PulseOverlayPayload> from = pulse->state;
        do {
            Update();
            updates += 1;
            EXPECT_EQ(soundRequests[SOUND_PULSE].requested, up ? 1u : 0u);
            EXPECT_EQ(soundRequests[SOUND_PULSE].noRestart, up ? 1u : 0u);
        } while (pulse->state == from && updates < 300);
        EXPECT_EQ(updates, 101);
        EXPECT_EQ(pulse->alpha, up ? PULSE_ALPHA_MAX : 0);
    }
    EXPECT_FALSE(CreatePulseOverlay()) << "one veil";
}

TEST_F(CountdownTest, OneCountPerLeaderStepAndTheBannerOnceTheStepIsOver) {
    struct Case {
        int32_t count;
        std::vector<int32_t> subSteps;  // the leader's counter in each update
        int32_t left;
        bool banner;
    };
    const Case cases[] = {
        {2, {8, 7, 6, 5, 4, 3, 2, 1, 0}, 1, false},
        {1, {8, 7, 6, 5, 4, 3, 2, 1, 0}, 0, true},
        // Over liquid the counter passes 1 on every cell but never 0: no banner until it lands.
        {1, {1, 8, 1, 8, 1}, -2, false},
        {1, {1, 8, 1, 0}, -1, true},
    };
    ASSERT_TRUE(CreatePartyTasks(PARTY_MAX, 0.0f, 0.15f, 0.0f, 0.0f, true));
    encounterInterval = 9;
    for (const Case& c : cases) {
        SetAllTasksActive(TASK_ACTIVITY_RESUME);
        ASSERT_EQ(StartCountdown(c.count), 1);
        for (int32_t subStep : c.subSteps) {
            Leader()->actor.subStepCounter = subStep;
            encounterStepsLeft = 0;
            Update();
            EXPECT_EQ(encounterStepsLeft, encounterInterval) << "no encounter meanwhile";
        }
        ASSERT_NE(Countdown(), nullptr);
        EXPECT_EQ(Countdown()->count, c.left);
        EXPECT_EQ(Countdown()->state == WaitTimeUpKey, c.banner);
        EXPECT_EQ(TaskAt(0)->updateOn == 0, c.banner) << "the world holds on the banner";
    }
    // Escape does not confirm; Return does, and the world goes on.
    Update(KEY_ESCAPE);
    ASSERT_NE(Countdown(), nullptr);
    Update(KEY_RETURN);
    EXPECT_EQ(Countdown(), nullptr);
    EXPECT_EQ(TaskAt(0)->updateOn, 1u);
}

TEST_F(CountdownTest, TheAmuletRestartsARunningCountdownAndABattleEndsIt) {
    ASSERT_EQ(StartCountdown(1), 1);
    Countdown()->state = WaitTimeUpKey;
    ASSERT_EQ(CreateCountdown(), 1);
    EXPECT_EQ(Countdown()->count, itemTable[ITEM_AMULET].value);
    EXPECT_EQ(Countdown()->state, UpdateCountdown);
    StartTask(AllocTaskAt(TASK_SLOT_BATTLE), TASK_KIND_BATTLE, 0, nullptr, nullptr);
    Update();
    EXPECT_EQ(Countdown(), nullptr);
}

}  // namespace
