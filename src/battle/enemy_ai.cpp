// Enemy behaviours: the searches they aim with, the cell tests of the warp, and the states of
// each behaviour from the turn's pause to its end.
#include "battle/enemy_ai.h"

#include <span>

#include "battle/battle_controller.h"
#include "battle/battle_field.h"
#include "battle/battle_states.h"
#include "battle/escape.h"
#include "battle/melee.h"
#include "battle/movement_planner.h"
#include "battle/skill_table.h"
#include "engine/random.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "field/map_data.h"
#include "render/camera.h"

namespace {

constexpr int32_t NEIGHBOUR_COUNT = 8;
constexpr int32_t NO_HEADING = -1;
constexpr int32_t HEAL_ONE_SKILL = 4;
constexpr int32_t HEAL_ALL_SKILL = 5;
constexpr int32_t VOLLEY_SKILL = 3;
constexpr int32_t ATTACK_SKILL_CHOICES = 4;
constexpr int32_t WARP_TARGET_CHOICES = 3;
constexpr int32_t FREE_CELL_SIDE = 12;
constexpr float FREE_CELL_FIRST = 11.0f;
constexpr float CELL_PITCH = 2.0f;
constexpr float COLUMN_NEAR = 2.0f;
constexpr int32_t SHORT_ENTRY_CELLS = 8;
constexpr int32_t LONG_ENTRY_CELLS = 9;
constexpr float ENTRY_STEP = 0.5f;
constexpr int32_t ENTRY_FRAMES_PER_CELL = 4;

struct Neighbour {
    int32_t columnChange;
    int32_t rowChange;
    int32_t heading;
};

// Rows grow towards -z and columns towards +x.
constexpr Neighbour NEIGHBOURS[NEIGHBOUR_COUNT] = {
    {-1, -1, 135}, {0, -1, 90},  {1, -1, 45}, {-1, 0, 180},
    {1, 0, 0},     {-1, 1, 225}, {0, 1, 270}, {1, 1, 315},
};

struct Ranked {
    BattleUnit* unit;
    double key;  // wide enough for any hit points and any distance
};

// The units of the side that pass the filter, at most UNIT_TARGET_MAX, in slot order.
template <typename Filter>
size_t CollectSide(int32_t side, Filter pass, Ranked (&out)[UNIT_TARGET_MAX]) {
    size_t count = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST;
         slot < TASK_SLOT_DYNAMIC_END && count < UNIT_TARGET_MAX; ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == side && pass(unit)) {
            out[count++] = {unit, 0.0};
        }
    }
    return count;
}

// Ranks the collected units by the key with the exchange sort: the first, or null for none.
template <typename Key>
BattleUnit* FirstRanked(Ranked (&units)[UNIT_TARGET_MAX], size_t count, Key key, bool largest) {
    if (count == 0) {
        return nullptr;
    }
    for (size_t i = 0; i < count; ++i) {
        units[i].key = key(units[i].unit);
    }
    ExchangeSort(std::span<Ranked>(units, count), [largest](const Ranked& a, const Ranked& b) {
        return largest ? a.key > b.key : a.key < b.key;
    });
    return units[0].unit;
}

template <typename Key>
BattleUnit* FirstOfSide(int32_t side, Key key, bool largest) {
    Ranked units[UNIT_TARGET_MAX];
    const size_t count = CollectSide(
        side, [](const BattleUnit*) { return true; }, units);
    return FirstRanked(units, count, key, largest);
}

double HitPoints(const BattleUnit* unit) {
    return unit->record.hp;
}

auto DistanceFrom(float x, float z) {
    return [x, z](const BattleUnit* unit) -> double {
        return GetGroundDistance(x, z, unit->position.x, unit->position.z);
    };
}

void FaceTowards(BattleUnit* unit, const BattleUnit* other) {
    unit->facing = AngleBetweenPoints(unit->position.x, unit->position.z, other->position.x,
                                      other->position.z);
}

// Enemies cast whatever their behaviour chooses, paying nothing.
void CastChosenSkill(BattleUnit* unit) {
    unit->stateFn = WaitSkillEffectState;
    RunBattleEffect(unit);
}

