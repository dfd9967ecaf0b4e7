// The automatic battle: its prompt, the turn that waits and then plays the unit's class, the
// casts it chooses and what each class does when it cannot cast.
#include "battle/auto_battle.h"

#include "battle/battle_controller.h"
#include "battle/battle_field.h"
#include "battle/battle_states.h"
#include "battle/command_phase.h"
#include "battle/enemy_ai.h"
#include "battle/movement_planner.h"
#include "battle/skill_command.h"
#include "battle/skill_table.h"
#include "field/map_data.h"
#include "render/camera.h"
#include "render/screen_draw.h"

namespace {

constexpr int32_t HEAL_ONE_SKILL = 4;
constexpr int32_t HEAL_ALL_SKILL = 5;
constexpr int32_t CURE_POISON_SKILL = 8;
constexpr int32_t CURE_PARALYSIS_SKILL = 9;
// Attack magic from the strongest worth trying down to the plainest, by the enemies left.
constexpr int32_t SMALL_VOLLEY_SKILL = 2;
constexpr int32_t LARGE_VOLLEY_SKILL = 3;
constexpr int32_t SMALL_VOLLEY_ENEMIES = 4;
constexpr int32_t LARGE_VOLLEY_ENEMIES = 6;
// A hybrid fights in melee only against fewer enemies than this.
constexpr int32_t HYBRID_MELEE_ENEMIES = 4;
constexpr float HALF_TURN = 180.0f;
// The retreat aims away from the far corner of the enemies' mean cell, and at the centre of
// the cell its goal falls in.
constexpr float CELL_WIDTH = 2.0f;
constexpr float CELL_HALF = 1.0f;

using AutoBehaviourFn = void (*)(BattleUnit* unit);

// By class - 1: fighter, caster, hybrid, familiar.
constexpr AutoBehaviourFn AUTO_BEHAVIOURS[] = {AutoFighter, AutoCaster, AutoHybrid, AutoFighter};
constexpr int32_t AUTO_CLASS_COUNT = sizeof(AUTO_BEHAVIOURS) / sizeof(AUTO_BEHAVIOURS[0]);

void Defend(BattleUnit* unit) {
    unit->guard = static_cast<float>(unit->record.defence) / 3.0f;
    unit->stateFn = DefendMessageState;
    unit->countdown = AUTO_DEFEND_FRAMES;
}

void ClassFallback(BattleUnit* unit) {
    if (unit->record.characterClass == CLASS_CASTER) {
        AutoCasterFallback(unit);
    } else {
        AutoHybridFallback(unit);
    }
}

// The cast on the found unit, when the skill reaches one: false when it needs one and there is
// none.
bool CastAt(BattleUnit* unit, int32_t skillId, BattleUnit* found) {
    const SkillRecord* row = SkillRow(skillId);
    if (row == nullptr) {
        return false;
    }
    const bool single = row->targetCount == 1;
    if (single && found == nullptr) {
        return false;
    }
    unit->skillId = skillId;
    if (single) {
        unit->target = found;
        if (found != unit) {
            unit->facing = AngleBetweenPoints(unit->position.x, unit->position.z, found->position.x,
                                              found->position.z);
        }
    }
    unit->stateFn = WaitSkillEffectState;
    RunBattleEffect(unit);
    PaySkillCost(unit);
    return true;
}

bool TargetsOne(int32_t skillId) {
    const SkillRecord* row = SkillRow(skillId);
    return row != nullptr && row->targetCount == 1;
}

}  // namespace

void SetAutoBattle(uint32_t on) {
    if (BattleController* controller = ActiveBattle()) {
        controller->autoBattle = on;
    }
}

void AutoBattleConfirmState(BattleUnit* unit) {
    if (MoveMenuCursor(&unit->promptCursor, 2) == 0) {
        return;
    }
    if (unit->promptCursor == 0) {
        unit->stateFn = CommandMenuState;
    } else {
        // The turn's pause has not run yet: the unit waits it out, then plays this turn.
        unit->stateFn = AutoBattleTurnState;
        SetAutoBattle(1);
    }
    unit->promptCursor = 0;
}

