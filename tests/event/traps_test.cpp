// The arrow trap and the pit fall on the headless game: how many frames each part takes, whom
// they hurt and by how much, and where the party stands after the pit.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "engine/sound.h"
#include "event/arrow_trap.h"
#include "event/event_commands_fixture.h"
#include "event/pit_fall.h"

namespace {

using Cell = std::pair<int, int>;

class TrapsTest : public EventCommandsFixture {
  protected:
    // A fresh party of `count` standing on the cells (slots 0..3) with these hit points.
    void Place(float facing, int32_t count, const std::vector<Cell>& at, const int32_t (&hp)[4]) {
        KillAllTasks();
        ClearEventFlags();
        headless::ClearSoundLog();
        ASSERT_TRUE(CreatePartyTasks(PARTY_MAX, 0.0f, 0.15f, 0.0f, facing, true));
        partyCount = count;
        for (int i = 0; i < PARTY_MAX; ++i) {
            PartyMemberAt(i)->actor.head.position = Centre(at[i].first, at[i].second);
            partyRoster[i].hp = hp[i];
        }
    }
    static int Played(int sound) {
        const auto& log = headless::SoundLog();
        return static_cast<int>(
            std::count(log.begin(), log.end(), "play:" + std::to_string(sound) + ":once"));
    }
    static TrapArrowPayload* Arrow() {
        TaskSlot* slot = FindTaskByKind(TASK_KIND_TRAP_ARROW);
        return slot != nullptr ? TaskPayload<TrapArrowPayload>(slot) : nullptr;
    }
};

TEST_F(TrapsTest, TheShotHitsTheFirstShownMemberOnItsLineOrLeavesTheMap) {
    constexpr int32_t LOWEST = std::numeric_limits<int32_t>::min();
    struct Case {
        const char* shot;  // cell and direction
        int32_t count;
        std::vector<Cell> at;
        int hitSlot;       // -1: none
        int flightFrames;  // to the hit, or to the end of a miss
        int32_t hp;        // every member's before, the hit one's after
        int32_t hpAfter;
    };
    const Case cases[] = {
        {"5,2,180,", 4, {{1, 2}, {1, 3}, {1, 4}, {2, 4}}, 0, 4, 30, 20},
        {"2,1,270,", 4, {{2, 4}, {3, 4}, {4, 4}, {5, 4}}, 0, 3, 30, 20},
        // Both within reach: the lower slot takes it. A hidden member lets the shot through.
        {"5,2,180,", 4, {{3, 2}, {3, 2}, {1, 4}, {2, 4}}, 0, 2, 7, 1},
        {"5,2,180,", 1, {{1, 2}, {3, 2}, {1, 4}, {2, 4}}, 0, 4, 7, 1},
        {"5,1,0,", 4, {{1, 4}, {2, 4}, {3, 4}, {4, 4}}, -1, 3, 30, 30},
        // The lowest hit points a save may bring fall as any others.
        {"5,2,180,", 4, {{1, 2}, {1, 3}, {1, 4}, {2, 4}}, 0, 4, LOWEST + 5, 1},
    };
    constexpr uint32_t count = std::size(cases);
    std::vector<EventCell> events;
    for (uint32_t i = 0; i < count; ++i) {
        events.push_back(
            {{static_cast<int>(i), 0}, std::string("$7,#25,") + cases[i].shot + "#14,1,#99,@"});
    }
    Load(events);
    for (uint32_t event = 1; event <= count; ++event) {
        const Case& c = cases[event - 1];
        SCOPED_TRACE(event);
        const int32_t hp[4] = {c.hp, c.hp, c.hp, c.hp};
        Place(0.0f, c.count, c.at, hp);
        ASSERT_EQ(StartEvent(event), 1);
        ASSERT_GE(FramesUntil([] { return Arrow() != nullptr; }), 0);
        EXPECT_EQ(FramesUntil([] { return Arrow()->state == FlyTrapArrow; }), 20);
        EXPECT_EQ(Played(SOUND_SWING), 1);
        EXPECT_EQ(FramesUntil([] { return Arrow() == nullptr || Arrow()->state == EndTrapArrow; }),
                  c.flightFrames);
        EXPECT_EQ(FramesUntil([] { return Arrow() == nullptr; }), c.hitSlot >= 0 ? 50 : 0);
        for (int i = 0; i < PARTY_MAX; ++i) {
            EXPECT_EQ(partyRoster[i].hp, i == c.hitSlot ? c.hpAfter : c.hp) << i;
        }
        EXPECT_EQ(Played(SOUND_HIT), c.hitSlot >= 0 ? 1 : 0);
        EXPECT_EQ(FramesUntil([] { return IsEventFlagSet(1); }), 1) << "then the event goes on";
    }
}

TEST_F(TrapsTest, ThePartySinksLosesHitPointsAndHopsOutBehindTheLeader) {
    struct Case {
        float facing;
        int32_t count;
        std::vector<Cell> at;
        int sinkFrames;  // until the last member is 3.0 down
        int landings;    // members that land with a sound and a number
        Cell out;
        float outFacing;
    };
    const std::vector<Cell> stacked(4, Cell{3, 2});
    const std::vector<Cell> trailing = {{4, 2}, {3, 2}, {2, 2}, {1, 2}};
    const Case cases[] = {
        {0.0f, 4, stacked, 13, 0, {2, 2}, 180.0f},
        {0.0f, 4, trailing, 37, 2, {3, 2}, 180.0f},
        // The hidden members slide, sink and hop all the same, without a number.
        {0.0f, 1, trailing, 37, 1, {3, 2}, 180.0f},
        {90.0f, 4, stacked, 13, 0, {3, 3}, 270.0f},
        {45.0f, 4, stacked, 13, 0, {4, 2}, 0.0f},
    };
    Load({{{0, 0}, "$7,#42,#14,1,#99,@"}});
    const int32_t hpBefore[PARTY_MAX] = {7, 11, 10, 30};
    const int32_t hpAfter[PARTY_MAX] = {10, 1, 10, 20};
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        Place(c.facing, c.count, c.at, hpBefore);
        ASSERT_EQ(StartEvent(1), 1);
        ASSERT_GE(FramesUntil([] { return Runner()->state == UpdatePitFallSequence; }), 0);
        EXPECT_EQ(FramesUntil([] { return Runner()->state == WaitBeforeClimbOut; }), c.sinkFrames);
        EXPECT_EQ(Played(SOUND_PIT_LANDING), c.landings);
        EXPECT_EQ(FramesUntil([] { return Runner()->state == UpdatePartyClimbOut; }), 40);
        // The last member hops in the 89th to 108th frame.
        EXPECT_EQ(FramesUntil([] { return Runner()->state != UpdatePartyClimbOut; }), 108);
        EXPECT_EQ(Played(SOUND_HOP_OUT), 4);
        const Vec3 out = Centre(c.out.first, c.out.second);
        for (int i = 0; i < PARTY_MAX; ++i) {
            const FieldActor& actor = PartyMemberAt(i)->actor;
            EXPECT_EQ(Xyz(actor.head.position), Xyz(out)) << i;
            EXPECT_EQ(actor.facing, c.outFacing) << i;
            EXPECT_EQ(actor.subStepCounter, 0) << i;
            EXPECT_EQ(partyRoster[i].hp, i < c.count ? hpAfter[i] : hpBefore[i]) << i;
        }
        RunEvent(0);
    }
}

TEST_F(TrapsTest, TheFallLandsTheLowestHitPointsASaveBringsAsAnyFallenMember) {
    partyCount = 2;
    for (const int32_t hp :
         {std::numeric_limits<int32_t>::min() + 5, std::numeric_limits<int32_t>::min()}) {
        partyRoster[0].hp = hp;
        partyRoster[1].hp = 1;  // the fall takes it below nothing
        DamageWholeParty(PIT_DAMAGE);
        EXPECT_EQ(partyRoster[0].hp, partyRoster[1].hp) << hp;
    }
}

}  // namespace