void Park(BattleUnit* unit) {
    unit->position.x = WARP_PARKING;
    unit->position.z = WARP_PARKING;
}

int32_t SkillLevel(int32_t skillId) {
    const SkillRecord* row = SkillRow(skillId);
    return row != nullptr ? row->requiredLevel : 0;
}

}  // namespace

BattleUnit* FindWeakestOfSide(float, float, int32_t side) {
    return FirstOfSide(side, HitPoints, false);
}

BattleUnit* FindNearestOfSide(float x, float z, int32_t side) {
    return FirstOfSide(side, DistanceFrom(x, z), false);
}

BattleUnit* FindFarthestOfSide(float x, float z, int32_t side) {
    return FirstOfSide(side, DistanceFrom(x, z), true);
}

BattleUnit* FindLowestHpOfSide(const BattleUnit*, int32_t side) {
    return FirstOfSide(side, HitPoints, false);
}

int CountWoundedOfSide(int32_t side, int32_t divisor) {
    if (divisor == 0) {
        return 0;
    }
    int count = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == side &&
            unit->record.hp <= unit->record.hpMax / divisor) {
            ++count;
        }
    }
    return count;
}

bool IsFieldCellBlockedOrHeld(int32_t column, int32_t row) {
    if (IsBattleCellBlocked(column, row)) {
        return true;
    }
    float x = static_cast<float>(column);
    float z = static_cast<float>(row);
    FieldCellToWorld(&x, &z);
    return IsBattleCellOccupied(x, z);
}

bool IsSurrounded(const BattleUnit* unit) {
    int32_t column = 0;
    int32_t row = 0;
    WorldToFieldColumnRow(unit->position.x, unit->position.z, &column, &row);
    for (const Neighbour& n : NEIGHBOURS) {
        if (!IsFieldCellBlockedOrHeld(column + n.columnChange, row + n.rowChange)) {
            return false;
        }
    }
    return true;
}

int32_t PickFreeNeighbourAngle(const BattleUnit* unit) {
    int32_t column = 0;
    int32_t row = 0;
    WorldToFieldColumnRow(unit->position.x, unit->position.z, &column, &row);
    int32_t headings[NEIGHBOUR_COUNT];
    int32_t free = 0;
    for (int32_t i = 0; i < NEIGHBOUR_COUNT; ++i) {
        const Neighbour& n = NEIGHBOURS[i];
        const bool blocked = IsFieldCellBlockedOrHeld(column + n.columnChange, row + n.rowChange);
        headings[i] = blocked ? NO_HEADING : n.heading;
        free += blocked ? 0 : 1;
    }
    ExchangeSort(std::span<int32_t>(headings), [](int32_t a, int32_t b) { return a > b; });
    // With none free the draw is of nothing and the first entry is the empty heading.
    return headings[RandomInt(free)];
}

bool IsAnyOtherUnitActing(const BattleUnit* unit) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* other = LiveBattleUnitAt(slot);
        if (other != nullptr && other != unit && other->stateFn != UnitIdleState) {
            return true;
        }
    }
    return false;
}

bool PickRandomFreeCell(float* x, float* z) {
    struct Cell {
        float x;
        float z;
        int32_t taken;
    };
    Cell cells[FREE_CELL_SIDE * FREE_CELL_SIDE];
    int32_t free = 0;
    int32_t n = 0;
    for (int32_t r = 0; r < FREE_CELL_SIDE; ++r) {
        for (int32_t c = 0; c < FREE_CELL_SIDE; ++c) {
            const float cx = -FREE_CELL_FIRST + CELL_PITCH * static_cast<float>(c);
            const float cz = FREE_CELL_FIRST - CELL_PITCH * static_cast<float>(r);
            const int32_t taken = IsBattleCellOccupied(cx, cz) ? 1 : 0;
            cells[n++] = {cx, cz, taken};
            free += 1 - taken;
        }
    }
    if (free == 0) {
        return false;
    }
    ExchangeSort(std::span<Cell>(cells),
                 [](const Cell& a, const Cell& b) { return a.taken < b.taken; });
    const Cell& chosen = cells[RandomInt(free)];
    *x = chosen.x;
    *z = chosen.z;
    return true;
}