void AutoBattleTurnState(BattleUnit* unit) {
    if (CanUnitAct(unit) == 0) {
        unit->countdown = AUTO_PARALYSED_FRAMES;
        unit->stateFn = ParalysedMessageState;
        return;
    }
    --unit->countdown;
    if (unit->countdown < 1) {
        RunAutoBehaviour(unit);
    }
}

void RunAutoBehaviour(BattleUnit* unit) {
    // Records come from save files too: any class beyond the table plays as a fighter.
    const int32_t index = unit->record.characterClass - 1;
    (index >= 0 && index < AUTO_CLASS_COUNT ? AUTO_BEHAVIOURS[index] : AutoFighter)(unit);
}

void AutoFighter(BattleUnit* unit) {
    if (unit->record.hp > unit->record.hpMax / AUTO_DEFEND_DIVISOR) {
        unit->target = FindNearestOfSide(unit->position.x, unit->position.z, SIDE_ENEMY);
        unit->stateFn = unit->target != nullptr ? ApproachTargetState : TurnEndState;
    } else {
        ApplyDefend(unit);
    }
}

void AutoCaster(BattleUnit* unit) {
    if (CountWoundedOfSide(SIDE_PARTY, AUTO_WOUNDED_DIVISOR) >= 1) {
        unit->stateFn = AutoCastHeal;
    } else if (CollectSideStatus(SIDE_PARTY) != 0) {
        unit->stateFn = AutoCastCure;
    } else {
        unit->stateFn = AutoCastAttackMagic;
    }
}

void AutoHybrid(BattleUnit* unit) {
    if (CountWoundedOfSide(SIDE_PARTY, AUTO_WOUNDED_DIVISOR) >= 1) {
        unit->stateFn = AutoCastHeal;
    } else if (CollectSideStatus(SIDE_PARTY) != 0) {
        unit->stateFn = AutoCastCure;
    } else if (!AnySideUnitInReach(unit, SIDE_ENEMY)) {
        unit->stateFn = AutoCastAttackMagic;
    } else if (CountUnitsOfSide(SIDE_ENEMY) < HYBRID_MELEE_ENEMIES) {
        AutoFighter(unit);
    } else {
        unit->stateFn = AutoCastAttackMagic;
    }
}

void AutoCastHeal(BattleUnit* unit) {
    // With several wounded only the heal for all is tried.
    const int32_t skillId =
        CountWoundedOfSide(SIDE_PARTY, AUTO_WOUNDED_DIVISOR) == 1 ? HEAL_ONE_SKILL : HEAL_ALL_SKILL;
    if (!CanCastSkill(unit, skillId) || !CastSkillAtWeakest(unit, skillId, SIDE_PARTY)) {
        ClassFallback(unit);
    }
}

void AutoCastCure(BattleUnit* unit) {
    // Paralysis first: it costs the afflicted unit its turns.
    const bool paralysed = (CollectSideStatus(SIDE_PARTY) & STATUS_PARALYSIS) != 0;
    const int32_t skillId = paralysed ? CURE_PARALYSIS_SKILL : CURE_POISON_SKILL;
    const uint32_t bits = paralysed ? STATUS_PARALYSIS : STATUS_POISON;
    if (!CanCastSkill(unit, skillId) || !CastSkillAtAfflicted(unit, skillId, SIDE_PARTY, bits)) {
        ClassFallback(unit);
    }
}

void AutoCastAttackMagic(BattleUnit* unit) {
    const int enemies = CountUnitsOfSide(SIDE_ENEMY);
    const int32_t first = enemies < SMALL_VOLLEY_ENEMIES   ? 0
                          : enemies < LARGE_VOLLEY_ENEMIES ? SMALL_VOLLEY_SKILL
                                                           : LARGE_VOLLEY_SKILL;
    for (int32_t skillId = first; skillId >= 0; --skillId) {
        if (CanCastSkill(unit, skillId)) {
            if (!CastSkillAtWeakest(unit, skillId, SIDE_ENEMY)) {
                ClassFallback(unit);
            }
            return;
        }
    }
    ClassFallback(unit);
}

