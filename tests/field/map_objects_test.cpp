// NPCs and placement objects: the placement script's commands, talking to each NPC pattern,
// the wanderer's moves, the turner, step triggers, examine objects and the auto-run starter.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/keyboard.h"
#include "engine/random.h"
#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "event/event_runner.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_objects.h"
#include "field/party.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

// An 8 x 6 walled room with events on the cells given ("c r" pairs in event-number order)
// and their blocks.
std::string Room(const std::vector<std::pair<int, int>>& cells, const std::string& script) {
    std::string events;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 8; ++c) {
            std::string word = ".";
            for (size_t i = 0; i < cells.size(); ++i) {
                if (cells[i].first == c && cells[i].second == r) {
                    word = std::to_string(i + 1);
                }
            }
            events += word + (c == 7 ? "\n" : " ");
        }
    }
    return "map 4\nname room\nsize 8 6\nencounter 0 30\ntile X 15\ntile . 0\ntiles\n"
           "XXXXXXXX\nX......X\nX......X\nX......X\nX......X\nXXXXXXXX\nevents\n" +
           events + "script\n" + script;
}

class MapObjectsTest : public ::testing::Test {
  protected:
    void Load(const std::vector<std::pair<int, int>>& cells, const std::string& script) {
        WriteTestDataSet(dir.Path());
        WriteTestMaps(dir.Path(), {TestMap(Room(cells, script))});
        game = std::make_unique<GameHarness>(dir.Path());
        ASSERT_TRUE(game->Start());
        KillAllTasks();
        ClearEventFlags();
        ASSERT_TRUE(LoadMap(4));
        partyCount = 1;
    }

    void LeaderOn(int c, int r) {
        float x = 0;
        float z = 0;
        CellToWorld(c, r, &x, &z);
        ASSERT_TRUE(CreatePartyTasks(1, x, FIELD_ACTOR_HEIGHT, z, 0, false));
    }

    static TaskSlot* FirstOfKind(uint32_t kind) { return FindTaskByKind(kind); }
    static NpcPayload* FirstNpc() { return TaskPayload<NpcPayload>(FirstOfKind(TASK_KIND_NPC)); }
    static int8_t CollisionOf(int c, int r) { return collisionLayer[r * mapWidth + c]; }
    static Vec3 Centre(int c, int r) {
        float x = 0;
        float z = 0;
        CellToWorld(c, r, &x, &z);
        return Vec3{x, 0.15f, z};
    }

    TempDir dir;
    std::unique_ptr<GameHarness> game;
};

TEST_F(MapObjectsTest, PlacementCommandsPutEachObjectOnItsCell) {
    Load({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}},
         "$1,4,270,0,#99,@$2,#99,@$3,24,#99,@$99,6,$1,5,90,0,@$99,7,$1,5,90,0,@$7,$1,5,0,0,@");
    // Placed again with flag 7 set: event 5's NPC stays away.
    KillAllTasks();
    SetEventFlag(7);
    RunMapPlacementScripts();
    int npcs = 0;
    for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
        TaskSlot* slot = TaskAt(s);
        if (slot->inUse == 0) {
            continue;
        }
        if (slot->kind == TASK_KIND_NPC) {
            npcs += 1;
            EXPECT_TRUE(slot->tag == 1 || slot->tag == 4) << slot->tag;
        }
        if (slot->kind == TASK_KIND_STEP_TRIGGER) {
            EXPECT_EQ(slot->tag, 2u);
        }
        if (slot->kind == TASK_KIND_EXAMINE_OBJECT) {
            EXPECT_EQ(TaskPayload<ExamineObjectPayload>(slot)->modelIndex, 24);
            EXPECT_EQ(CollisionOf(3, 1), COLLISION_BLOCKED);
        }
    }
    EXPECT_EQ(npcs, 2) << "event 5's flag is set, and $7 places nothing";
    NpcPayload* npc = FirstNpc();
    EXPECT_FLOAT_EQ(npc->actor.head.position.y, 0.15f);
    EXPECT_EQ(npc->actor.facing, 270.0f);
    EXPECT_EQ(npc->modelIndex, 4);
}

