// The leading payload layout shared by every map actor. All of them begin with alive,
// position and previousPosition (FieldActorHead), so the camera, event commands and the save
// file read any of them the same way; party members and NPCs go on with the walking fields of
// FieldActor.
#pragma once

#include <cstddef>
#include <cstdint>

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
    uint32_t alive;
    Vec3 position;
    Vec3 previousPosition;
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
    actor->alive = 1;
    actor->position = position;
    actor->previousPosition = position;
    actor->facingDirection = static_cast<int32_t>(facing);
    actor->facing = facing;
    actor->targetFacing = facing;
    actor->stepFn = stepFn;
}

static_assert(offsetof(FieldActor, position) == offsetof(FieldActorHead, position));
static_assert(offsetof(FieldActor, previousPosition) == offsetof(FieldActorHead, previousPosition));
