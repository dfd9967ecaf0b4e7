// The party on the map, frame by frame: steps of 8 sub-steps with their collision marks, wall
// sliding, liquid and blocked cells, followers, the crossing of liquid on the walk marker, and
// the encounter step count.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "battle/inventory.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/party.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

// An 8 x 6 room. Cell (c, r) has its centre at x = 2c - 7, z = 5 - 2r.
const char* const ROOM = R"(map 3
name room
size 8 6
encounter 1 5
tile X 15
tile . 0
tile ~ 45
tile B 50
tiles
XXXXXXXX
X......X
X..X...X
X...~~.X
X.B.~~.X
XXXXXXXX
events
. . . . . . . .
. . . . . . . .
. . . . . . . .
. . . . . . . .
. . . . . . . .
. . . . . . . .
script
)";

class PartyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDataSet(dir.Path());
        WriteTestMaps(dir.Path(), {TestMap(ROOM)});
        game = std::make_unique<GameHarness>(dir.Path());
        ASSERT_TRUE(game->Start());
        KillAllTasks();
        ASSERT_TRUE(LoadMap(3));
        partyCount = 4;
    }

    // The party of four on cell (c, r), all on one spot as a set-up leaves them.
    void PlacePartyOn(int c, int r, float facing = 0) {
        float x = 0;
        float z = 0;
        CellToWorld(c, r, &x, &z);
        ASSERT_TRUE(CreatePartyTasks(4, x, FIELD_ACTOR_HEIGHT, z, facing, false));
    }

    static Vec3 Centre(int c, int r) {
        float x = 0;
        float z = 0;
        CellToWorld(c, r, &x, &z);
        return Vec3{x, FIELD_ACTOR_HEIGHT, z};
    }

    static int8_t CollisionOf(int c, int r) { return collisionLayer[r * mapWidth + c]; }

    static FieldActor& Actor(int slot) { return PartyMemberAt(slot)->actor; }

    TempDir dir;
    std::unique_ptr<GameHarness> game;
};

TEST_F(PartyTest, AStepIsEightQuarterUnitsWithTheCellsMarkedAtItsStart) {
    PlacePartyOn(1, 1);
    game->Frame();  // idle: snap, mark
    EXPECT_EQ(CollisionOf(1, 1), COLLISION_BLOCKED);
    game->Hold(KEY_RIGHT);
    game->Frame();
    EXPECT_FLOAT_EQ(Actor(0).head.position.x, Centre(1, 1).x + 0.25f);
    EXPECT_EQ(Actor(0).subStepCounter, 7);
    EXPECT_EQ(CollisionOf(2, 1), COLLISION_BLOCKED) << "the cell ahead at once";
    EXPECT_EQ(CollisionOf(1, 1), COLLISION_FREE) << "the cell left";
    EXPECT_EQ(Actor(0).stepFn, ContinueStep0);
    game->Release(KEY_RIGHT);
    for (int i = 0; i < 7; ++i) {
        game->Frame();
    }
    EXPECT_FLOAT_EQ(Actor(0).head.position.x, Centre(2, 1).x);
    EXPECT_EQ(Actor(0).subStepCounter, 0);
    EXPECT_EQ(Actor(0).stepFn, StepPlayerControl);
    EXPECT_EQ(Actor(0).facing, 0.0f);
    EXPECT_EQ(encounterStepsLeft, 4) << "one step counted on an encounter map";
}

TEST_F(PartyTest, EncounterStepsStopAtZeroAndHoldingAKeepsThemFull) {
    encounterStepsLeft = 0;
    CountEncounterStep();
    EXPECT_EQ(encounterStepsLeft, 0);
    PlacePartyOn(1, 1);
    encounterStepsLeft = 1;
    game->Hold(KEY_A);
    game->Hold(KEY_RIGHT);
    game->Frames(17);
    EXPECT_EQ(encounterStepsLeft, encounterInterval);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL)) << "no encounter while A is held";
}