void EnemyTurnDelayState(BattleUnit* unit) {
    --unit->countdown;
    if (unit->countdown < 1) {
        unit->stateFn = DispatchEnemyAi;
    }
}

void DispatchEnemyAi(BattleUnit* unit) {
    switch (unit->record.aiType) {
        case AI_TYPE_LONER:
            unit->stateFn = EnemyAiLoner;
            break;
        case AI_TYPE_APPROACH:
            unit->stateFn = EnemyAiApproach;
            break;
        case AI_TYPE_CASTER:
            unit->stateFn = EnemyAiCaster;
            break;
        case AI_TYPE_MIXED:
            unit->stateFn = EnemyAiMixed;
            break;
        case AI_TYPE_WARP:
            unit->stateFn = EnemyAiWarpOrCast;
            break;
        default:
            unit->stateFn = TurnEndState;
            break;
    }
}

void EnemyAiMixed(BattleUnit* unit) {
    unit->stateFn = RandomInt(2) == 0 ? EnemyAiApproach : EnemyAiCaster;
}

void EnemyAiWarpOrCast(BattleUnit* unit) {
    unit->stateFn = RandomInt(2) == 0 ? EnemyAiWarp : EnemyAiCasterAlt;
}

void EnemyAiApproach(BattleUnit* unit) {
    const float x = unit->position.x;
    const float z = unit->position.z;
    unit->target = RandomInt(2) != 0 ? FindNearestOfSide(x, z, SIDE_PARTY)
                                     : FindWeakestOfSide(x, z, SIDE_PARTY);
    unit->stateFn = unit->target != nullptr ? ApproachTargetState : TurnEndState;
}

void EnemyAiCaster(BattleUnit* unit) {
    unit->stateFn = CountWoundedOfSide(SIDE_ENEMY, ENEMY_WOUNDED_DIVISOR) >= 1 ? ChooseHealSpell
                                                                               : ChooseAttackSpell;
}

void ChooseAttackSpell(BattleUnit* unit) {
    unit->skillId = RandomInt(ATTACK_SKILL_CHOICES);
    const SkillRecord* row = SkillRow(unit->skillId);
    if (row != nullptr && row->targetCount == 1) {
        unit->stateFn = ChooseSpellTarget;
    } else {
        CastChosenSkill(unit);
    }
}

void ChooseSpellTarget(BattleUnit* unit) {
    const float x = unit->position.x;
    const float z = unit->position.z;
    unit->target = RandomInt(2) != 0 ? FindFarthestOfSide(x, z, SIDE_PARTY)
                                     : FindWeakestOfSide(x, z, SIDE_PARTY);
    if (unit->target == nullptr) {
        unit->stateFn = TurnEndState;
        return;
    }
    FaceTowards(unit, unit->target);
    CastChosenSkill(unit);
}

void ChooseHealSpell(BattleUnit* unit) {
    const int wounded = CountWoundedOfSide(SIDE_ENEMY, ENEMY_WOUNDED_DIVISOR);
    if (wounded == 1 || SkillLevel(HEAL_ALL_SKILL) > unit->record.level) {
        unit->skillId = HEAL_ONE_SKILL;
        unit->target = FindLowestHpOfSide(unit, SIDE_ENEMY);
        if (unit->target == nullptr) {
            unit->stateFn = TurnEndState;
            return;
        }
        if (unit->target != unit) {
            FaceTowards(unit, unit->target);
        }
    } else {
        unit->skillId = HEAL_ALL_SKILL;
    }
    CastChosenSkill(unit);
}

void EnemyAiCasterAlt(BattleUnit* unit) {
    if (CountWoundedOfSide(SIDE_ENEMY, ENEMY_WOUNDED_DIVISOR) == 0) {
        unit->skillId = VOLLEY_SKILL;
        CastChosenSkill(unit);
    } else {
        unit->stateFn = ChooseHealSpell;
    }
}

