// The world's event commands on the headless game: flags and jumps, map cells, sounds, waits,
// the camera, objects by tag, map changes, money and the event's own effects. Each test loads
// a small room of its own whose event 1 holds the commands under test.
#include "event/event_commands_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

#include "battle/skill_effects.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/game_state.h"
#include "field/map_objects.h"
#include "platform/headless/headless.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"

namespace {

using EventCommandsTest = EventCommandsFixture;

TEST_F(EventCommandsTest, FlagsAndJumps) {
    Load({{{1, 1},
           "$7,#14,100,#14,5,#15,100,LA,#14,6,LA#15,5,LB,#14,7,LB#15,9,LC,#14,8,LC"
           "#53,2,LD,#14,10,LD#53,77,LE,#14,11,LE#99,@"},
          {{2, 2}, "$1,4,270,0,#99,@"}});
    RunEvent();
    std::vector<int> set;
    for (int f = 0; f < EVENT_FLAG_COUNT; ++f) {
        if (eventFlags[f] != 0) {
            set.push_back(f);
        }
    }
    // 100 is no flag and never jumps; 5 jumps over 7; 9 is clear; tag 2 exists, tag 77 not.
    EXPECT_EQ(set, (std::vector<int>{5, 6, 8, 10}));
}

TEST_F(EventCommandsTest, AJumpThatIsNotTakenStillConsumesItsLabel) {
    Load({{{1, 1}, "$7,#15,9,LC,#15,100,LC,#99,@"}});
    StartEvent(1);
    game->Frames(2);
    EXPECT_EQ(Runner()->cursor, 12u) << "$7,#15,9,LC, read whole";
    game->Frame();
    EXPECT_EQ(Runner()->cursor, 23u) << "#15,100,LC,";
}

TEST_F(EventCommandsTest, SetTileWritesTheLowByteAndItsOwnWallRule) {
    Load({{{1, 1}, "$7,#7,2,1,15,#7,3,1,45,#7,4,1,200,#7,8,1,0,#7,1,6,0,#7,999,999,0,#99,@"}});
    std::vector<int8_t> tiles(tileLayer, tileLayer + MAP_LAYER_BYTES);
    std::vector<int8_t> collision(collisionLayer, collisionLayer + MAP_LAYER_BYTES);
    RunEvent();
    const int8_t expected[3] = {15, 45, -56};
    for (int i = 0; i < 3; ++i) {
        tiles[Index(2 + i, 1)] = expected[i];
        collision[Index(2 + i, 1)] = expected[i] >= 15 ? COLLISION_WALL : COLLISION_FREE;
    }
    // Cells off the map (also a column that would wrap onto the next row) change nothing.
    EXPECT_EQ(std::vector<int8_t>(tileLayer, tileLayer + MAP_LAYER_BYTES), tiles);
    EXPECT_EQ(std::vector<int8_t>(collisionLayer, collisionLayer + MAP_LAYER_BYTES), collision);
    EXPECT_EQ(Collision(3, 1), COLLISION_WALL) << "liquid is a wall for this command";
    EXPECT_EQ(CollisionForTile(45), COLLISION_LIQUID);
}

TEST_F(EventCommandsTest, RebuildingTheLayerFollowsTheTileRules) {
    Load({{{1, 1}, "$7,#7,3,1,45,#7,4,1,50,#44,#99,@"}});
    RunEvent();
    EXPECT_EQ(Collision(3, 1), COLLISION_LIQUID);
    EXPECT_EQ(Collision(4, 1), COLLISION_BLOCKED);
    for (int i = 0; i < mapWidth * mapHeight; ++i) {
        ASSERT_EQ(collisionLayer[i], CollisionForTile(tileLayer[i])) << i;
    }
}

TEST_F(EventCommandsTest, SetPassabilityWritesOnlyCollisionOnTheMap) {
    Load({{{1, 1}, "$7,#54,2,2,0,#54,3,2,1,#54,4,2,7,#54,8,2,0,#54,1,6,0,#99,@"}});
    collisionLayer[Index(2, 2)] = COLLISION_LIQUID;
    std::vector<int8_t> tiles(tileLayer, tileLayer + MAP_LAYER_BYTES);
    std::vector<int8_t> collision(collisionLayer, collisionLayer + MAP_LAYER_BYTES);
    RunEvent();
    collision[Index(2, 2)] = COLLISION_FREE;
    collision[Index(3, 2)] = COLLISION_WALL;
    collision[Index(4, 2)] = COLLISION_BLOCKED;
    EXPECT_EQ(std::vector<int8_t>(collisionLayer, collisionLayer + MAP_LAYER_BYTES), collision);
    EXPECT_EQ(std::vector<int8_t>(tileLayer, tileLayer + MAP_LAYER_BYTES), tiles);
}

TEST_F(EventCommandsTest, PlaySoundPlaysEffectNumbersOnly) {
    Load({{{1, 1}, "$7,#8,14,#8,27,#8,29,#99,@"}});
    headless::ClearSoundLog();
    RunEvent();
    std::vector<std::string> played;
    for (const std::string& entry : headless::SoundLog()) {
        if (entry.rfind("play:", 0) == 0) {
            played.push_back(entry);
        }
    }
    EXPECT_EQ(played, (std::vector<std::string>{"play:14:once"}));
}

TEST_F(EventCommandsTest, WaitTakesItsFramesAndAtLeastOne) {
    Load({{{1, 1}, "$7,#18,0,#14,1,#18,1,#14,2,#18,5,#14,3,#99,@"}});
    StartEvent(1);
    game->Frame();
    for (int flag = 1; flag <= 3; ++flag) {
        game->Frame();  // the wait command
        ASSERT_EQ(Runner()->state, UpdateWait);
        EXPECT_EQ(FramesUntil([flag] { return IsEventFlagSet(flag); }), flag == 3 ? 6 : 2)
            << "one more frame runs the next command";
    }
}

TEST_F(EventCommandsTest, PanMovesAFixedCameraHalfAUnitAFrame) {
    Load({{{1, 1}, "$7,#34,3,2,0,1,#6,0,4,#6,90,2,#6,180,1,#6,270,1,#14,1,#6,45,4,#14,2,#99,@"}});
    StartEvent(1);
    ASSERT_TRUE(game->RunUntil([] { return IsEventFlagSet(1); }, 40));
    const CameraPayload* camera = Camera();
    const Vec3 c = Centre(3, 2);
    EXPECT_FLOAT_EQ(camera->targetX, c.x + 1.5f);
    EXPECT_FLOAT_EQ(camera->targetZ, c.z + 0.5f);
    game->Frame();  // #6,45,4
    EXPECT_EQ(FramesUntil([] { return IsEventFlagSet(2); }), 5);
    EXPECT_FLOAT_EQ(camera->targetX, c.x + 1.5f) << "45 is no direction";
    EXPECT_FLOAT_EQ(camera->targetZ, c.z + 0.5f);
}

TEST_F(EventCommandsTest, PanWithoutACameraStillEnds) {
    Load({{{1, 1}, "$7,#6,0,3,#14,1,#99,@"}});
    StartEvent(1);
    game->Frames(2);
    EXPECT_EQ(FramesUntil([] { return IsEventFlagSet(1); }), 4);
}

TEST_F(EventCommandsTest, PlaceCameraMakesAFixedCameraOverTheCellAndTheMapView) {
    Load({{{1, 1}, "$7,#34,3,2,7,5,#28,#37,1001,#99,@"}, {{1, 2}, "$7,#34,1,1,0,0,#28,#99,@"}});
    StartEvent(1);
    game->Frames(2);
    const CameraPayload* camera = Camera();
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->mode, CameraModeFixed);
    EXPECT_EQ(camera->followTag, 7u);
    EXPECT_FLOAT_EQ(camera->targetX, Centre(3, 2).x);
    EXPECT_FLOAT_EQ(camera->targetY, 0.0f);
    EXPECT_FLOAT_EQ(camera->targetZ, Centre(3, 2).z);
    EXPECT_FLOAT_EQ(camera->eyeY, 60.0f);
    EXPECT_TRUE(TaskKindExists(TASK_KIND_MAP_VIEW));
    game->Frames(2);  // #28 keeps it fixed; #37 follows the member with tag 1001
    EXPECT_EQ(camera->mode, CameraModeFollow);
    EXPECT_EQ(camera->followTag, 1001u);
    RunEvent(0);
    // A second placement keeps the camera but still brings the map view back.
    KillTasksOfKind(TASK_KIND_MAP_VIEW);
    RunEvent(2);
    EXPECT_EQ(camera->followTag, 1001u);
    EXPECT_EQ(camera->mode, CameraModeFixed) << "#28";
    EXPECT_TRUE(TaskKindExists(TASK_KIND_MAP_VIEW));
}