void AutoCasterFallback(BattleUnit* unit) {
    if (AnySideUnitInReach(unit, SIDE_ENEMY)) {
        unit->stateFn = BeginRetreat;
    } else {
        Defend(unit);
    }
}

void AutoHybridFallback(BattleUnit* unit) {
    if (unit->record.hp > unit->record.hpMax / AUTO_FIGHT_DIVISOR) {
        AutoFighter(unit);
    } else {
        AutoCasterFallback(unit);
    }
}

void BeginRetreat(BattleUnit* unit) {
    float cx = 0.0f;
    float cz = 0.0f;
    // With no enemy left there is nothing to retreat from.
    if (!ComputeSideCentroid(SIDE_ENEMY, &cx, &cz)) {
        Defend(unit);
        return;
    }
    SnapToGridCellCorner(cx, cz, BATTLE_GRID_SIZE, BATTLE_GRID_SIZE, &cx, &cz);
    cx += CELL_WIDTH;
    cz -= CELL_WIDTH;
    const float x = unit->position.x;
    const float z = unit->position.z;
    const float away = AngleBetweenPoints(x, z, cx, cz) - HALF_TURN;
    float goalX = 0.0f;
    float goalZ = 0.0f;
    OffsetByAngle(&goalX, &goalZ, x, z, away, RETREAT_DISTANCE);
    SnapToGridCellCorner(goalX, goalZ, BATTLE_GRID_SIZE, BATTLE_GRID_SIZE, &goalX, &goalZ);
    goalX += CELL_HALF;
    goalZ -= CELL_HALF;
    PlanApproachPaths(unit, x, z, goalX, goalZ);
    unit->moveBudget = UnitMoveBudget(unit);
    unit->waypoint = 1;
    unit->stateFn = RetreatWalkState;
}

bool CastSkillAtWeakest(BattleUnit* unit, int32_t skillId, int32_t side) {
    BattleUnit* found = TargetsOne(skillId) ? FindLowestHpOfSide(unit, side) : nullptr;
    return CastAt(unit, skillId, found);
}

bool CastSkillAtAfflicted(BattleUnit* unit, int32_t skillId, int32_t side, uint32_t bits) {
    BattleUnit* found = TargetsOne(skillId) ? FindUnitWithStatus(side, bits) : nullptr;
    return CastAt(unit, skillId, found);
}

bool CanCastSkill(const BattleUnit* unit, int32_t skillId) {
    const SkillRecord* row = SkillRow(skillId);
    return row != nullptr && unit->record.level >= row->requiredLevel &&
           unit->record.mp >= row->mpCost;
}

uint32_t CollectSideStatus(int32_t side) {
    uint32_t bits = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == side) {
            bits |= unit->record.statusBits;
        }
    }
    return bits;
}

BattleUnit* FindUnitWithStatus(int32_t side, uint32_t bits) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == side && (unit->record.statusBits & bits) != 0) {
            return unit;
        }
    }
    return nullptr;
}

bool AnySideUnitInReach(const BattleUnit* unit, int32_t side) {
    const float reach = UnitMoveBudget(unit);
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* other = LiveBattleUnitAt(slot);
        if (other != nullptr && other->record.side == side &&
            GetGroundDistance(unit->position.x, unit->position.z, other->position.x,
                              other->position.z) <= reach) {
            return true;
        }
    }
    return false;
}

bool ComputeSideCentroid(int32_t side, float* x, float* z) {
    double sumX = 0.0;
    double sumZ = 0.0;
    int count = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == side) {
            sumX += unit->position.x;
            sumZ += unit->position.z;
            ++count;
        }
    }
    if (count == 0) {
        return false;
    }
    *x = static_cast<float>(sumX / count);
    *z = static_cast<float>(sumZ / count);
    return true;
}