void EnemyAiWarp(BattleUnit* unit) {
    Ranked candidates[UNIT_TARGET_MAX];
    const size_t count = CollectSide(
        SIDE_PARTY,
        [](const BattleUnit* u) {
            return u->record.hp > 0 && u->stateFn == UnitIdleState && !IsSurrounded(u);
        },
        candidates);
    if (count == 0) {
        unit->stateFn = EnemyAiCaster;
        return;
    }
    const float x = unit->position.x;
    const float z = unit->position.z;
    switch (RandomInt(WARP_TARGET_CHOICES)) {
        case 0:
            unit->target = FirstRanked(candidates, count, HitPoints, false);
            break;
        case 1:
            unit->target = FirstRanked(candidates, count, DistanceFrom(x, z), true);
            break;
        default:
            unit->target = FirstRanked(candidates, count, DistanceFrom(x, z), false);
            break;
    }
    unit->animCounter = WARP_PAUSE_FRAMES;
    unit->stateFn = WarpOutState;
    Park(unit);
    RequestSound(SOUND_WARP, 0);
}

void WarpOutState(BattleUnit* unit) {
    --unit->animCounter;
    if (unit->animCounter <= 0) {
        unit->animCounter = WARP_PAUSE_FRAMES;
        unit->stateFn = WarpInState;
        RequestSound(SOUND_WARP, 0);
    }
}

void WarpInState(BattleUnit* unit) {
    const BattleUnit* target = unit->target;
    const int32_t heading = IsLiveBattleUnit(target) ? PickFreeNeighbourAngle(target) : NO_HEADING;
    if (heading < 0) {
        // Nowhere to appear: the unit stays parked and goes straight on to its return.
        unit->animCounter = WARP_PAUSE_FRAMES;
        unit->stateFn = WarpAwayState;
        return;
    }
    const float h = static_cast<float>(heading);
    float x = 0.0f;
    float z = 0.0f;
    OffsetByAngle(&x, &z, target->position.x, target->position.z, h, StepLengthForHeading(h));
    SnapToCellCentre(x, z, BATTLE_GRID_SIZE, BATTLE_GRID_SIZE, &unit->position.x,
                     &unit->position.z);
    if (GetGroundDistance(unit->position.x, unit->position.z, target->position.x,
                          target->position.z) < MELEE_REACH) {
        unit->animCounter = MELEE_SWING_FRAMES;
        unit->stateFn = WarpWindupState;
        FaceTowards(unit, target);
    } else {
        unit->animCounter = WARP_PAUSE_FRAMES;
        unit->stateFn = WarpAwayState;
    }
}

void WarpWindupState(BattleUnit* unit) {
    if (StepMeleeWindup(unit) != 0) {
        unit->stateFn = WarpSwingState;
    }
}

void WarpSwingState(BattleUnit* unit) {
    if (StepMeleeSwing(unit) == 0) {
        return;
    }
    unit->animCounter = WARP_PAUSE_FRAMES;
    unit->stateFn = WarpAwayState;
    StrikeMeleeTarget(unit);
}

void WarpAwayState(BattleUnit* unit) {
    --unit->animCounter;
    if (unit->animCounter > 0) {
        return;
    }
    unit->animCounter = 0;
    // The struck unit's reaction, or its sinking, is seen through before the unit vanishes.
    if (IsAnyOtherUnitActing(unit)) {
        return;
    }
    unit->animCounter = WARP_PAUSE_FRAMES;
    unit->stateFn = WarpReturnState;
    Park(unit);
    RequestSound(SOUND_WARP, 0);
}

void WarpReturnState(BattleUnit* unit) {
    --unit->animCounter;
    if (unit->animCounter > 0) {
        return;
    }
    unit->animCounter = WARP_PAUSE_FRAMES;
    unit->stateFn = WarpFinishState;
    // A full field cannot happen with the units a battle holds; the unit would stay parked.
    PickRandomFreeCell(&unit->position.x, &unit->position.z);
    RequestSound(SOUND_WARP, 0);
}