TEST_F(PartyTest, WallsSlideTheLeaderToTheSideTheLastKeyChoseThenTheOther) {
    PlacePartyOn(2, 2);  // the wall (3, 2) is to the right
    game->Frame();
    game->Hold(KEY_DOWN);  // chooses the lower side for horizontal slides
    game->Frame();
    game->Release(KEY_DOWN);
    game->Frames(8);
    ASSERT_FLOAT_EQ(Actor(0).head.position.z, Centre(2, 3).z);
    // Now at (2, 3): right is (3, 3), free; go back up to (2, 2) first.
    game->Hold(KEY_UP);
    game->Frames(8);
    game->Release(KEY_UP);
    game->Frames(1);
    ASSERT_FLOAT_EQ(Actor(0).head.position.z, Centre(2, 2).z);
    EXPECT_EQ(Actor(0).slideToggleZ, 1) << "Up chose the upper side";
    game->Hold(KEY_RIGHT);
    game->Frame();
    // (2, 1) above is free: the leader slides up instead of hitting the wall.
    EXPECT_EQ(Actor(0).stepFn, ContinueStep90);
    EXPECT_FLOAT_EQ(Actor(0).head.position.z, Centre(2, 2).z + 0.25f);
}

TEST_F(PartyTest, WallOnTheChosenSideFlipsTheToggleForTheNextFrame) {
    PlacePartyOn(6, 1);  // top-right corner: wall above and to the right
    game->Frame();
    Actor(0).slideToggleX = 0;
    game->Hold(KEY_UP);  // up is the border; the toggle chooses right (0), also a wall
    game->Frame();
    EXPECT_EQ(Actor(0).slideToggleX, 1);
    EXPECT_EQ(Actor(0).stepFn, StepPlayerControl);
    EXPECT_EQ(Actor(0).subStepCounter, 8) << "a failed attempt leaves the counter at 8";
    game->Frame();
    EXPECT_EQ(Actor(0).stepFn, ContinueStep180) << "the other side, left, is free";
}

TEST_F(PartyTest, LiquidTurnsTheLeaderButBlockedCellsDoNot) {
    PlacePartyOn(3, 3);  // liquid to the right (4, 3), blocked below-left (2, 4)
    game->Frame();
    Actor(0).facing = 90;
    game->Hold(KEY_RIGHT);
    game->Frame();
    game->Release(KEY_RIGHT);
    EXPECT_EQ(Actor(0).facing, 0.0f);
    EXPECT_EQ(Actor(0).facingDirection, 0);
    EXPECT_FLOAT_EQ(Actor(0).head.position.x, Centre(3, 3).x);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_WALK_MARKER)) << "no boat";

    PartyMemberAt(0)->actor.head.position = Centre(2, 3);
    PartyMemberAt(0)->actor.subStepCounter = 0;
    Actor(0).facing = 90;
    game->Frame();
    game->Hold(KEY_DOWN);  // (2, 4) is blocked
    game->Frame();
    EXPECT_EQ(Actor(0).facing, 90.0f);
    EXPECT_FLOAT_EQ(Actor(0).head.position.z, Centre(2, 3).z);
}

TEST_F(PartyTest, FollowersStepInLockstepOneCellBehindEachOther) {
    // A line: leader at (4, 1), then (3, 1), (2, 1), (1, 1).
    PlacePartyOn(1, 1);
    for (int i = 0; i < 4; ++i) {
        Actor(i).head.position = Centre(4 - i, 1);
        Actor(i).head.previousPosition = Actor(i).head.position;
    }
    game->Frame();
    game->Hold(KEY_RIGHT);
    game->Frame();
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(Actor(i).head.position.x, Centre(4 - i, 1).x + 0.25f) << "member " << i;
    }
    EXPECT_EQ(Actor(3).stepFn, ContinueFollow0);
    game->Release(KEY_RIGHT);
    game->Frames(7);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(Actor(i).head.position.x, Centre(5 - i, 1).x) << "member " << i;
    }
}

TEST_F(PartyTest, FromAStackOneMoreMemberLeavesPerLeaderStep) {
    PlacePartyOn(1, 1);
    game->Frame();
    game->Hold(KEY_RIGHT);
    game->Frames(8);
    EXPECT_FLOAT_EQ(Actor(0).head.position.x, Centre(2, 1).x);
    EXPECT_FLOAT_EQ(Actor(1).head.position.x, Centre(1, 1).x) << "waits until the leader is 2 away";
    game->Frames(8);
    EXPECT_FLOAT_EQ(Actor(1).head.position.x, Centre(2, 1).x);
    EXPECT_FLOAT_EQ(Actor(2).head.position.x, Centre(1, 1).x);
    game->Frames(8);
    EXPECT_FLOAT_EQ(Actor(2).head.position.x, Centre(2, 1).x);
}

