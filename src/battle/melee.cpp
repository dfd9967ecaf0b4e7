// The melee strike, the blow and the struck unit's reaction.
#include "battle/melee.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "battle/battle_field.h"
#include "battle/battle_states.h"
#include "battle/movement_planner.h"
#include "data/atlas_battle.h"
#include "data/atlas_camp.h"
#include "engine/random.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "field/map_data.h"
#include "render/camera.h"
#include "render/world_popups.h"

namespace {

constexpr int32_t HIT_TEST_RANGE = 100;
constexpr int32_t COMPASS_HEADINGS = 8;
constexpr int32_t COMPASS_STEP = 45;
constexpr float FULL_TURN = 360.0f;
constexpr float TILT_TOWARDS = 45.0f;
constexpr float TILT_AWAY = 315.0f;
constexpr float KEEP_TILT = -1.0f;

struct HitTilt {
    float tiltX;
    float tiltZ;
};

// By angle / 45: the lean about x and about z; an axis the blow runs along keeps its tilt.
constexpr HitTilt HIT_TILTS[COMPASS_HEADINGS] = {
    {KEEP_TILT, TILT_AWAY},       {TILT_TOWARDS, TILT_AWAY}, {TILT_TOWARDS, KEEP_TILT},
    {TILT_TOWARDS, TILT_TOWARDS}, {KEEP_TILT, TILT_TOWARDS}, {TILT_AWAY, TILT_TOWARDS},
    {TILT_AWAY, KEEP_TILT},       {TILT_AWAY, TILT_AWAY},
};

// By angle / 45: the push straight away from the attacker.
constexpr BattleUnitStateFn KNOCKBACK_STATES[COMPASS_HEADINGS] = {
    UpdateKnockbackPosX, UpdateKnockbackPosXPosZ, UpdateKnockbackPosZ, UpdateKnockbackNegXPosZ,
    UpdateKnockbackNegX, UpdateKnockbackNegXNegZ, UpdateKnockbackNegZ, UpdateKnockbackPosXNegZ,
};

// The index of a compass angle, or -1 for any other angle.
int32_t CompassIndex(int32_t angle) {
    if (angle < 0 || angle % COMPASS_STEP != 0 || angle / COMPASS_STEP >= COMPASS_HEADINGS) {
        return -1;
    }
    return angle / COMPASS_STEP;
}

// Stats of a stored record may be anything a float holds: conversions saturate.
int32_t TruncToInt(float f) {
    return SaturatingTrunc(static_cast<double>(f));
}

int32_t WeaponPower(int32_t id) {
    const ItemRecord* row = ItemRow(id);
    return row != nullptr && row->type == ITEM_TYPE_WEAPON ? row->value : 0;
}

int32_t ArmourPower(int32_t id) {
    const ItemRecord* row = ItemRow(id);
    return row != nullptr && row->type == ITEM_TYPE_ARMOR ? row->value : 0;
}

void ShowPopupOver(const BattleUnit* unit, const AtlasRect& rect) {
    SpawnWorldPopup(unit->position, rect.left, rect.top, rect.right, rect.bottom);
}

// The weapon's status, read whatever kind of item the weapon row is. The chance is drawn on
// every landed blow, also when there is no status to pass on.
void PassOnWeaponStatus(const BattleUnit* attacker, BattleUnit* target) {
    const ItemRecord* weapon = ItemRow(attacker->record.weaponItemId);
    const uint32_t status = weapon != nullptr ? weapon->inflictStatus : 0;
    if (RandomInt(MELEE_STATUS_CHANCE) != 0) {
        return;
    }
    target->record.statusBits |= status;
    if ((status & STATUS_POISON) != 0) {
        ShowPopupOver(target, RECT_MEMBER_POISON_ICON);
    }
    if ((status & STATUS_PARALYSIS) != 0) {
        ShowPopupOver(target, RECT_MEMBER_PARALYSIS_ICON);
    }
}

// One frame of a push; at its end the unit stands on the centre of the cell it was pushed to.
void PushStep(BattleUnit* unit, float xSign, float zSign) {
    unit->position.x += xSign * KNOCKBACK_STEP;
    unit->position.z += zSign * KNOCKBACK_STEP;
    --unit->animCounter;
    if (unit->animCounter >= 1) {
        return;
    }
    SnapToCellCentre(unit->position.x, unit->position.z, BATTLE_GRID_SIZE, BATTLE_GRID_SIZE,
                     &unit->position.x, &unit->position.z);
    unit->hitTimer = HIT_REACTION_FRAMES;
    unit->stateFn = HitReactionState;
}

}  // namespace

