// The movement planner: four greedy paths towards a goal, and the choice of the one to walk.
#include "battle/movement_planner.h"

#include <cmath>

#include "battle/battle_field.h"
#include "render/camera.h"

PathPlanner pathPlanner;

const float HEADING_ORDERS[PATH_COUNT][8] = {
    {0, 45, -45, 90, -90, 135, -135, 180},
    {0, -45, 45, -90, 90, -135, 135, 180},
    {0, 45, 90, 135, 180, 225, 270, 315},
    {0, -45, -90, -135, -180, -225, -270, -315},
};

namespace {

// Headings between points take pi to five places; which cell a near-diagonal goal snaps to
// follows from that rounding, so it stays.
constexpr float HEADING_PI = 3.14159f;
constexpr float HEADING_RIGHT_ANGLE = 1.570795f;

// Floats beyond this (or not numbers) would make an undefined integer conversion.
constexpr float CONVERSION_LIMIT = 1e6f;

struct PathEntry {
    float endDistance;
    int32_t cost;
    int32_t index;
};

float GroundDistance(float x1, float z1, float x2, float z2) {
    const float dx = x2 - x1;
    const float dz = z2 - z1;
    return std::sqrt(dx * dx + dz * dz);
}

// Column and row apart: the flat index of two points off the grid may name the same cell
// although they lie rows apart.
bool IsSameFieldCell(float x1, float z1, float x2, float z2) {
    int32_t column1 = 0;
    int32_t row1 = 0;
    int32_t column2 = 0;
    int32_t row2 = 0;
    WorldToFieldColumnRow(x1, z1, &column1, &row1);
    WorldToFieldColumnRow(x2, z2, &column2, &row2);
    return column1 == column2 && row1 == row2;
}

const PathPoint& LastPoint(int path) {
    return pathPlanner.candidatePaths[path][pathPlanner.pointCount - 1];
}

float DistanceToGoal(int path) {
    const PathPoint& last = LastPoint(path);
    return GroundDistance(last.x, last.z, pathPlanner.goalX, pathPlanner.goalZ);
}

// One step of the path: the first free cell among its headings, tried from the snapped
// heading towards the goal. The headings are not brought back into 0..360, since the step's
// end point depends on the angle as given.
bool StepPathTowardGoal(const BattleUnit* unit, int path) {
    const PathPoint from = LastPoint(path);
    float heading = AngleBetweenPoints(from.x, from.z, pathPlanner.goalX, pathPlanner.goalZ);
    if (heading < 0.0f) {
        heading += 360.0f;
    }
    const float snapped = SnapAngleTo45(heading);
    for (float offset : HEADING_ORDERS[path]) {
        const float h = snapped + offset;
        const float length = StepLengthForHeading(h);
        PathPoint to{};
        OffsetByAngle(&to.x, &to.z, from.x, from.z, h, length);
        if (!IsPathPointFree(unit, to.x, to.z, path)) {
            continue;
        }
        pathPlanner.candidatePaths[path][pathPlanner.pointCount] = to;
        const int32_t cost =
            length <= STEP_LENGTH_ORTHOGONAL ? STEP_COST_ORTHOGONAL : STEP_COST_DIAGONAL;
        pathPlanner.planBudget -= cost;
        pathPlanner.pathCosts[path] += cost;
        ++pathPlanner.pointCount;
        return true;
    }
    return false;
}

// Grows the path until it is full, the budget is spent, the goal is in reach or it is stuck,
// in that order; a diagonal step may still be taken on the last 2 of the budget.
void ExtendPath(const BattleUnit* unit, int path) {
    while (pathPlanner.pointCount < PATH_POINT_LIMIT &&
           pathPlanner.planBudget >= STEP_COST_ORTHOGONAL && DistanceToGoal(path) >= MELEE_REACH) {
        if (!StepPathTowardGoal(unit, path)) {
            break;
        }
    }
    pathPlanner.endDistances[path] = DistanceToGoal(path);
    pathPlanner.pointCount = 1;
}

// The nearest paths, within the tolerance of each other, then the cheapest of those.
void ChooseCheapestPath() {
    PathEntry entries[PATH_COUNT];
    for (int32_t k = 0; k < PATH_COUNT; ++k) {
        entries[k] = {pathPlanner.endDistances[k], pathPlanner.pathCosts[k], k};
    }
    ExchangeSort(std::span<PathEntry>(entries), [](const PathEntry& a, const PathEntry& b) {
        return a.endDistance < b.endDistance;
    });
    size_t nearest = 1;
    while (nearest < PATH_COUNT &&
           entries[nearest].endDistance - entries[nearest - 1].endDistance < PATH_TIE_TOLERANCE) {
        ++nearest;
    }
    ExchangeSort(std::span<PathEntry>(entries, nearest),
                 [](const PathEntry& a, const PathEntry& b) { return a.cost < b.cost; });
    for (int32_t k = 0; k < PATH_COUNT; ++k) {
        pathPlanner.pathOrder[k] = entries[k].index;
    }
    pathPlanner.chosenPath = entries[0].index;
}

}  // namespace