TEST_F(PartyTest, MembersBeyondThePartyCountFollowUnseenAndStackedOnesAreHidden) {
    PlacePartyOn(1, 1);
    partyCount = 2;
    game->Frame();
    int meshes = 0;
    for (const auto& draw : headless::DrawCalls()) {
        meshes += draw.kind == headless::DrawRecord::Kind::MeshSubset ? 1 : 0;
    }
    EXPECT_GT(meshes, 0) << "the leader is drawn";
    EXPECT_TRUE(IsHiddenByMemberAhead(TaskAt(1))) << "stacked on the leader";
    Actor(1).head.position.x += 0.25f;
    EXPECT_TRUE(IsHiddenByMemberAhead(TaskAt(1))) << "0.25 away still counts";
    Actor(1).head.position.x += 0.01f;
    EXPECT_FALSE(IsHiddenByMemberAhead(TaskAt(1)));
    EXPECT_TRUE(IsTaskSlotInUse(3)) << "member 3 exists though only 2 are in the party";
}

TEST_F(PartyTest, WithTheBoatThePartyCrossesLiquidOnTheMarker) {
    inventory[10] = {BOAT_ITEM, 1};
    PlacePartyOn(2, 3);
    Actor(1).head.position = Centre(1, 3);
    Actor(2).head.position = Centre(1, 2);
    Actor(3).head.position = Centre(2, 2);
    game->Frame();
    game->Hold(KEY_RIGHT);  // (3, 3) is land, then (4, 3) liquid
    game->Frames(8);
    game->Frame();  // facing the liquid with the boat: the forced walk
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_WALK_MARKER));
    EXPECT_EQ(soundRequests[SOUND_PARTY_SHIFT].requested, 1u);
    game->Release(KEY_RIGHT);
    auto* marker = TaskPayload<WalkMarkerPayload>(TaskAt(TASK_SLOT_WALK_MARKER));
    EXPECT_FLOAT_EQ(marker->position.x, Centre(4, 3).x);
    ASSERT_TRUE(game->RunUntil([&] { return marker->state == HandleFieldInput; }, 200));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(Actor(i).head.position.x, Centre(4, 3).x) << "member " << i;
        EXPECT_EQ(Actor(i).stepFn, StepStandStill);
    }
    // Right again: (5, 3) is liquid, a slide of 8 updates.
    game->Hold(KEY_RIGHT);
    game->Frame();
    EXPECT_EQ(marker->state, SlideDir0);
    game->Release(KEY_RIGHT);
    game->Frames(7);
    EXPECT_EQ(marker->state, HandleFieldInput);
    EXPECT_FLOAT_EQ(Actor(2).head.position.x, Centre(5, 3).x);
    // Right onto land at (6, 3): the group step, then everyone walks again.
    game->Hold(KEY_RIGHT);
    game->Frame();
    EXPECT_EQ(marker->state, UpdateGroupStep);
    game->Release(KEY_RIGHT);
    game->Frames(8);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_WALK_MARKER));
    EXPECT_EQ(soundRequests[SOUND_PARTY_SHIFT].requested, 1u);
    EXPECT_EQ(Actor(0).stepFn, StepPlayerControl);
    EXPECT_EQ(Actor(3).stepFn, StepFollowLeader);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Actor(i).head.position.x, std::round(Actor(i).head.position.x));
        EXPECT_FLOAT_EQ(Actor(i).head.position.x, Centre(6, 3).x);
    }
}

TEST_F(PartyTest, AMemberLeftOutOfReachJoinsTheCrossingInsteadOfFreezingIt) {
    inventory[10] = {BOAT_ITEM, 1};
    PlacePartyOn(3, 3);
    Actor(3).head.position = Centre(6, 1);  // far from everyone, as a script may leave it
    game->Frame();
    game->Hold(KEY_RIGHT);
    game->Frame();
    game->Release(KEY_RIGHT);
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_WALK_MARKER));
    auto* marker = TaskPayload<WalkMarkerPayload>(TaskAt(TASK_SLOT_WALK_MARKER));
    EXPECT_TRUE(game->RunUntil([&] { return marker->state == HandleFieldInput; }, 300));
}

}  // namespace