const ItemRecord* ItemRow(int32_t id) {
    return IsItemId(id) ? &itemTable[id] : nullptr;
}

int32_t RoundToInt(float f) {
    const double value = static_cast<double>(f);
    return SaturatingTrunc(f < 0.0f ? value - 0.5 : value + 0.5);
}

int RollMeleeHit(const BattleUnit* attacker, const BattleUnit* target) {
    // No rule decides a miss yet, so every blow lands; the two draws a rule would use are still
    // made, so that the draws after them stay where they are whatever rule comes.
    static_cast<void>(target);
    RandomInt(HIT_TEST_RANGE);
    RandomInt(TruncToInt(attacker->record.accuracy));
    return 1;
}

float MeleeDamage(const BattleUnit* attacker, const BattleUnit* target, int32_t randomPart) {
    // Summed wide: stored stats may be anything.
    const int64_t attack = static_cast<int64_t>(RoundToInt(attacker->record.attack)) +
                           WeaponPower(attacker->record.weaponItemId) - randomPart;
    const int64_t defence = static_cast<int64_t>(RoundToInt(target->record.defence)) +
                            ArmourPower(target->record.armorItemId) + TruncToInt(target->guard) +
                            TruncToInt(target->defenceBuff);
    return static_cast<float>(std::max<int64_t>(attack - defence, MELEE_LEAST_DAMAGE));
}

void ResolveMeleeHit(BattleUnit* attacker) {
    BattleUnit* target = attacker->target;
    if (!IsLiveBattleUnit(target)) {
        return;
    }
    const float damage = MeleeDamage(attacker, target, RandomInt(MELEE_RANDOM_RANGE));
    ApplyMeleeDamage(attacker, damage);
    RequestSound(SOUND_DAMAGE, 0);
    PassOnWeaponStatus(attacker, target);
}

void ShowMeleeMiss(const BattleUnit* attacker) {
    RequestSound(SOUND_SWING, 0);
    ShowPopupOver(attacker, RECT_MISS_POPUP);
}

void ApplyMeleeDamage(BattleUnit* attacker, float damage) {
    BattleUnit* target = attacker->target;
    if (!IsLiveBattleUnit(target)) {
        return;
    }
    // The reaction is set up before the hit points change.
    KnockBackTarget(attacker);
    target->record.hp = std::max(
        0, SaturatingSub(target->record.hp, SaturatingTrunc(static_cast<double>(damage) + 0.5)));
    SpawnDamageNumber(target->position, damage, 0);
}

void KnockBackTarget(BattleUnit* attacker) {
    BattleUnit* target = attacker->target;
    if (!IsLiveBattleUnit(target)) {
        return;
    }
    float away = AngleBetweenPoints(attacker->position.x, attacker->position.z, target->position.x,
                                    target->position.z);
    if (away < 0.0f) {
        away += FULL_TURN;
    }
    if (away >= FULL_TURN) {
        away -= FULL_TURN;
    }
    const int32_t angle = RoundToInt(away);
    float behindX = 0.0f;
    float behindZ = 0.0f;
    OffsetByAngle(&behindX, &behindZ, target->position.x, target->position.z,
                  static_cast<float>(angle), KNOCKBACK_TEST_DISTANCE);
    StartHitTilt(attacker, angle);
    if (IsWithinKnockBackBounds(behindX, behindZ) && !IsBattleCellOccupied(behindX, behindZ)) {
        StartKnockback(attacker, angle);
    }
}

void StartHitTilt(BattleUnit* attacker, int32_t angle) {
    BattleUnit* target = attacker->target;
    if (target == nullptr) {
        return;
    }
    if (const int32_t index = CompassIndex(angle); index >= 0) {
        const HitTilt& tilt = HIT_TILTS[index];
        if (tilt.tiltX != KEEP_TILT) {
            target->tiltX = tilt.tiltX;
        }
        if (tilt.tiltZ != KEEP_TILT) {
            target->tiltZ = tilt.tiltZ;
        }
    }
    target->animCounter = HIT_TILT_FRAMES;
    target->stateFn = UpdateHitTilt;
}

