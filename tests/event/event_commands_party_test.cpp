// The party's event commands on the headless game: joining, storing and fetching members,
// their order, restoring them, and the party's tasks on the map (control, the leader walking
// during an event, placement, gathering).
#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "engine/keyboard.h"
#include "event/event_commands.h"
#include "event/event_commands_fixture.h"
#include "field/character_tables.h"
#include "field/game_state.h"
#include "field/party.h"

namespace {

class EventPartyTest : public EventCommandsFixture {
  protected:
    // The party of the given characters in places 0.., the other places empty.
    static void Party(const std::vector<int>& ids) {
        std::fill(std::begin(partyRoster), std::end(partyRoster), CharacterRecord{});
        for (size_t i = 0; i < ids.size(); ++i) {
            partyRoster[i] = characterTemplates[ids[i]];
        }
        partyCount = static_cast<int32_t>(ids.size());
    }
    // Character ids of the four places, -1 for an empty one.
    static std::vector<int> Places() {
        std::vector<int> ids;
        for (const CharacterRecord& r : partyRoster) {
            ids.push_back(r.level == 0 ? -1 : r.characterId);
        }
        return ids;
    }
    static int Stored(int place) {
        return storedMembers[place].level == 0 ? -1 : storedMembers[place].characterId;
    }
};

TEST_F(EventPartyTest, JoinFillsTheNextPlaceOrReplacesTheLastOfAFullParty) {
    Load({{{1, 1}, "$7,#9,3,#9,4,#99,@"}, {{1, 2}, "$7,#9,2,#99,@"}});
    Party({0, 1});
    RunEvent(1);
    EXPECT_EQ(Places(), (std::vector<int>{0, 1, 3, -1})) << "template 4 does not exist";
    EXPECT_EQ(partyCount, 3);
    Party({0, 1, 2, 3});
    RunEvent(2);
    EXPECT_EQ(Places(), (std::vector<int>{0, 1, 2, 2}));
    EXPECT_EQ(partyCount, 4);
}

TEST_F(EventPartyTest, StoreLeavesAGapAndFetchFillsIt) {
    Load({{{1, 1}, "$7,#47,1,0,#47,2,4,#47,9,1,#47,3,0,#99,@"},
          {{1, 2}, "$7,#52,0,2,#52,1,1,#52,0,5,#52,0,1,#99,@"},
          {{1, 3}, "$7,#52,3,1,#99,@"}});
    Party({0, 1, 2, 3});
    RunEvent(1);
    // Place 4 does not exist, 9 is no member, storage place 0 is taken for 3.
    EXPECT_EQ(Places(), (std::vector<int>{0, -1, 2, 3}));
    EXPECT_EQ(partyCount, 3);
    EXPECT_EQ(Stored(0), 1);
    EXPECT_EQ(storedMembers[0].hpMax, characterTemplates[1].hpMax) << "the whole record";
    RunEvent(2);
    // Party place 2 is taken, storage place 1 is empty, party place 5 does not exist.
    EXPECT_EQ(Places(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(partyCount, 4);
    EXPECT_EQ(Stored(0), -1);
    // A party of four takes no fifth member, even into an empty place.
    partyRoster[1] = CharacterRecord{};
    storedMembers[3] = characterTemplates[1];
    RunEvent(3);
    EXPECT_EQ(Places(), (std::vector<int>{0, -1, 2, 3}));
    EXPECT_EQ(Stored(3), 1);
}

TEST_F(EventPartyTest, StoreNeverTakesAnEmptyPlaceForCharacterZero) {
    Load({{{1, 1}, "$7,#47,0,1,#99,@"}});
    Party({1, 2});
    RunEvent();
    EXPECT_EQ(Places(), (std::vector<int>{1, 2, -1, -1}));
    EXPECT_EQ(partyCount, 2);
    EXPECT_EQ(Stored(1), -1);
}

TEST_F(EventPartyTest, ReorderPutsTheNamedCharactersFirst) {
    Load({{{1, 1}, "$7,#33,4,3,2,1,0,#99,@"},
          {{1, 2}, "$7,#33,0,3,2,#33,5,1,2,3,0,1,#99,@"},
          {{1, 3}, "$7,#33,3,2,2,9,#99,@"}});
    Party({0, 1, 2, 3});
    RunEvent(1);
    EXPECT_EQ(Places(), (std::vector<int>{3, 2, 1, 0}));
    StartEvent(2);
    game->Frames(2);
    EXPECT_EQ(Runner()->cursor, 9u) << "$7,#33,0, and no ids";
    game->Frame();
    EXPECT_EQ(Runner()->cursor, 19u) << "#33,5,";
    RunEvent(0);
    EXPECT_EQ(Places(), (std::vector<int>{3, 2, 1, 0}));
    // A repeated or unknown id moves no member twice and loses none.
    RunEvent(3);
    EXPECT_EQ(Places(), (std::vector<int>{2, 3, 1, 0}));
}

TEST_F(EventPartyTest, SortOrdersByCharacterIdAndKeepsStoredMembers) {
    Load({{{1, 1}, "$7,#31,#99,@"}, {{1, 2}, "$7,#46,#99,@"}});
    Party({3, 1, 0, 2});
    storedMembers[2] = characterTemplates[1];
    RunEvent(1);
    EXPECT_EQ(Places(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Stored(2), 1);
    Party({2, 0, 1});
    partyRoster[1] = CharacterRecord{};  // a gap left by storing a member
    partyCount = 2;
    RunEvent(2);
    EXPECT_EQ(Places(), (std::vector<int>{1, 2, -1, -1}));
}

TEST_F(EventPartyTest, RestoreRefillsHpAndOnlyCastersMp) {
    Load({{{1, 1}, "$7,#49,#99,@"}});
    Party({0, 1, 2, 3});
    partyCount = 3;
    const int32_t classes[4] = {CLASS_FIGHTER, CLASS_CASTER, CLASS_HYBRID, CLASS_CASTER};
    for (int i = 0; i < 4; ++i) {
        partyRoster[i].characterClass = classes[i];
        partyRoster[i].hp = 1;
        partyRoster[i].mp = 1;
        partyRoster[i].statusBits = STATUS_POISON;
    }
    RunEvent();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(partyRoster[i].hp, partyRoster[i].hpMax) << i;
        EXPECT_EQ(partyRoster[i].mp, i == 0 ? 1 : partyRoster[i].mpMax) << i;
        EXPECT_EQ(partyRoster[i].statusBits, STATUS_POISON) << i;
    }
    EXPECT_EQ(partyRoster[3].hp, 1) << "beyond partyCount";
}

TEST_F(EventPartyTest, ControlModesSetEveryMembersStepState) {
    Load({{{1, 1}, "$7,#10,1,#10,2,#10,0,#99,@"}});
    LeaderOn(3, 2);
    StartEvent(1);
    game->Frames(3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(PartyMemberAt(i)->actor.stepFn, StepStandStill) << i << ": 2 is no mode";
    }
    game->Frame();
    EXPECT_EQ(PartyMemberAt(0)->actor.stepFn, StepPlayerControl);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(PartyMemberAt(i)->actor.stepFn, StepFollowLeader) << i;
    }
}

TEST_F(EventPartyTest, TheLeaderWalksDuringTheEventOnlyWhenSwitchedOn) {
    Load({{{1, 1}, "$7,#18,10,#23,#18,10,#99,@"}});
    LeaderOn(3, 2);
    game->Hold(KEY_RIGHT);
    StartEvent(1);
    ASSERT_TRUE(game->RunUntil([] { return Runner()->state == UpdateWait; }, 5));
    ASSERT_TRUE(game->RunUntil([] { return Runner()->state == NextEventCommand; }, 20));
    EXPECT_FLOAT_EQ(Leader()->actor.head.position.x, Centre(3, 2).x) << "frozen through the wait";
    game->Frame();    // #23, after the leader's turn in this frame
    game->Frames(8);  // one cell
    game->Release(KEY_RIGHT);
    EXPECT_FLOAT_EQ(Leader()->actor.head.position.x, Centre(4, 2).x);
    EXPECT_EQ(TaskAt(1)->updateOn, 0u) << "the others stay frozen";
}

TEST_F(EventPartyTest, PlacePartyPutsEveryMemberOnTheCell) {
    Load({{{1, 1}, "$7,#48,3,2,90,#48,8,2,0,#99,@"}});
    LeaderOn(1, 4);
    const Vec3 before = Leader()->actor.head.previousPosition;
    RunEvent();
    for (int i = 0; i < 4; ++i) {
        const FieldActor& actor = PartyMemberAt(i)->actor;
        EXPECT_EQ(Xyz(actor.head.position), Xyz(Centre(3, 2))) << i << ": column 8 is off the map";
        EXPECT_EQ(actor.facing, 90.0f);
        EXPECT_EQ(actor.facingDirection, 90);
    }
    EXPECT_EQ(Xyz(Leader()->actor.head.previousPosition), Xyz(before));
}

TEST_F(EventPartyTest, GatherWalksTheFollowersOntoTheLeader) {
    Load({{{1, 1}, "$7,#19,#14,1,#99,@"}});
    LeaderOn(4, 3);
    PartyMemberAt(1)->actor.head.position = Centre(2, 3);  // 4.0 to the west
    PartyMemberAt(2)->actor.head.position = Centre(4, 1);  // 4.0 to the north
    PartyMemberAt(3)->actor.head.position.x += 0.1f;       // within a step already
    StartEvent(1);
    game->Frames(3);  // nothing moves in the command's own frame
    EXPECT_FLOAT_EQ(PartyMemberAt(1)->actor.head.position.x, Centre(2, 3).x + 0.25f);
    EXPECT_EQ(PartyMemberAt(1)->actor.facing, 0.0f);
    EXPECT_EQ(FramesUntil([] { return IsEventFlagSet(1); }), 17)
        << "15 more steps, a frame with none, the next command";
    for (int i = 1; i < 4; ++i) {
        const Vec3& p = PartyMemberAt(i)->actor.head.position;
        EXPECT_LT(std::fabs(p.x - Centre(4, 3).x), 0.25f) << i;
        EXPECT_LT(std::fabs(p.z - Centre(4, 3).z), 0.25f) << i;
    }
    EXPECT_EQ(PartyMemberAt(2)->actor.facing, 270.0f);
}

TEST_F(EventPartyTest, GatherWithoutALeaderGoesOn) {
    Load({{{1, 1}, "$7,#19,#14,1,#99,@"}});
    StartEvent(1);
    game->Frames(4);
    EXPECT_TRUE(IsEventFlagSet(1));
}

}  // namespace
