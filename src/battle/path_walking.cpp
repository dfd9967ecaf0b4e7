// The approach and retreat walks along the planner's chosen path.
#include "battle/path_walking.h"

#include "battle/battle_field.h"
#include "battle/battle_states.h"
#include "battle/movement_planner.h"
#include "engine/sound.h"
#include "field/map_data.h"

namespace {

// The last index a path has; a walk never reads beyond it.
constexpr int32_t WAYPOINT_LAST = PATH_POINT_MAX - 1;
// A walk with less budget than one orthogonal step does not start.
constexpr float WALK_BUDGET_MIN = 2.0f;
constexpr int32_t COMPASS_HEADINGS = 8;
constexpr int32_t COMPASS_STEP = 45;

struct CompassStep {
    float dx;
    float dz;
};

// By heading / 45, counter-clockwise from +x.
constexpr CompassStep COMPASS_STEPS[COMPASS_HEADINGS] = {
    {+STEP_PER_FRAME, 0.0f}, {+STEP_PER_FRAME, +STEP_PER_FRAME},
    {0.0f, +STEP_PER_FRAME}, {-STEP_PER_FRAME, +STEP_PER_FRAME},
    {-STEP_PER_FRAME, 0.0f}, {-STEP_PER_FRAME, -STEP_PER_FRAME},
    {0.0f, -STEP_PER_FRAME}, {+STEP_PER_FRAME, -STEP_PER_FRAME},
};

constexpr int32_t KEEP_HEADING = -1;
// By [row change + 1][column change + 1]: columns grow towards +x, rows towards -z.
constexpr int32_t NEIGHBOUR_HEADINGS[3][3] = {
    {135, 90, 45},
    {180, KEEP_HEADING, 0},
    {225, 270, 315},
};

void FaceTowards(BattleUnit* unit, const BattleUnit* other) {
    unit->facing = AngleBetweenPoints(unit->position.x, unit->position.z, other->position.x,
                                      other->position.z);
}

// Sets up the step to the path point at waypoint; false when the path has no point there.
bool StartStepToWaypoint(BattleUnit* unit) {
    const int32_t path = pathPlanner.chosenPath;
    if (path < 0 || path >= PATH_COUNT || unit->waypoint < 0 || unit->waypoint > WAYPOINT_LAST) {
        return false;
    }
    const PathPoint& point = pathPlanner.candidatePaths[path][unit->waypoint];
    if (!(point.x < PATH_POINT_EMPTY && point.z < PATH_POINT_EMPTY)) {
        return false;
    }
    unit->stepTarget = {point.x, BATTLE_UNIT_HEIGHT, point.z};
    unit->stepFrames = STEP_FRAMES;
    SetHeadingFromCellDelta(unit);
    RequestSound(SOUND_FOOTSTEP, 0);
    ++unit->waypoint;
    return true;
}

// One frame of a step; true when the step is done.
bool AdvanceStep(BattleUnit* unit) {
    StepAlongHeading(unit);
    --unit->stepFrames;
    return unit->stepFrames <= 0;
}

}  // namespace

void SetHeadingFromCellDelta(BattleUnit* unit) {
    int32_t column = 0;
    int32_t row = 0;
    int32_t toColumn = 0;
    int32_t toRow = 0;
    WorldToFieldColumnRow(unit->position.x, unit->position.z, &column, &row);
    WorldToFieldColumnRow(unit->stepTarget.x, unit->stepTarget.z, &toColumn, &toRow);
    // Differences taken wide: columns of points far off the field may be large.
    const int64_t columnChange = static_cast<int64_t>(toColumn) - column;
    const int64_t rowChange = static_cast<int64_t>(toRow) - row;
    if (columnChange < -1 || columnChange > 1 || rowChange < -1 || rowChange > 1) {
        return;
    }
    const int32_t heading = NEIGHBOUR_HEADINGS[rowChange + 1][columnChange + 1];
    if (heading != KEEP_HEADING) {
        unit->stepHeading = heading;
    }
}