TEST_F(EventCommandsTest, RemoveObjectsFreesTheFirstWithEachTagAndItsCell) {
    Load({{{1, 1}, "$7,#17,21,2,#20,2,9,5,1,0,4,0,9,6,1,0,4,0,#17,4,2,3,4,9,#99,@"},
          {{2, 2}, "$1,4,270,0,#99,@"},
          {{4, 2}, "$3,24,#99,@"},
          {{5, 3}, "$2,#99,@"}});
    game->Frame();  // every object marks its cell
    collisionLayer[Index(5, 3)] = COLLISION_BLOCKED;
    collisionLayer[Index(5, 1)] = COLLISION_BLOCKED;  // where the first NPC with tag 9 goes
    ASSERT_EQ(Collision(2, 2), COLLISION_BLOCKED);
    ASSERT_EQ(Collision(4, 2), COLLISION_BLOCKED);
    RunEvent();
    EXPECT_EQ(FindTaskWithTag(2), nullptr);
    EXPECT_EQ(FindTaskWithTag(3), nullptr);
    EXPECT_EQ(FindTaskWithTag(4), nullptr);
    EXPECT_EQ(Collision(2, 2), COLLISION_FREE) << "the NPC's cell";
    EXPECT_EQ(Collision(4, 2), COLLISION_FREE) << "the examine object's cell";
    EXPECT_EQ(Collision(5, 3), COLLISION_BLOCKED) << "a trigger leaves the map alone";
    TaskSlot* left = FindTaskWithTag(9);
    ASSERT_NE(left, nullptr) << "only the first of two with tag 9";
    EXPECT_FLOAT_EQ(TaskPayload<NpcPayload>(left)->actor.head.position.x, Centre(6, 1).x);
    EXPECT_EQ(Collision(5, 1), COLLISION_FREE);
}

