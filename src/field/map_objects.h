// The objects a map's placement script puts on its event cells: NPCs that stand, wander or
// turn and start their event when the leader talks to them, invisible step triggers, examine
// objects, and the auto-run starter. Each carries its event number as its tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "engine/task_pool.h"
#include "field/field_actor.h"

constexpr int32_t NPC_PATTERN_STANDING = 0;
constexpr int32_t NPC_PATTERN_WANDERER = 1;
constexpr int32_t NPC_PATTERN_TURNER = 2;
constexpr float MAP_OBJECT_VIEW_RADIUS = 4.0f;
constexpr int32_t WANDER_WAIT_FRAMES = 200;

struct NpcPayload {
    FieldActor actor;
    int32_t modelIndex;
    int32_t waitCounter;
    uint32_t eventNumber;
};
static_assert(std::is_standard_layout_v<NpcPayload>);
static_assert(offsetof(NpcPayload, actor) == 0);
static_assert(sizeof(NpcPayload) <= TASK_PAYLOAD_BYTES);

// Triggers and examine objects have only the head of a map actor, so commands that move tagged
// objects never write over their event number or state.
struct StepTriggerPayload {
    FieldActorHead head;
    uint32_t eventNumber;
    TaskStateFn<StepTriggerPayload> state;
};
static_assert(std::is_standard_layout_v<StepTriggerPayload>);
static_assert(offsetof(StepTriggerPayload, head) == 0);
static_assert(sizeof(StepTriggerPayload) <= TASK_PAYLOAD_BYTES);

struct ExamineObjectPayload {
    FieldActorHead head;
    uint32_t eventNumber;
    int32_t modelIndex;
    TaskStateFn<ExamineObjectPayload> state;
};
static_assert(std::is_standard_layout_v<ExamineObjectPayload>);
static_assert(offsetof(ExamineObjectPayload, head) == 0);
static_assert(sizeof(ExamineObjectPayload) <= TASK_PAYLOAD_BYTES);

struct AutoRunPayload {
    uint32_t alive;
    uint32_t eventNumber;
    TaskStateFn<AutoRunPayload> state;
};
static_assert(sizeof(AutoRunPayload) <= TASK_PAYLOAD_BYTES);

// The placement commands; those that take arguments read them from the placement text at the
// cursor. False when no slot is free.
bool CreateMapNpc(float x, float y, float z, uint32_t eventNumber, uint32_t* cursor,
                  const char* text);
// An NPC with its arguments given (event command 20 makes them too).
bool CreateNpc(float x, float y, float z, uint32_t tag, int32_t model, int32_t facing,
               int32_t pattern);
bool CreateStepTrigger(float x, float y, float z, uint32_t eventNumber);
bool CreateExamineObject(float x, float y, float z, uint32_t eventNumber, uint32_t* cursor,
                         const char* text);
bool CreateAutoRunEvent(uint32_t eventNumber);

// Whether the leader stands on a neighbouring cell; never without a leader.
bool IsPlayerAdjacent(float x, float z);
void FaceNpcAndPlayer(NpcPayload* npc);
void FacePlayerToObject(const ExamineObjectPayload* object);

void UpdateNpc(TaskSlot* slot);
void DrawNpc(TaskSlot* slot);
void StepNpcStanding(FieldActor* actor);
void StepNpcAfterTalk(FieldActor* actor);
void StepNpcWanderWait(FieldActor* actor);
void StepNpcWanderChoose(FieldActor* actor);
void StepNpcWanderAfterTalk(FieldActor* actor);
void ContinueNpcMove0(FieldActor* actor);
void ContinueNpcMove90(FieldActor* actor);
void ContinueNpcMove180(FieldActor* actor);
void ContinueNpcMove270(FieldActor* actor);
void StepNpcTurnWait(FieldActor* actor);
void StepNpcTurnPick(FieldActor* actor);
void StepNpcNone(FieldActor* actor);

void StepTriggerWaitLeave(StepTriggerPayload* trigger);
void StepTriggerFire(StepTriggerPayload* trigger);
void StepExamineObject(ExamineObjectPayload* object);
void StepExamineObjectAfterUse(ExamineObjectPayload* object);
void StepAutoRunEvent(AutoRunPayload* autoRun);
// For tasks that draw nothing: every task has a draw function, since resuming a task switches
// its drawing on.
void DrawNothing(TaskSlot* slot);
