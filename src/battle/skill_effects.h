// The effect tasks that skills start: projectiles that circle their caster, climb out of sight
// and drop onto their target, and spinning rings over the units a skill helps. Every effect is
// a task of kind TASK_KIND_EFFECT; whoever starts effects waits until none is left. Event
// scripts start the same tasks for their own pictures.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
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

constexpr int32_t RING_FRAMES = 90;
constexpr int32_t SINGLE_SHOT_HOLD_FRAMES = 50;
constexpr int32_t VOLLEY_HOLD_FRAMES = 40;
constexpr int32_t VOLLEY_HOLD_STEP = 10;
constexpr float VOLLEY_RADIUS = 3.0f;
constexpr int32_t SHOT_LEAST_DAMAGE = 10;

// The battle effects of the skill table, each taking the caster. A cast on one unit reaches
// the caster's target, which must be a live unit by then; nothing is shown for any other.
void CastSingleShot(BattleUnit* caster);
void CastMultiShot(BattleUnit* caster);
// Also the picture of an item used in battle.
void CastOnTarget(BattleUnit* caster);
void CastOnAllAllies(BattleUnit* caster);
void CastSummonFamiliars(BattleUnit* caster);

// n shots from the caster onto the units of the side, the weakest first; no shot when the side
// has no unit on the field.
void SpawnShotVolley(BattleUnit* caster, int32_t n, int32_t side);
// 1 when started, 0 when no slot of 10..99 is free.
int CreateProjectile(float x, float y, float z, float angle, float radiusMax, int32_t holdFrames,
                     int32_t skillId, BattleUnit* caster, BattleUnit* target);
void SpawnRingOnUnit(BattleUnit* caster, BattleUnit* unit);
// A ring spinning at (x, y, z) for the frames; 0 when no slot of 10..99 is free.
int CreateRingEffect(float x, float y, float z, int32_t meshIndex, int32_t frames);
// 1 while any effect task exists.
int IsSkillEffectActive();

// Projectile task functions and phases: circling the caster, climbing out of sight, falling on
// the target, and the burst after a hit. A projectile whose caster or target has left the field
// ends without a hit.
void UpdateProjectileTask(TaskSlot* slot);
void DrawProjectile(TaskSlot* slot);
void UpdateProjectileRise(SkillProjectile* projectile);
void UpdateProjectileClimb(SkillProjectile* projectile);
void UpdateProjectileFall(SkillProjectile* projectile);
void ProjectileLingerState(SkillProjectile* projectile);

// Ring task functions and its one phase.
void UpdateRingEffectObject(TaskSlot* slot);
void DrawRingEffect(TaskSlot* slot);
void UpdateRingEffect(RingEffect* ring);

// The hit roll of an attack skill's shot: 1 when it lands. Draws twice, in this order: 0..99,
// then 0 up to the caster's magic skill.
int RollHit(const BattleUnit* caster, const BattleUnit* target);
// A landed shot's damage, at least SHOT_LEAST_DAMAGE, added to the target's pending damage.
void ApplyShotDamage(const BattleUnit* caster, BattleUnit* target);

// When an attack skill's effects are over: every unit's pending damage at once.
void ApplyPendingMagicDamage();
// When any other skill's effects are over: its heal, cure or buffs on the caster's targets.
void ApplySupportSkill(BattleUnit* caster);
// At most the hit points missing; the number shown is the amount restored.
void HealUnit(BattleUnit* unit, int32_t amount);
// The popup names the first of poison and paralysis among the bits, present on the unit or not.
void CureStatus(BattleUnit* unit, uint32_t bits);
// The buff becomes half the stat, whatever it was.
void ApplyBuff(BattleUnit* unit, float* buff, float stat, const AtlasRect& popup);
// x + 0.5 truncated towards zero, saturating at the 32-bit range; NaN gives 0.
int32_t RoundHalfUp(float x);
