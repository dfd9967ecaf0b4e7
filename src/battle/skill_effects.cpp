// The effect tasks of skills, the hit roll and damage of attack skills, and what every skill
// does once its effects are over.
#include "battle/skill_effects.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "battle/battle_controller.h"
#include "battle/battle_states.h"
#include "battle/melee.h"
#include "battle/movement_planner.h"
#include "battle/skill_table.h"
#include "data/atlas_battle.h"
#include "data/atlas_skills.h"
#include "engine/random.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"
#include "render/world_popups.h"

namespace {

constexpr float LAUNCH_RISE = 1.0f;
constexpr float ORBIT_TURN = 15.0f;
constexpr float ORBIT_GROWTH = 0.1f;
constexpr float FLIGHT_STEP = 2.0f;
constexpr float CLIMB_TOP = 60.0f;
constexpr int32_t BURST_FRAMES = 30;
constexpr float RING_TURN = 30.0f;
constexpr float FULL_TURN = 360.0f;
constexpr int32_t HIT_ROLL_RANGE = 100;
constexpr int32_t DAMAGE_RANDOM_RANGE = 4;
constexpr float TILT_BACK = 315.0f;
constexpr float TILT_FORWARD = 45.0f;

const MeshRecord* PrimitiveMesh(int32_t index) {
    return index >= 0 && index < PRIMITIVE_COUNT ? &primitiveMeshes[index] : nullptr;
}

// The height of the unit's model; 0 for a stored record naming no model the game has.
float ModelHeight(const BattleUnit* unit) {
    const int32_t model = unit->record.modelIndex;
    return model >= 0 && model < MESH_COUNT ? meshTable[model].height : 0.0f;
}

void ShowPopupOver(const BattleUnit* unit, const AtlasRect& rect) {
    SpawnWorldPopup(unit->position, rect.left, rect.top, rect.right, rect.bottom);
}

void RingOver(const BattleUnit* unit) {
    CreateRingEffect(unit->position.x, unit->position.y + ModelHeight(unit) / 2.0f,
                     unit->position.z, PRIMITIVE_TORUS, RING_FRAMES);
}

void Guard(BattleUnit* unit, const AtlasRect& popup) {
    ApplyBuff(unit, &unit->defenceBuff, unit->record.defence, popup);
}

void Ward(BattleUnit* unit, const AtlasRect& popup) {
    ApplyBuff(unit, &unit->magicDefenceBuff, unit->record.magicDefence, popup);
}

// The caster's own targets, each only while it is still on the field.
template <typename Effect>
void ForEachTarget(BattleUnit* caster, Effect effect) {
    for (BattleUnit* unit : caster->targets) {
        if (IsLiveBattleUnit(unit)) {
            effect(unit);
        }
    }
}

}  // namespace

void CastSingleShot(BattleUnit* caster) {
    RequestSound(SOUND_SHOT, 0);
    if (!IsLiveBattleUnit(caster->target)) {
        return;
    }
    CreateProjectile(caster->position.x, caster->position.y + ModelHeight(caster) + LAUNCH_RISE,
                     caster->position.z, 0.0f, 0.0f, SINGLE_SHOT_HOLD_FRAMES, caster->skillId,
                     caster, caster->target);
}

void CastMultiShot(BattleUnit* caster) {
    const SkillRecord* row = SkillRow(caster->skillId);
    SpawnShotVolley(caster, row != nullptr ? row->targetCount : 0, 1 - caster->record.side);
}

void SpawnShotVolley(BattleUnit* caster, int32_t n, int32_t side) {
    struct Aim {
        BattleUnit* unit;
        int32_t hp;
    };
    Aim aims[UNIT_TARGET_MAX];
    size_t count = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST;
         slot < TASK_SLOT_DYNAMIC_END && count < UNIT_TARGET_MAX; ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == side) {
            aims[count++] = {unit, unit->record.hp};
        }
    }
    if (count == 0) {
        return;
    }
    ExchangeSort(std::span<Aim>(aims, count),
                 [](const Aim& a, const Aim& b) { return a.hp < b.hp; });
    RequestSound(SOUND_SHOT, 0);
    // The launch point's height is the model's alone, whatever ground the caster stands on.
    const float y = ModelHeight(caster) + LAUNCH_RISE;
    size_t j = 0;
    for (int32_t i = 0; i < n; ++i) {
        const float angle = static_cast<float>(i + 1) * FULL_TURN / static_cast<float>(n);
        CreateProjectile(caster->position.x, y, caster->position.z, angle, VOLLEY_RADIUS,
                         VOLLEY_HOLD_FRAMES + VOLLEY_HOLD_STEP * i, caster->skillId, caster,
                         aims[j].unit);
        j = j + 1 < count ? j + 1 : 0;
    }
}

