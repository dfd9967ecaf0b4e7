// Stand-ins for the skill effects until the battle's skill code arrives: only the pieces the
// event scripts start (a sphere that lingers, a spinning ring), each shown for its frames and
// then gone, so that an event waiting for its effects always goes on. The skill code replaces
// this file with the whole projectile flight and the rings over battle units.
#include "battle/skill_effects.h"

#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

namespace {

const MeshRecord* PrimitiveMesh(int32_t index) {
    return index >= 0 && index < PRIMITIVE_COUNT ? &primitiveMeshes[index] : nullptr;
}

}  // namespace

void UpdateProjectileTask(TaskSlot* slot) {
    SkillProjectile* projectile = TaskPayload<SkillProjectile>(slot);
    if (projectile->stateFn != nullptr) {
        projectile->stateFn(projectile);
    }
    if (projectile->active == 0) {
        slot->inUse = 0;
    }
}

void DrawProjectile(TaskSlot* slot) {
    const SkillProjectile* projectile = TaskPayload<SkillProjectile>(slot);
    if (const MeshRecord* mesh = PrimitiveMesh(projectile->meshIndex)) {
        DrawPrimitiveMeshAt(mesh, projectile->position);
    }
}

void ProjectileLingerState(SkillProjectile* projectile) {
    projectile->holdFrames -= 1;
    if (projectile->holdFrames <= 0) {
        projectile->active = 0;
    }
}

int CreateRingEffect(float x, float y, float z, int32_t meshIndex, int32_t frames) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_EFFECT, 0, UpdateRingEffectObject, DrawRingEffect);
    RingEffect* ring = TaskPayload<RingEffect>(slot);
    ring->active = 1;
    ring->position = Vec3{x, y, z};
    ring->angle = 0.0f;
    ring->meshIndex = meshIndex;
    ring->framesLeft = frames;
    ring->stateFn = UpdateRingEffect;
    return 1;
}

void UpdateRingEffectObject(TaskSlot* slot) {
    RingEffect* ring = TaskPayload<RingEffect>(slot);
    if (ring->stateFn != nullptr) {
        ring->stateFn(ring);
    }
    if (ring->active == 0) {
        slot->inUse = 0;
    }
}

void DrawRingEffect(TaskSlot* slot) {
    const RingEffect* ring = TaskPayload<RingEffect>(slot);
    const MeshRecord* mesh = PrimitiveMesh(ring->meshIndex);
    if (ring->stateFn == UpdateRingEffect && mesh != nullptr) {
        DrawPrimitiveMeshAtAngle(mesh, ring->position, ring->angle);
    }
}

void UpdateRingEffect(RingEffect* ring) {
    ring->angle += 30.0f;
    if (ring->angle > 360.0f) {
        ring->angle -= 360.0f;
    }
    ring->framesLeft -= 1;
    if (ring->framesLeft <= 0) {
        ring->active = 0;
    }
}