float AngleBetweenPoints(float x1, float z1, float x2, float z2) {
    const float dx = x2 - x1;
    const float dz = z2 - z1;
    float r = dx == 0.0f ? HEADING_RIGHT_ANGLE : std::atan(dz / dx);
    if (dx < 0.0f || (dx == 0.0f && dz <= 0.0f)) {
        r += HEADING_PI;
    }
    return r * 180.0f / HEADING_PI;
}

float SnapAngleTo45(float angle) {
    float best = 0.0f;
    for (int32_t multiple = 45; multiple < 360; multiple += 45) {
        const float d = static_cast<float>(multiple);
        if (std::fabs(d - angle) < std::fabs(best - angle)) {
            best = d;
        }
    }
    return best;
}

float StepLengthForHeading(float heading) {
    if (!(heading > -CONVERSION_LIMIT && heading < CONVERSION_LIMIT)) {
        return STEP_LENGTH_ORTHOGONAL;
    }
    int32_t h = static_cast<int32_t>(heading);
    if (h > 360) {
        h -= 360;
    }
    if (h < 0) {
        h += 360;
    }
    return h == 45 || h == 135 || h == 225 || h == 315 ? STEP_LENGTH_DIAGONAL
                                                       : STEP_LENGTH_ORTHOGONAL;
}

float MoveBudgetFromStat(float move) {
    return move / 4.0f + 10.0f;
}

float UnitMoveBudget(const BattleUnit* unit) {
    if (unit == nullptr) {
        return 0.0f;
    }
    // A move stat from a stored record may be anything a float holds.
    const float move = unit->record.move;
    return MoveBudgetFromStat(move > -CONVERSION_LIMIT && move < CONVERSION_LIMIT ? move : 0.0f);
}

void ResetPathPlanner(float startX, float startZ, float goalX, float goalZ) {
    pathPlanner.chosenPath = 0;
    for (int32_t k = 0; k < PATH_COUNT; ++k) {
        pathPlanner.pathCosts[k] = 0;
        pathPlanner.pathOrder[k] = k;
        for (PathPoint& point : pathPlanner.candidatePaths[k]) {
            point = {PATH_POINT_EMPTY, PATH_POINT_EMPTY};
        }
        pathPlanner.candidatePaths[k][0] = {startX, startZ};
    }
    pathPlanner.pointCount = 1;
    pathPlanner.goalX = goalX;
    pathPlanner.goalZ = goalZ;
}

void PlanApproachPaths(const BattleUnit* unit, float startX, float startZ, float goalX,
                       float goalZ) {
    ResetPathPlanner(startX, startZ, goalX, goalZ);
    for (int path = 0; path < PATH_COUNT; ++path) {
        // Without a unit there is no move stat: the paths hold only the start.
        pathPlanner.planBudget = static_cast<int32_t>(UnitMoveBudget(unit));
        ExtendPath(unit, path);
    }
    ChooseCheapestPath();
}

bool IsFieldCellBlocked(float x, float z) {
    int32_t column = 0;
    int32_t row = 0;
    WorldToFieldColumnRow(x, z, &column, &row);
    return IsBattleCellBlocked(column, row);
}

bool IsFieldCellOccupied(const BattleUnit* unit, float x, float z) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const TaskSlot* task = TaskAt(slot);
        if (task == nullptr || task->inUse == 0 || task->kind != TASK_KIND_BATTLE_UNIT) {
            continue;
        }
        const BattleUnit* other = TaskPayload<BattleUnit>(task);
        if (other != unit && IsSameFieldCell(other->position.x, other->position.z, x, z)) {
            return true;
        }
    }
    return false;
}

bool IsCellOnPath(float x, float z, int path) {
    if (path < 0 || path >= PATH_COUNT) {
        return false;
    }
    const int32_t count =
        pathPlanner.pointCount < PATH_POINT_MAX ? pathPlanner.pointCount : PATH_POINT_MAX;
    for (int32_t i = 0; i < count; ++i) {
        const PathPoint& point = pathPlanner.candidatePaths[path][i];
        if (IsSameFieldCell(point.x, point.z, x, z)) {
            return true;
        }
    }
    return false;
}

bool IsPathPointFree(const BattleUnit* unit, float x, float z, int path) {
    return !IsFieldCellBlocked(x, z) && !IsFieldCellOccupied(unit, x, z) &&
           !IsCellOnPath(x, z, path);
}
