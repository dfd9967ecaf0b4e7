// What every map actor has: alive, position and previousPosition (FieldActorHead). Party
// members, NPCs, step triggers and examine objects each hold one as their first member, so the
// camera and the event commands reach any of them through ActorHead; party members and NPCs
// go on with the walking fields of FieldActor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "engine/task_pool.h"
#include "platform/common/math3d.h"

struct FieldActorHead {
    uint32_t alive;
    Vec3 position;
    Vec3 previousPosition;
};

struct FieldActor;
// A step state of a party member or NPC. States are compared by identity across the field
// and the event commands, so each is a distinct function.
using FieldStepFn = void (*)(FieldActor* actor);

struct FieldActor {
    FieldActorHead head;
    int32_t subStepCounter;
    int32_t facingDirection;  // 0, 90, 180 or 270: the current or last step
    float facing;             // the drawn yaw in degrees
    float targetFacing;       // a kept facing to return to
    int32_t slideToggleZ;
    int32_t slideToggleX;
    FieldStepFn stepFn;
};

// A walking actor standing at a point with a facing: alive, counters and toggles cleared, its
// kept facing equal to the given one.
inline void InitFieldActor(FieldActor* actor, const Vec3& position, float facing,
                           FieldStepFn stepFn) {
    *actor = FieldActor{};
    actor->head.alive = 1;
    actor->head.position = position;
    actor->head.previousPosition = position;
    actor->facingDirection = static_cast<int32_t>(facing);
    actor->facing = facing;
    actor->targetFacing = facing;
    actor->stepFn = stepFn;
}

static_assert(std::is_standard_layout_v<FieldActor> && offsetof(FieldActor, head) == 0);

// The head of a party member, NPC, step trigger or examine object slot, read through the
// slot's real payload type; null for any other kind.
FieldActorHead* ActorHead(TaskSlot* slot);
const FieldActorHead* ActorHead(const TaskSlot* slot);
// The walking actor of a party member or NPC slot; null for any other kind.
FieldActor* WalkingActor(TaskSlot* slot);