int CreateProjectile(float x, float y, float z, float angle, float radiusMax, int32_t holdFrames,
                     int32_t skillId, BattleUnit* caster, BattleUnit* target) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_EFFECT, 0, UpdateProjectileTask, DrawProjectile);
    SkillProjectile* projectile = TaskPayload<SkillProjectile>(slot);
    projectile->active = 1;
    projectile->position = Vec3{x, y, z};
    projectile->orbitCentre = projectile->position;
    projectile->holdFrames = holdFrames;
    projectile->orbitAngle = angle;
    projectile->orbitRadius = 0.0f;
    projectile->orbitRadiusMax = radiusMax;
    projectile->meshIndex = PRIMITIVE_SMALL_SPHERE;
    projectile->skillId = skillId;
    projectile->caster = caster;
    projectile->target = target;
    projectile->stateFn = UpdateProjectileRise;
    return 1;
}

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

void UpdateProjectileRise(SkillProjectile* projectile) {
    OffsetByAngle(&projectile->position.x, &projectile->position.z, projectile->orbitCentre.x,
                  projectile->orbitCentre.z, projectile->orbitAngle, projectile->orbitRadius);
    projectile->orbitAngle += ORBIT_TURN;
    if (projectile->orbitAngle > FULL_TURN) {
        projectile->orbitAngle -= FULL_TURN;
    }
    // Grown in single precision: the frame a shot leaves on depends on where the sum lands.
    projectile->orbitRadius += ORBIT_GROWTH;
    if (projectile->orbitRadius > projectile->orbitRadiusMax) {
        projectile->orbitRadius = projectile->orbitRadiusMax;
        projectile->holdFrames -= 1;
    }
    if (projectile->holdFrames < 0) {
        RequestSound(SOUND_SWING, 0);
        projectile->stateFn = UpdateProjectileClimb;
    }
}

void UpdateProjectileClimb(SkillProjectile* projectile) {
    projectile->position.y += FLIGHT_STEP;
    if (projectile->position.y <= CLIMB_TOP) {
        return;
    }
    if (!IsLiveBattleUnit(projectile->target)) {
        projectile->active = 0;
        return;
    }
    projectile->position.x = projectile->target->position.x;
    projectile->position.z = projectile->target->position.z;
    projectile->stateFn = UpdateProjectileFall;
}

void UpdateProjectileFall(SkillProjectile* projectile) {
    BattleUnit* target = projectile->target;
    if (!IsLiveBattleUnit(target) || !IsLiveBattleUnit(projectile->caster)) {
        projectile->active = 0;
        return;
    }
    projectile->position.y -= FLIGHT_STEP;
    if (projectile->position.y >= target->position.y + ModelHeight(target) / 2.0f) {
        return;
    }
    if (RollHit(projectile->caster, target) != 0) {
        RequestSound(SOUND_HIT, 0);
        projectile->meshIndex = PRIMITIVE_RED_SPHERE;
        projectile->holdFrames = BURST_FRAMES;
        projectile->stateFn = ProjectileLingerState;
        ApplyShotDamage(projectile->caster, target);
    } else {
        projectile->active = 0;
        SpawnWorldPopup(projectile->position, RECT_MISS_POPUP.left, RECT_MISS_POPUP.top,
                        RECT_MISS_POPUP.right, RECT_MISS_POPUP.bottom);
    }
}

void ProjectileLingerState(SkillProjectile* projectile) {
    projectile->holdFrames -= 1;
    if (projectile->holdFrames <= 0) {
        projectile->active = 0;
    }
}

void CastOnTarget(BattleUnit* caster) {
    RequestSound(SOUND_HEAL, 0);
    if (IsLiveBattleUnit(caster->target)) {
        RingOver(caster->target);
    }
}

void CastOnAllAllies(BattleUnit* caster) {
    for (BattleUnit*& target : caster->targets) {
        target = nullptr;
    }
    const int count = CollectSideUnits(caster->record.side, caster->targets, UNIT_TARGET_MAX);
    RequestSound(SOUND_HEAL, 0);
    for (int i = 0; i < count; ++i) {
        SpawnRingOnUnit(caster, caster->targets[i]);
    }
}

void CastSummonFamiliars(BattleUnit* caster) {
    SummonFamiliars();
    if (BattleController* controller = ActiveBattle()) {
        BuildPartyTurnListFrom(controller, caster);
    }
    caster->stateFn = UnitIdleState;
}

