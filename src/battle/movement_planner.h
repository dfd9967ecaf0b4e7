// How battle units choose where to walk: four greedy candidate paths towards a goal over the
// battle field, one of which the acting unit then walks; the heading and step geometry the
// other battle code shares; and the one sorting rule of the battle code.
#pragma once

#include <cstdint>
#include <span>
#include <utility>

#include "battle/battle_unit.h"

constexpr int PATH_COUNT = 4;
constexpr int PATH_POINT_MAX = 36;
// A path stops growing at this many points, so its last point always stays empty.
constexpr int PATH_POINT_LIMIT = 35;
constexpr float PATH_POINT_EMPTY = 50000.0f;
constexpr float MELEE_REACH = 2.9f;
constexpr float STEP_LENGTH_ORTHOGONAL = 2.0f;
constexpr float STEP_LENGTH_DIAGONAL = 2.8284f;
constexpr int32_t STEP_COST_ORTHOGONAL = 2;
constexpr int32_t STEP_COST_DIAGONAL = 3;
constexpr float PATH_TIE_TOLERANCE = 0.1f;

struct PathPoint {
    float x;
    float z;
};

// Only one unit acts at a time: it fills the planner and then walks from it.
struct PathPlanner {
    PathPoint candidatePaths[PATH_COUNT][PATH_POINT_MAX];
    int32_t pathCosts[PATH_COUNT];
    int32_t pathOrder[PATH_COUNT];
    int32_t chosenPath;
    int32_t pointCount;
    int32_t planBudget;
    float endDistances[PATH_COUNT];
    float goalX;
    float goalZ;
};

extern PathPlanner pathPlanner;
// The heading offsets each path tries, in its order of preference.
extern const float HEADING_ORDERS[PATH_COUNT][8];

// For each entry from the first, every later entry that comes strictly before it by the key is
// swapped into its place at once. Entries that tie are never swapped with each other, so which
// of them comes first depends on the swaps before: battles rely on exactly this order, so no
// other sort may stand in for it.
template <typename T, typename ComesBefore>
void ExchangeSort(std::span<T> entries, ComesBefore comesBefore) {
    for (size_t i = 0; i < entries.size(); ++i) {
        for (size_t j = i + 1; j < entries.size(); ++j) {
            if (comesBefore(entries[j], entries[i])) {
                std::swap(entries[i], entries[j]);
            }
        }
    }
}

// Degrees from point 1 towards point 2, in (-90, 270]: south-east comes out negative, and two
// equal points give 270.
float AngleBetweenPoints(float x1, float z1, float x2, float z2);
// The nearest multiple of 45 in 0..315, the smaller on a tie; no wrap, so 350 gives 315.
float SnapAngleTo45(float angle);
float StepLengthForHeading(float heading);
float MoveBudgetFromStat(float move);
// The unit's walking allowance: its move stat's budget (a stored record's stat that is no sane
// number counts as 0), and none for no unit.
float UnitMoveBudget(const BattleUnit* unit);

// Fills the planner with four paths from the start towards the goal and chooses one: its
// waypoint 1 is the first to walk to.
void PlanApproachPaths(const BattleUnit* unit, float startX, float startZ, float goalX,
                       float goalZ);
void ResetPathPlanner(float startX, float startZ, float goalX, float goalZ);
// A point's cell off the 18 by 18 grid counts as blocked.
bool IsFieldCellBlocked(float x, float z);
// Whether another battle unit, of either side and in any state, stands in the point's cell.
bool IsFieldCellOccupied(const BattleUnit* unit, float x, float z);
bool IsCellOnPath(float x, float z, int path);
bool IsPathPointFree(const BattleUnit* unit, float x, float z, int path);