TEST_F(MapObjectsTest, StandingTalkerFacesTheLeaderAndStartsItsEvent) {
    Load({{3, 2}}, "$1,4,270,0,#99,@");
    LeaderOn(2, 2);
    game->Frame();
    EXPECT_EQ(CollisionOf(3, 2), COLLISION_BLOCKED);
    game->Tap(KEY_RETURN);
    NpcPayload* npc = FirstNpc();
    EXPECT_EQ(npc->actor.stepFn, StepNpcAfterTalk);
    EXPECT_EQ(npc->actor.facing, 180.0f);
    EXPECT_EQ(Leader()->actor.facing, 0.0f);
    game->Frames(3);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER)) << "the event ran and ended";
    // The leader walks away: the NPC turns back.
    game->Hold(KEY_LEFT);
    game->Frames(9);
    game->Release(KEY_LEFT);
    game->Frame();
    EXPECT_EQ(npc->actor.stepFn, StepNpcStanding);
    EXPECT_EQ(npc->actor.facing, 270.0f);
    EXPECT_EQ(CollisionOf(3, 2), COLLISION_BLOCKED);
}

TEST_F(MapObjectsTest, TalkingNeedsANewPressOfZOrReturnOnly) {
    Load({{2, 3}}, "$1,4,90,0,#99,@");
    LeaderOn(2, 2);  // the NPC is one row below: +W
    game->Frame();
    game->Hold(KEY_Z);
    game->Frame();
    EXPECT_EQ(FirstNpc()->actor.stepFn, StepNpcAfterTalk);
    EXPECT_EQ(FirstNpc()->actor.facing, 90.0f);
    EXPECT_EQ(Leader()->actor.facing, 270.0f);
}

TEST_F(MapObjectsTest, WandererWaits200FramesThenDrawsItsDirection) {
    Load({{4, 2}}, "$1,5,0,1,#99,@");
    SeedRandom(1);  // the first draw is 41: 41 % 4 = 1, towards 180
    NpcPayload* npc = FirstNpc();
    for (int i = 0; i < 200; ++i) {
        UpdateTasks();
    }
    EXPECT_EQ(npc->actor.stepFn, StepNpcWanderChoose);
    UpdateTasks();
    EXPECT_EQ(npc->actor.stepFn, ContinueNpcMove180);
    EXPECT_EQ(npc->actor.slideToggleX, 1);
    EXPECT_EQ(CollisionOf(3, 2), COLLISION_BLOCKED) << "the cell ahead";
    EXPECT_EQ(CollisionOf(4, 2), COLLISION_FREE) << "the cell left";
    for (int i = 0; i < 7; ++i) {
        UpdateTasks();
    }
    EXPECT_FLOAT_EQ(npc->actor.head.position.x, Centre(3, 2).x);
    EXPECT_EQ(npc->actor.stepFn, StepNpcWanderWait);
    EXPECT_EQ(npc->actor.facing, 180.0f);
}

TEST_F(MapObjectsTest, WandererBlockedBothWaysFlipsItsToggleAndWaitsAgain) {
    Load({{1, 1}}, "$1,5,0,1,#99,@");
    NpcPayload* npc = FirstNpc();
    npc->actor.stepFn = StepNpcWanderChoose;
    npc->actor.slideToggleZ = 1;  // a blocked 180 would try 90: the border
    SeedRandom(1);                // 180, into the wall
    UpdateTasks();
    EXPECT_EQ(npc->actor.stepFn, StepNpcWanderWait);
    EXPECT_EQ(npc->actor.slideToggleZ, 0);
    EXPECT_FLOAT_EQ(npc->actor.head.position.x, Centre(1, 1).x);
}