void StepAlongHeading(BattleUnit* unit) {
    const int32_t heading = unit->stepHeading;
    if (heading < 0 || heading % COMPASS_STEP != 0 || heading / COMPASS_STEP >= COMPASS_HEADINGS) {
        return;
    }
    const CompassStep& step = COMPASS_STEPS[heading / COMPASS_STEP];
    unit->facing = static_cast<float>(heading);
    unit->position.x += step.dx;
    unit->position.z += step.dz;
}

float UnitGroundDistance(const BattleUnit* a, const BattleUnit* b) {
    return GetGroundDistance(a->position.x, a->position.z, b->position.x, b->position.z);
}

BattleUnit* FindSideUnitWithin(const BattleUnit* unit, int32_t side, float reach) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        BattleUnit* other = LiveBattleUnitAt(slot);
        if (other != nullptr && other->record.side == side &&
            UnitGroundDistance(unit, other) <= reach) {
            return other;
        }
    }
    return nullptr;
}

BattleUnit* FindMeleeTarget(BattleUnit* unit, float reach) {
    if (IsLiveBattleUnit(unit->target) && UnitGroundDistance(unit, unit->target) <= reach) {
        return unit->target;
    }
    BattleUnit* found = FindSideUnitWithin(unit, 1 - unit->record.side, reach);
    if (found != nullptr) {
        unit->target = found;
    }
    return found;
}

void ApproachTargetState(BattleUnit* unit) {
    // The target may have left the field since it was chosen: the action ends.
    if (!IsLiveBattleUnit(unit->target)) {
        unit->stateFn = TurnEndState;
        return;
    }
    PlanApproachPaths(unit, unit->position.x, unit->position.z, unit->target->position.x,
                      unit->target->position.z);
    unit->moveBudget = UnitMoveBudget(unit);
    unit->waypoint = 1;
    unit->stateFn = WalkPathState;
}

void WalkPathState(BattleUnit* unit) {
    // The planned path already keeps to the budget, so it is only looked at here.
    if (unit->moveBudget < WALK_BUDGET_MIN) {
        unit->stateFn = CheckMeleeReachState;
        return;
    }
    if (!IsLiveBattleUnit(unit->target)) {
        unit->stateFn = TurnEndState;
        return;
    }
    // Asked before every waypoint, so the unit stops as soon as it stands next to the target,
    // diagonally too.
    if (UnitGroundDistance(unit, unit->target) <= MELEE_REACH) {
        FaceTowards(unit, unit->target);
        unit->stateFn = BeginMeleeAttack;
        return;
    }
    if (unit->waypoint > WAYPOINT_LAST) {
        unit->waypoint = WAYPOINT_LAST;
        unit->stateFn = CheckMeleeReachState;
        return;
    }
    unit->stateFn = StartStepToWaypoint(unit) ? StepState : CheckMeleeReachState;
}

void StepState(BattleUnit* unit) {
    if (AdvanceStep(unit)) {
        unit->stateFn = WalkPathState;
    }
}

void CheckMeleeReachState(BattleUnit* unit) {
    BattleUnit* target = FindMeleeTarget(unit, MELEE_REACH);
    if (target == nullptr) {
        unit->stateFn = TurnEndState;
        return;
    }
    unit->target = target;
    unit->stateFn = BeginMeleeAttack;
    FaceTowards(unit, target);
}

void RetreatWalkState(BattleUnit* unit) {
    if (unit->moveBudget < WALK_BUDGET_MIN) {
        unit->stateFn = TurnEndState;
    } else if (unit->waypoint > WAYPOINT_LAST) {
        unit->waypoint = WAYPOINT_LAST;
        unit->stateFn = TurnEndState;
    } else {
        unit->stateFn = StartStepToWaypoint(unit) ? RetreatStepState : TurnEndState;
    }
}

void RetreatStepState(BattleUnit* unit) {
    if (AdvanceStep(unit)) {
        unit->stateFn = RetreatWalkState;
    }
}