TEST_F(EventCommandsTest, HiddenObjectsReappearWhenTheEventEnds) {
    Load({{{1, 1}, "$7,#45,21,0,2,#14,1,#45,1,0,2,#18,3,#99,@"}, {{2, 2}, "$1,4,270,0,#99,@"}});
    TaskSlot* npc = FindTaskWithTag(2);
    StartEvent(1);
    ASSERT_TRUE(game->RunUntil([] { return IsEventFlagSet(1); }, 10));
    EXPECT_EQ(npc->drawOn, 1u) << "a count of 21 does nothing";
    game->Frame();
    EXPECT_EQ(npc->drawOn, 0u);
    RunEvent(0);
    EXPECT_EQ(npc->drawOn, 1u);
}

TEST_F(EventCommandsTest, CreateNpcsPutsEachOnItsCellWithItsTagAndPattern) {
    Load({{{1, 1}, "$7,#20,3,30,2,2,90,5,0,31,3,3,180,6,2,32,9,1,0,5,0,#99,@"}});
    RunEvent();
    const NpcPayload* a = TaskPayload<NpcPayload>(FindTaskWithTag(30));
    const NpcPayload* b = TaskPayload<NpcPayload>(FindTaskWithTag(31));
    EXPECT_EQ(Xyz(a->actor.head.position), Xyz(Centre(2, 2)));
    EXPECT_EQ(Xyz(a->actor.head.previousPosition), Xyz(Centre(2, 2)));
    EXPECT_EQ(a->actor.facing, 90.0f);
    EXPECT_EQ(a->actor.facingDirection, 90);
    EXPECT_EQ(a->modelIndex, 5);
    EXPECT_EQ(a->actor.stepFn, StepNpcStanding);
    EXPECT_EQ(a->eventNumber, 30u) << "talking to it starts the tag's event";
    EXPECT_EQ(b->actor.stepFn, StepNpcTurnWait);
    EXPECT_EQ(FindTaskWithTag(32), nullptr) << "column 9 is off the map";
}