TEST_F(MapObjectsTest, WandererBesideTheLeaderNeverStartsAMove) {
    Load({{4, 2}}, "$1,5,0,1,#99,@");
    LeaderOn(3, 2);
    for (int i = 0; i < 400; ++i) {
        UpdateTasks();
    }
    EXPECT_EQ(FirstNpc()->actor.stepFn, StepNpcWanderWait);
    EXPECT_FLOAT_EQ(FirstNpc()->actor.head.position.x, Centre(4, 2).x);
}

TEST_F(MapObjectsTest, TurnerTurnsAtRandomAndCannotBeTalkedTo) {
    Load({{3, 2}}, "$1,5,0,2,#99,@");
    LeaderOn(2, 2);
    NpcPayload* npc = FirstNpc();
    SeedRandom(1);
    int turns = 0;
    float last = npc->actor.facing;
    for (int i = 0; i < 400; ++i) {
        game->Hold(i % 2 == 0 ? KEY_RETURN : KEY_Z);
        game->Frame();
        game->ReleaseAll();
        if (npc->actor.facing != last) {
            turns += 1;
            last = npc->actor.facing;
        }
        ASSERT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
    }
    EXPECT_GT(turns, 2);
    EXPECT_EQ(static_cast<int>(npc->actor.facing) % 90, 0);
}

TEST_F(MapObjectsTest, StepTriggerFiresOncePerVisitAndNeverForAPartyStartingOnIt) {
    Load({{3, 2}}, "$2,#99,@");
    LeaderOn(3, 2);
    game->Frames(5);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER)) << "the party started on it";
    game->Hold(KEY_RIGHT);
    game->Frames(8);
    game->Release(KEY_RIGHT);
    game->Frames(2);
    game->Hold(KEY_LEFT);
    game->Frames(8);
    game->Release(KEY_LEFT);
    EXPECT_TRUE(game->RunUntil([] { return IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER); }, 3));
    game->Frames(5);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
    game->Frames(20);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER)) << "once per visit";
}

TEST_F(MapObjectsTest, ExamineObjectTurnsTheLeaderAndFreesItsCellWhenItGoes) {
    Load({{4, 2}}, "$3,24,#99,@");
    LeaderOn(4, 3);  // the object is above: -W
    game->Frame();
    Leader()->actor.facing = 0;
    game->Tap(KEY_RETURN);
    EXPECT_EQ(Leader()->actor.facing, 90.0f);
    TaskSlot* slot = FirstOfKind(TASK_KIND_EXAMINE_OBJECT);
    auto* object = TaskPayload<ExamineObjectPayload>(slot);
    EXPECT_EQ(object->state, StepExamineObjectAfterUse);
    game->Frames(4);
    object->head.alive = 0;
    game->Frame();
    EXPECT_FALSE(TaskKindExists(TASK_KIND_EXAMINE_OBJECT));
    EXPECT_EQ(CollisionOf(4, 2), COLLISION_FREE);
}

TEST_F(MapObjectsTest, AutoRunStartsItsEventAtOnceAndOnlyOneFitsItsSlot) {
    Load({{1, 1}, {2, 1}}, "$0,#99,@$0,#99,@");
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_AUTO_RUN_EVENT));
    EXPECT_EQ(TaskAt(TASK_SLOT_AUTO_RUN_EVENT)->tag, 1u) << "the second $0 is refused";
    UpdateTasks();
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_AUTO_RUN_EVENT));
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
    EXPECT_EQ(CurrentEventRunner()->block, 0u);
}

TEST_F(MapObjectsTest, WithoutALeaderNothingSeesOne) {
    Load({{3, 2}, {4, 2}}, "$1,4,270,0,#99,@$3,24,#99,@");
    // A freed slot 0 keeps its old payload; it must not count as a leader.
    LeaderOn(2, 2);
    TaskAt(0)->inUse = 0;
    EXPECT_EQ(Leader(), nullptr);
    game->Tap(KEY_RETURN);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER));
    EXPECT_FALSE(IsPlayerAdjacent(Centre(3, 2).x, Centre(3, 2).z));
}

}  // namespace