void SpawnRingOnUnit(BattleUnit*, BattleUnit* unit) {
    RingOver(unit);
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

int IsSkillEffectActive() {
    return TaskKindExists(TASK_KIND_EFFECT) ? 1 : 0;
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
    ring->angle += RING_TURN;
    if (ring->angle > FULL_TURN) {
        ring->angle -= FULL_TURN;
    }
    ring->framesLeft -= 1;
    if (ring->framesLeft <= 0) {
        ring->active = 0;
    }
}

int RollHit(const BattleUnit* caster, const BattleUnit*) {
    const SkillRecord* row = SkillRow(caster->skillId);
    if (row == nullptr) {
        return 0;
    }
    int32_t threshold = 100 - row->hitRate;
    if (threshold < 0) {
        threshold = 1;
    }
    int32_t roll = RandomInt(HIT_ROLL_RANGE);
    roll += RandomInt(SaturatingTrunc(caster->record.magicSkill));
    return roll >= threshold ? 1 : 0;
}

void ApplyShotDamage(const BattleUnit* caster, BattleUnit* target) {
    const SkillRecord* row = SkillRow(caster->skillId);
    const float power = row != nullptr ? static_cast<float>(row->power) : 0.0f;
    const float attack = power + caster->record.magicAttack + caster->record.magicSkill -
                         static_cast<float>(RandomInt(DAMAGE_RANDOM_RANGE));
    const float defence = target->record.magicDefence + target->magicDefenceBuff +
                          target->record.magicSkill -
                          static_cast<float>(RandomInt(DAMAGE_RANDOM_RANGE));
    float damage = attack - defence;
    if (!(damage > static_cast<float>(SHOT_LEAST_DAMAGE))) {
        damage = static_cast<float>(SHOT_LEAST_DAMAGE);
    }
    target->pendingMagicDamage += damage;
}

void ApplyPendingMagicDamage() {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit == nullptr || !(unit->pendingMagicDamage > 0.0f)) {
            continue;
        }
        unit->record.hp =
            std::max(0, SaturatingSub(unit->record.hp, RoundHalfUp(unit->pendingMagicDamage)));
        unit->stateFn = HitReactionState;
        unit->hitTimer = HIT_REACTION_FRAMES;
        unit->tiltX = unit->facing >= 0.0f && unit->facing <= 180.0f ? TILT_BACK : TILT_FORWARD;
        RequestSound(SOUND_DAMAGE, 0);
        // The number shows the whole part: a half or more shows one less than the points lost.
        SpawnDamageNumber(unit->position, unit->pendingMagicDamage, 0);
        unit->pendingMagicDamage = 0.0f;
    }
}

void ApplySupportSkill(BattleUnit* caster) {
    const SkillRecord* row = SkillRow(caster->skillId);
    if (row == nullptr) {
        return;
    }
    const int32_t power = row->power;
    BattleUnit* target = IsLiveBattleUnit(caster->target) ? caster->target : nullptr;
    switch (caster->skillId) {
        case 4:
        case 6:
            if (target != nullptr) {
                HealUnit(target, power);
            }
            break;
        case 5:
        case 7:
            ForEachTarget(caster, [power](BattleUnit* unit) { HealUnit(unit, power); });
            break;
        case 8:
        case 9:
            if (target != nullptr) {
                CureStatus(target, static_cast<uint32_t>(power));
            }
            break;
        case 10:
            if (target != nullptr) {
                Guard(target, RECT_GUARD_POPUP);
            }
            break;
        case 11:
            if (target != nullptr) {
                Ward(target, RECT_WARD_POPUP);
            }
            break;
        case 12:
            ForEachTarget(caster, [](BattleUnit* unit) { Guard(unit, RECT_GUARD_POPUP); });
            break;
        case 13:
            ForEachTarget(caster, [](BattleUnit* unit) { Ward(unit, RECT_WARD_POPUP); });
            break;
        case 14:
            ForEachTarget(caster, [](BattleUnit* unit) {
                Guard(unit, RECT_BULWARK_GUARD_POPUP);
                Ward(unit, RECT_BULWARK_WARD_POPUP);
            });
            break;
        default:
            break;
    }
}

void HealUnit(BattleUnit* unit, int32_t amount) {
    const int64_t missing = static_cast<int64_t>(unit->record.hpMax) - unit->record.hp;
    const int64_t restored = std::min<int64_t>(amount, missing);
    unit->record.hp = static_cast<int32_t>(
        std::min<int64_t>(static_cast<int64_t>(unit->record.hp) + restored, unit->record.hpMax));
    SpawnDamageNumber(unit->position, static_cast<float>(restored), 1);
}

void CureStatus(BattleUnit* unit, uint32_t bits) {
    unit->record.statusBits &= ~bits;
    if ((bits & STATUS_POISON) != 0) {
        ShowPopupOver(unit, RECT_POISON_CURED_POPUP);
    } else if ((bits & STATUS_PARALYSIS) != 0) {
        ShowPopupOver(unit, RECT_PARALYSIS_CURED_POPUP);
    }
}

void ApplyBuff(BattleUnit* unit, float* buff, float stat, const AtlasRect& popup) {
    *buff = stat / 2.0f;
    ShowPopupOver(unit, popup);
}

int32_t RoundHalfUp(float x) {
    return SaturatingTrunc(static_cast<double>(x) + 0.5);
}
