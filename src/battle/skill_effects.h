// The effect tasks that skills start: projectiles that circle their caster, climb out of sight
// and drop onto their target, and spinning rings over the units a skill helps. Every effect is
// a task of kind TASK_KIND_EFFECT; whoever starts effects waits until none is left. Event
// scripts start the same tasks for their own pictures.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "platform/common/math3d.h"

struct BattleUnit;

struct SkillProjectile {
    uint32_t active;
    Vec3 position;
    int32_t holdFrames;  // circling at full radius; after a hit, the burst's frames
    float orbitAngle;
    float orbitRadius;
    float orbitRadiusMax;
    Vec3 orbitCentre;
    TaskStateFn<SkillProjectile> stateFn;
    int32_t meshIndex;  // a row of primitiveMeshes
    int32_t skillId;
    BattleUnit* caster;
    BattleUnit* target;
};
static_assert(sizeof(SkillProjectile) <= TASK_PAYLOAD_BYTES);

struct RingEffect {
    uint32_t active;
    Vec3 position;
    float angle;  // degrees about the vertical axis
    int32_t meshIndex;
    int32_t framesLeft;
    TaskStateFn<RingEffect> stateFn;
};
static_assert(sizeof(RingEffect) <= TASK_PAYLOAD_BYTES);

// A ring spinning at (x, y, z) for the frames; 0 when no slot of 10..99 is free.
int CreateRingEffect(float x, float y, float z, int32_t meshIndex, int32_t frames);

// Projectile task functions and the phase after a hit.
void UpdateProjectileTask(TaskSlot* slot);
void DrawProjectile(TaskSlot* slot);
void ProjectileLingerState(SkillProjectile* projectile);

// Ring task functions and its one phase.
void UpdateRingEffectObject(TaskSlot* slot);
void DrawRingEffect(TaskSlot* slot);
void UpdateRingEffect(RingEffect* ring);
