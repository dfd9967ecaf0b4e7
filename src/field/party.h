// The party on the map: four member tasks in slots 0..3, the leader steered by the arrow keys
// one cell (8 sub-steps of 0.25) at a time with wall sliding and collision marks, followers
// stepping after the member ahead, and the crossing of liquid cells on a walk marker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "engine/task_pool.h"
#include "field/field_actor.h"

constexpr uint32_t PARTY_TAG_FIRST = 1000;
constexpr int32_t STEP_SUB_STEPS = 8;
constexpr float STEP_LENGTH = 0.25f;
constexpr float FIELD_ACTOR_HEIGHT = 0.15f;
constexpr int32_t BOAT_ITEM = 26;
constexpr int WALK_MARKER_TEXTURE = 23;

struct PartyMemberPayload {
    FieldActor actor;
    int32_t memberIndex;
    PartyMemberPayload* memberAhead;  // none for the leader
    int32_t fallDelay;
    int32_t hopFrame;
};
static_assert(std::is_standard_layout_v<PartyMemberPayload>);
static_assert(offsetof(PartyMemberPayload, actor) == 0);
static_assert(sizeof(PartyMemberPayload) <= TASK_PAYLOAD_BYTES);

struct WalkMarkerPayload {
    uint32_t alive;
    Vec3 position;
    int32_t direction;
    int32_t texture;
    int32_t subStepCounter;
    TaskStateFn<WalkMarkerPayload> state;
};
static_assert(sizeof(WalkMarkerPayload) <= TASK_PAYLOAD_BYTES);

// The leader (slot 0), or null when slot 0 holds no live party member.
PartyMemberPayload* Leader();
// The member in slot i (0..3), or null.
PartyMemberPayload* PartyMemberAt(int slot);

bool CreatePartyTasks(int32_t count, float x, float y, float z, float facing, bool frozen);
PartyMemberPayload* CreatePartyMemberTask(float x, float y, float z, float facing, int32_t index,
                                          bool frozen, uint32_t tag, PartyMemberPayload* ahead);
void PlaceParty(float x, float z, float direction);
bool IsHiddenByMemberAhead(const TaskSlot* slot);
void FaceMoveDirection(FieldActor* actor);
void CountEncounterStep();

void UpdatePartyMember(TaskSlot* slot);
void DrawPartyMember(TaskSlot* slot);

// Step states.
void StepPlayerControl(FieldActor* actor);
void ContinueStep0(FieldActor* actor);
void ContinueStep90(FieldActor* actor);
void ContinueStep180(FieldActor* actor);
void ContinueStep270(FieldActor* actor);
void StepFollowLeader(FieldActor* actor);
void ContinueFollow0(FieldActor* actor);
void ContinueFollow90(FieldActor* actor);
void ContinueFollow180(FieldActor* actor);
void ContinueFollow270(FieldActor* actor);
void StepStandStill(FieldActor* actor);

// The liquid crossing.
void StartForcedWalk(float x, float y, float z, int32_t direction);
void UpdateForcedWalk(WalkMarkerPayload* marker);
void HandleFieldInput(WalkMarkerPayload* marker);
void SlideDir0(WalkMarkerPayload* marker);
void SlideDir90(WalkMarkerPayload* marker);
void SlideDir180(WalkMarkerPayload* marker);
void SlideDir270(WalkMarkerPayload* marker);
void UpdateGroupStep(WalkMarkerPayload* marker);
int CountMembersOnCell(float x, float z);