void StartKnockback(BattleUnit* attacker, int32_t angle) {
    BattleUnit* target = attacker->target;
    const int32_t index = CompassIndex(angle);
    if (target == nullptr || index < 0) {
        return;
    }
    target->stateFn = KNOCKBACK_STATES[index];
    target->animCounter = KNOCKBACK_FRAMES;
}

bool IsWithinKnockBackBounds(float x, float z) {
    return x >= -KNOCKBACK_BOUND && x <= KNOCKBACK_BOUND && z >= -KNOCKBACK_BOUND &&
           z <= KNOCKBACK_BOUND;
}

bool IsBattleCellOccupied(float x, float z) {
    int32_t column = 0;
    int32_t row = 0;
    WorldToFieldColumnRow(x, z, &column, &row);
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit == nullptr) {
            continue;
        }
        int32_t unitColumn = 0;
        int32_t unitRow = 0;
        WorldToFieldColumnRow(unit->position.x, unit->position.z, &unitColumn, &unitRow);
        if (unitColumn == column && unitRow == row) {
            return true;
        }
    }
    return false;
}

void BeginMeleeAttack(BattleUnit* unit) {
    unit->animCounter = MELEE_SWING_FRAMES;
    unit->stateFn = MeleeWindupState;
}

int StepMeleeWindup(BattleUnit* attacker) {
    attacker->facing -= MELEE_SWING_TURN;
    --attacker->animCounter;
    if (attacker->animCounter > 0) {
        return 0;
    }
    attacker->animCounter = MELEE_SWING_FRAMES;
    RequestSound(SOUND_SWING, 0);
    return 1;
}

int StepMeleeSwing(BattleUnit* attacker) {
    attacker->facing += MELEE_SWING_TURN;
    --attacker->animCounter;
    return attacker->animCounter > 0 ? 0 : 1;
}

void StrikeMeleeTarget(BattleUnit* attacker) {
    if (!IsLiveBattleUnit(attacker->target)) {
        return;
    }
    if (RollMeleeHit(attacker, attacker->target) != 0) {
        ResolveMeleeHit(attacker);
    } else {
        ShowMeleeMiss(attacker);
    }
}

void MeleeWindupState(BattleUnit* unit) {
    if (StepMeleeWindup(unit) != 0) {
        unit->stateFn = MeleeSwingState;
    }
}

void MeleeSwingState(BattleUnit* unit) {
    if (StepMeleeSwing(unit) == 0) {
        return;
    }
    // The turn's end waits for the damage number and popups the blow is about to show.
    unit->stateFn = TurnEndState;
    StrikeMeleeTarget(unit);
}

void UpdateHitTilt(BattleUnit* unit) {
    --unit->animCounter;
    if (unit->animCounter <= 0) {
        unit->animCounter = 0;
        unit->hitTimer = HIT_REACTION_FRAMES;
        unit->stateFn = HitReactionState;
    }
}

void UpdateKnockbackPosX(BattleUnit* unit) {
    PushStep(unit, 1.0f, 0.0f);
}

void UpdateKnockbackPosXPosZ(BattleUnit* unit) {
    PushStep(unit, 1.0f, 1.0f);
}

void UpdateKnockbackPosZ(BattleUnit* unit) {
    PushStep(unit, 0.0f, 1.0f);
}

void UpdateKnockbackNegXPosZ(BattleUnit* unit) {
    PushStep(unit, -1.0f, 1.0f);
}

void UpdateKnockbackNegX(BattleUnit* unit) {
    PushStep(unit, -1.0f, 0.0f);
}

void UpdateKnockbackNegXNegZ(BattleUnit* unit) {
    PushStep(unit, -1.0f, -1.0f);
}

void UpdateKnockbackNegZ(BattleUnit* unit) {
    PushStep(unit, 0.0f, -1.0f);
}

void UpdateKnockbackPosXNegZ(BattleUnit* unit) {
    PushStep(unit, 1.0f, -1.0f);
}