TEST_F(EventCommandsTest, CreateNpcsReadsEveryEntryButMakesTwenty) {
    std::string script = "$7,#20,21,";
    for (int i = 0; i < 21; ++i) {
        script += std::to_string(40 + i) + ",2,2,0,4,0,";
    }
    Load({{{1, 1}, script + "#14,1,#99,@"}});
    RunEvent();
    EXPECT_NE(FindTaskWithTag(59), nullptr);
    EXPECT_EQ(FindTaskWithTag(60), nullptr);
    EXPECT_TRUE(IsEventFlagSet(1));
}

TEST_F(EventCommandsTest, SetFacingTurnsActorsOnlyToGridFacings) {
    Load({{{1, 1}, "$7,#21,3,2,90,3,180,4,45,#21,21,2,0,#99,@"},
          {{2, 2}, "$1,4,270,0,#99,@"},
          {{5, 3}, "$2,#99,@"},
          {{4, 2}, "$1,4,270,0,#99,@"}});
    const StepTriggerPayload trigger = *TaskPayload<StepTriggerPayload>(FindTaskWithTag(3));
    RunEvent();
    const FieldActor& npc = TaskPayload<NpcPayload>(FindTaskWithTag(2))->actor;
    EXPECT_EQ(npc.facing, 90.0f);
    EXPECT_EQ(npc.facingDirection, 270) << "the whole-number copy is not touched";
    EXPECT_EQ(TaskPayload<NpcPayload>(FindTaskWithTag(4))->actor.facing, 270.0f) << "45";
    const StepTriggerPayload* after = TaskPayload<StepTriggerPayload>(FindTaskWithTag(3));
    EXPECT_EQ(after->eventNumber, trigger.eventNumber);
    EXPECT_EQ(after->state, trigger.state);
}

TEST_F(EventCommandsTest, MoveObjectsStepsAQuarterAFrameFromTheCommandFrame) {
    Load({{{1, 1}, "$7,#22,2,2,0,8,3,45,8,#14,1,#99,@"},
          {{2, 2}, "$1,4,270,0,#99,@"},
          {{4, 3}, "$1,4,270,0,#99,@"}});
    FieldActor& npc = TaskPayload<NpcPayload>(FindTaskWithTag(2))->actor;
    const Vec3 start = npc.head.position;
    npc.head.position.x += 0.1f;  // rounded back onto the grid before the first step
    StartEvent(1);
    game->Frame();
    for (int step = 1; step <= 8; ++step) {
        game->Frame();
        EXPECT_FLOAT_EQ(npc.head.position.x, start.x + 0.25f * step) << step;
        EXPECT_EQ(Xyz(npc.head.previousPosition), Xyz(npc.head.position)) << step;
        EXPECT_EQ(npc.facing, 0.0f);
        EXPECT_EQ(Runner()->state, step < 8 ? UpdateMoveObjects : NextEventCommand) << step;
    }
    EXPECT_EQ(npc.head.position.z, start.z);
    game->Frame();
    EXPECT_TRUE(IsEventFlagSet(1));
    EXPECT_EQ(Xyz(TaskPayload<NpcPayload>(FindTaskWithTag(3))->actor.head.position),
              Xyz(Centre(4, 3)))
        << "direction 45 moves nothing";
}