void WarpFinishState(BattleUnit* unit) {
    --unit->animCounter;
    if (unit->animCounter < 1) {
        unit->stateFn = TurnEndState;
    }
}

void EnemyAiLoner(BattleUnit* unit) {
    if (EnemyAiLonerDecision(unit) == 0) {
        unit->stateFn = EnemyAiApproach;
    }
}

int EnemyAiLonerDecision(BattleUnit* unit) {
    if (RandomInt(2) == 0) {
        if (CanFlee(unit)) {
            RequestSound(SOUND_ENEMY_FLEES, 0);
            unit->stateFn = EnemyFleeState;
            return 1;
        }
    } else if (CallReinforcement(unit)) {
        RequestSound(SOUND_REINFORCEMENT, 0);
        unit->stateFn = WaitUntilIdleState;
        return 1;
    }
    return 0;
}

bool CanFlee(const BattleUnit* unit) {
    return CountUnitsOfSide(SIDE_ENEMY) <= 1 && IsExitPathBlocked(unit, FLEE_HEADING) == 0;
}

bool CallReinforcement(BattleUnit* unit) {
    if (CountUnitsOfSide(SIDE_ENEMY) > 1) {
        return false;
    }
    const float x = PickFreeEntryColumn();
    if (x >= NO_ENTRY_COLUMN) {
        return false;
    }
    BattleUnit* copy = SpawnBattleUnit(unit->record, x, BATTLE_UNIT_HEIGHT, REINFORCEMENT_ENTRY_Z,
                                       REINFORCEMENT_FACING);
    if (copy == nullptr) {
        return false;
    }
    copy->animCounter = WARP_PAUSE_FRAMES;
    copy->stateFn = ReinforcementWaitState;
    AddBattleRewards(copy->record.goldReward, copy->record.exp);
    return true;
}

float PickFreeEntryColumn() {
    float free[REINFORCEMENT_COLUMNS];
    int32_t count = 0;
    for (int32_t i = 0; i < REINFORCEMENT_COLUMNS; ++i) {
        const float x = REINFORCEMENT_FIRST_COLUMN + CELL_PITCH * static_cast<float>(i);
        if (!IsColumnTaken(x)) {
            free[count++] = x;
        }
    }
    return count > 0 ? free[RandomInt(count)] : NO_ENTRY_COLUMN;
}

bool IsColumnTaken(float x) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && x - unit->position.x < COLUMN_NEAR &&
            unit->position.x - x < COLUMN_NEAR) {
            return true;
        }
    }
    return false;
}

void AddBattleRewards(int32_t gold, int32_t exp) {
    BattleController* controller = ActiveBattle();
    if (controller == nullptr) {
        return;
    }
    // Kept in range: a copy of a copy keeps adding.
    controller->goldTotal = SaturatingAdd(controller->goldTotal, gold);
    controller->expTotal = SaturatingAdd(controller->expTotal, exp);
}

void ReinforcementWaitState(BattleUnit* unit) {
    --unit->animCounter;
    if (unit->animCounter > 0) {
        return;
    }
    unit->animCounter = 0;
    unit->waypoint = RandomInt(2) == 0 ? SHORT_ENTRY_CELLS : LONG_ENTRY_CELLS;
    unit->stateFn = ReinforcementEnterState;
}

void ReinforcementEnterState(BattleUnit* unit) {
    unit->position.z -= ENTRY_STEP;
    ++unit->animCounter;
    if (unit->animCounter >= ENTRY_FRAMES_PER_CELL) {
        unit->animCounter = 0;
        RequestSound(SOUND_FOOTSTEP, 0);
        --unit->waypoint;
    }
    if (unit->waypoint < 1) {
        unit->stateFn = TurnEndState;
    }
}

void WaitUntilIdleState(BattleUnit* unit) {
    int acting = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* other = LiveBattleUnitAt(slot);
        acting += other != nullptr && other->stateFn != UnitIdleState ? 1 : 0;
    }
    if (acting <= 1) {
        unit->stateFn = TurnEndState;
    }
}
