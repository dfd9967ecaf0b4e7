// Random encounters: when the idle leader's check starts one, and the swirl that closes in on
// the screen centre, here in its event form, which starts no battle.
#include "field/random_encounters.h"

#include <cmath>
#include <utility>
#include <vector>

#include "engine/sound.h"
#include "event/event_commands_fixture.h"
#include "platform/headless/headless.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"

namespace {

using RandomEncountersTest = EventCommandsFixture;

// The swirl's sprites as drawn in the frame just run.
std::vector<headless::DrawRecord> SwirlDraws() {
    std::vector<headless::DrawRecord> draws;
    for (const headless::DrawRecord& d : headless::DrawCalls()) {
        if (d.kind == headless::DrawRecord::Kind::ScreenFan && d.texture == uiAtlas) {
            draws.push_back(d);
        }
    }
    return draws;
}

TEST_F(RandomEncountersTest, AnEncounterStartsOnlyWhenTheStepsAreSpentOnAPlainCellInPeace) {
    Load({});
    struct Case {
        int32_t stepsLeft;
        uint8_t eventByte;  // on the leader's cell
        int busySlot;       // -1 for none
        bool starts;
    };
    const Case cases[] = {
        {1, 0, -1, false},
        {0, 1, -1, false},
        {0, 20, -1, false},
        {0, 70, -1, false},
        {0, 74, -1, false},
        {0, 0, TASK_SLOT_SYSTEM_MENU, false},
        {0, 0, TASK_SLOT_EVENT_RUNNER, false},
        {0, 0, TASK_SLOT_ENCOUNTER_SWIRL, false},
        {0, 0, TASK_SLOT_BATTLE, true},
        {0, 0, -1, true},
    };
    encounterInterval = 7;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.stepsLeft << " " << int{c.eventByte} << " " << c.busySlot);
        KillAllTasks();
        LeaderOn(2, 2);
        eventLayer[Index(2, 2)] = c.eventByte;
        if (c.busySlot >= 0) {
            StartTask(AllocTaskAt(c.busySlot), 1, 0, nullptr, nullptr);
        }
        encounterStepsLeft = c.stepsLeft;
        ClearSoundRequests();
        const Vec3 at = Centre(2, 2);
        EXPECT_EQ(CheckRandomEncounter(at.x, at.z), c.starts);
        const bool swirlRuns = IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL) &&
                               TaskAt(TASK_SLOT_ENCOUNTER_SWIRL)->kind == TASK_KIND_ENCOUNTER_SWIRL;
        EXPECT_EQ(swirlRuns, c.starts);
        int updating = 0;
        for (int i = 0; i < TASK_POOL_SIZE; ++i) {
            if (IsTaskSlotInUse(i) && i != TASK_SLOT_ENCOUNTER_SWIRL) {
                updating += TaskAt(i)->updateOn != 0 ? 1 : 0;
            }
        }
        if (c.starts) {
            EXPECT_EQ(encounterStepsLeft, 7);
            EXPECT_EQ(updating, 0) << "the world is paused";
            EXPECT_EQ(soundRequests[SOUND_ENCOUNTER].requested, 1u);
            EXPECT_EQ(TaskPayload<EncounterSwirlPayload>(TaskAt(TASK_SLOT_ENCOUNTER_SWIRL))->mode,
                      SWIRL_MODE_ENCOUNTER);
        } else {
            EXPECT_GT(updating, 0) << "a refused encounter leaves the world running";
            if (c.busySlot != TASK_SLOT_ENCOUNTER_SWIRL) {
                EXPECT_EQ(encounterStepsLeft, c.stepsLeft);
                EXPECT_EQ(soundRequests[SOUND_ENCOUNTER].requested, 0u);
            }
        }
    }

    float xz[2] = {1, 1};
    EXPECT_TRUE(GetPlayerPosition(&xz[0], &xz[1]));
    EXPECT_EQ(std::vector<float>(xz, xz + 2), (std::vector<float>{Centre(2, 2).x, Centre(2, 2).z}));
    KillAllTasks();
    EXPECT_FALSE(GetPlayerPosition(&xz[0], &xz[1]));
    EXPECT_EQ(std::vector<float>(xz, xz + 2), (std::vector<float>{0, 0}));
}

TEST_F(RandomEncountersTest, TheEventSwirlClosesInForNineteenFramesThenTheEventGoesOn) {
    Load({{{1, 1}, "$7,#32,#14,5,#99,@"}});
    ASSERT_EQ(StartEvent(1), 1);
    // The runner's slot comes before the swirl's, so the swirl's first update is in this frame.
    ASSERT_GE(FramesUntil([] { return IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL); }), 0);

    std::vector<float> distances;  // of sprite 0's centre, as drawn
    std::vector<float> expected;
    int updates = 1;
    int drawnFrames = 0;
    while (IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL) && updates < 40) {
        const SwirlSprite& s =
            TaskPayload<EncounterSwirlPayload>(TaskAt(TASK_SLOT_ENCOUNTER_SWIRL))->sprites[0];
        distances.push_back(std::round(std::hypot(s.centreX - 320.0f, s.centreY - 240.0f)));
        expected.push_back(640.0f - 32.0f * static_cast<float>(updates - 1));
        EXPECT_FALSE(IsEventFlagSet(5)) << "the runner waits for the swirl";
        game->Frame();
        ++updates;
        const std::vector<headless::DrawRecord> draws = SwirlDraws();
        drawnFrames += draws.empty() ? 0 : 1;
        if (updates == 3) {
            // Sprite 3 started at 270 and turns 40 an update: its centre is at 350 on radius
            // 608; corner 0 lies at 350 + 135 and corner 2, two turns of 10 on, at 10 - 45, each
            // brought into 0..360.
            ASSERT_EQ(draws.size(), 4u);
            float cx = 0;
            float cy = 0;
            OffsetByAngle(&cx, &cy, 320, 240, 350, 608);
            for (const auto& [k, a] : {std::pair{0, 125.0f}, std::pair{2, 325.0f}}) {
                float x = 0;
                float y = 0;
                OffsetByAngle(&x, &y, cx, cy, a, 452);
                EXPECT_NEAR(draws[3].screen[k].x, x - 0.5f, 1e-3f) << k;
                EXPECT_NEAR(draws[3].screen[k].y, y - 0.5f, 1e-3f) << k;
            }
        }
    }
    EXPECT_EQ(updates, 19);
    EXPECT_EQ(drawnFrames, 18);
    EXPECT_EQ(distances, expected);

    RunEvent(0);
    EXPECT_TRUE(IsEventFlagSet(5));
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_BATTLE)) << "an event's swirl starts no battle";
}

}  // namespace