TEST_F(EventCommandsTest, MoveObjectsRoundsEveryEighthStepLeftAndMovesTriggersByPosition) {
    Load({{{1, 1}, "$7,#22,2,2,180,9,3,90,8,#99,@"},
          {{4, 2}, "$1,4,270,0,#99,@"},
          {{5, 3}, "$2,#99,@"}});
    FieldActor& npc = TaskPayload<NpcPayload>(FindTaskWithTag(2))->actor;
    const Vec3 start = npc.head.position;
    npc.head.position.x += 0.1f;
    TaskSlot* slot = FindTaskWithTag(3);
    const StepTriggerPayload* trigger = TaskPayload<StepTriggerPayload>(slot);
    const Vec3 triggerStart = trigger->head.position;
    LeaderOn(2, 4);
    StartEvent(1);
    game->Frames(2);
    EXPECT_FLOAT_EQ(npc.head.position.x, start.x + 0.1f - 0.25f) << "9 left: no rounding yet";
    game->Frame();
    EXPECT_FLOAT_EQ(npc.head.position.x, start.x - 0.25f) << "8 left: rounded, then the step";
    RunEvent(0);
    EXPECT_FLOAT_EQ(npc.head.position.x, start.x - 2.0f);
    EXPECT_EQ(npc.facing, 180.0f);
    EXPECT_FLOAT_EQ(trigger->head.position.z, triggerStart.z + 2.0f);
    EXPECT_EQ(Xyz(trigger->head.previousPosition), Xyz(triggerStart)) << "position only";
    EXPECT_EQ(trigger->eventNumber, 3u);
    EXPECT_EQ(trigger->state, StepTriggerWaitLeave);
    game->Frame();  // its own states still run: the leader stands elsewhere
    EXPECT_EQ(trigger->state, StepTriggerFire);
}

TEST_F(EventCommandsTest, NeitherDeletingByKindNorRemovingByTagFreesTheRunner) {
    // Tag 0 is every untagged task's: the map view, the camera, then the runner in slot order.
    for (const char* removal : {"#30,1080,#30,8100,", "#17,3,0,0,0,#17,1,2,"}) {
        SCOPED_TRACE(removal);
        game.reset();
        Load({{{1, 1}, "$7," + std::string(removal) + "#14,1,#99,@"},
              {{2, 2}, "$1,4,270,0,#99,@"},
              {{4, 2}, "$3,24,#99,@"}});
        RunEvent();
        EXPECT_FALSE(TaskKindExists(TASK_KIND_NPC));
        EXPECT_TRUE(IsEventFlagSet(1));
        TaskSlot* object = FindTaskWithTag(3);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->updateOn, 1u) << "the world moves again after the event";
    }
}

TEST_F(EventCommandsTest, ChangeMapSetsTheMapAtOnceAndEndsTheEventDuringTheTransfer) {
    Load({{{1, 1}, "$7,#11,3,1,1,1,90,#14,1,#99,@"}});
    StartEvent(1);
    game->Frames(2);
    EXPECT_EQ(currentMap, 3);
    EXPECT_TRUE(TaskKindExists(TASK_KIND_MAP_TRANSFER));
    EXPECT_FALSE(TaskKindExists(TASK_KIND_EVENT_RUNNER));
    EXPECT_FALSE(IsEventFlagSet(1));
}

TEST_F(EventCommandsTest, LoadMapReloadsTheMapWithoutTheRunner) {
    Load({{{1, 1}, "$7,#17,1,2,#40,4,#14,1,#99,@"}, {{2, 2}, "$1,4,270,0,#99,@"}});
    StartEvent(1);
    game->Frames(3);
    EXPECT_NE(FindTaskWithTag(2), nullptr) << "placed again by the new map's script";
    EXPECT_FALSE(TaskKindExists(TASK_KIND_EVENT_RUNNER));
    game->Frames(3);
    EXPECT_FALSE(IsEventFlagSet(1));
}

TEST_F(EventCommandsTest, LoadMapWithoutTheMapPackEndsOnTheTitle) {
    Load({{{1, 1}, "$7,#40,4,#99,@"}, {{2, 2}, "$1,4,270,0,#99,@"}});
    std::filesystem::remove(dir.Path() / "mappack.dat");
    StartEvent(1);
    game->Frames(2);
    ASSERT_EQ(game->MessageBoxes().size(), 1u);
    EXPECT_EQ(game->MessageBoxes()[0].caption, "");
    EXPECT_EQ(game->MessageBoxes()[0].text, "no data file");
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (IsTaskSlotInUse(i)) {
            EXPECT_EQ(TaskAt(i)->kind, TASK_KIND_TITLE) << "slot " << i;
        }
    }
    EXPECT_TRUE(TaskKindExists(TASK_KIND_TITLE));
}

TEST_F(EventCommandsTest, AddGoldAndTheCoverSwitch) {
    Load({{{1, 1}, "$7,#39,500,#38,1,#38,2,#39,999999,#99,@"}});
    money = 2000;
    StartEvent(1);
    game->Frames(2);
    EXPECT_EQ(money, 2500);
    game->Frame();
    EXPECT_EQ(Runner()->tintOn, 1u);
    game->Frame();
    EXPECT_EQ(Runner()->tintOn, 0u) << "only 1 switches it on";
    money = MONEY_MAX - 9;
    game->Frame();
    EXPECT_EQ(money, MONEY_MAX);
}

TEST_F(EventCommandsTest, SpawnEffectShowsARedSphereForThirtyFramesWithoutWaiting) {
    Load({{{1, 1}, "$7,#43,3,2,#43,9,9,#14,1,#99,@"}});
    StartEvent(1);
    game->Frames(2);
    TaskSlot* slot = FindTaskByKind(TASK_KIND_EFFECT);
    ASSERT_NE(slot, nullptr);
    const SkillProjectile* sphere = TaskPayload<SkillProjectile>(slot);
    EXPECT_EQ(Xyz(sphere->position), (std::vector<float>{Centre(3, 2).x, 0.0f, Centre(3, 2).z}));
    EXPECT_EQ(sphere->meshIndex, PRIMITIVE_RED_SPHERE);
    game->Frames(2);
    EXPECT_TRUE(IsEventFlagSet(1)) << "the event goes on";
    EXPECT_EQ(FramesUntil([] { return !TaskKindExists(TASK_KIND_EFFECT); }), 28)
        << "30 updates from the frame after the command (two so far), and one sphere only";
}

TEST_F(EventCommandsTest, PartyHealShowsRingsAndNumbersForEachMemberThenWaits) {
    Load({{{1, 1}, "$7,#50,#14,1,#99,@"}});
    LeaderOn(3, 2);
    partyCount = 2;
    StartEvent(1);
    game->Frames(2);
    int rings = 0;
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (IsTaskSlotInUse(i) && TaskAt(i)->kind == TASK_KIND_EFFECT) {
            const RingEffect* ring = TaskPayload<RingEffect>(TaskAt(i));
            EXPECT_EQ(
                Xyz(ring->position),
                (std::vector<float>{Centre(3, 2).x, FIELD_ACTOR_HEIGHT + 1.0f, Centre(3, 2).z}));
            EXPECT_EQ(ring->meshIndex, PRIMITIVE_TORUS);
            rings += 1;
        }
    }
    EXPECT_EQ(rings, 2);
    EXPECT_EQ(CountKind(TASK_KIND_DAMAGE_DIGIT), 6) << "999 over each of two members";
    EXPECT_EQ(Runner()->state, WaitEffects);
    EXPECT_EQ(FramesUntil([] { return IsEventFlagSet(1); }), 91);
}

TEST_F(EventCommandsTest, PartyHealGoesOnWithoutPartyTasksPastAnEffectTheEventPaused) {
    Load({{{1, 1}, "$7,#50,#14,1,#99,@"}});
    partyCount = 4;
    ASSERT_TRUE(CreateEventEffect(0.0f, 0.0f, 0.0f));  // an earlier event's, not yet gone
    StartEvent(1);
    game->Frames(2);
    EXPECT_EQ(CountKind(TASK_KIND_EFFECT), 1) << "no rings without party tasks";
    game->Frames(2);
    EXPECT_TRUE(IsEventFlagSet(1));
}

}  // namespace
