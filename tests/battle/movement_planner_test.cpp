// The movement planner: the heading helpers, worked plans towards a held goal past other units
// (with the drift of the game's pi deciding between paths), and cells off the grid.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "battle/battle_field.h"
#include "battle/movement_planner.h"
#include "platform/headless/headless.h"

namespace {

constexpr float TOLERANCE = 1e-3f;

class MovementPlannerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_TRUE(CreateTaskPool());
        InitBattleGrid();
    }
    void TearDown() override { DestroyTaskPool(); }
    static BattleUnit* Place(PathPoint at, float move = 8.0f) {
        CharacterRecord record{};
        record.move = move;
        return SpawnBattleUnit(record, at.x, BATTLE_UNIT_HEIGHT, at.z, 0.0f);
    }
};

TEST_F(MovementPlannerTest, HeadingHelpers) {
    const std::pair<PathPoint, float> angles[] = {
        {{1, 0}, 0},           {{1, 1}, 45.00004f},   {{0, 1}, 90},
        {{-1, 1}, 134.99997f}, {{-1, 0}, 180},        {{-1, -1}, 225.00003f},
        {{0, -1}, 270},        {{1, -1}, -45.00004f}, {{0, 0}, 270}};
    for (auto [to, want] : angles) {
        EXPECT_NEAR(AngleBetweenPoints(3, 5, 3 + to.x, 5 + to.z), want, TOLERANCE) << to.x << to.z;
    }
    for (auto [angle, want] : {std::pair(22.5f, 0.0f), {67.5f, 45.0f}, {350.0f, 315.0f}}) {
        EXPECT_EQ(SnapAngleTo45(angle), want) << angle;
    }
    const std::pair<float, float> steps[] = {{360, 2},       {405, 2.8284f},  {630, 2},
                                             {-45, 2.8284f}, {-315, 2.8284f}, {90.5f, 2}};
    for (auto [heading, want] : steps) {
        EXPECT_EQ(StepLengthForHeading(heading), want) << heading;
    }
    EXPECT_EQ(std::pair(MoveBudgetFromStat(8), MoveBudgetFromStat(12)), std::pair(12.0f, 13.0f));
}

struct Plan {
    PathPoint start, goal;
    std::vector<PathPoint> others;
    float move;
    // Waypoints after the start, with the paths that hold them.
    std::vector<std::pair<std::vector<int>, std::vector<PathPoint>>> paths;
    std::array<int32_t, PATH_COUNT> costs;
    std::array<float, PATH_COUNT> ends;
    std::array<int32_t, PATH_COUNT> order;
    int32_t budget;
};

TEST_F(MovementPlannerTest, WorkedPlans) {
    const std::vector<int> all = {0, 1, 2, 3};
    const float r8 = std::sqrt(8.0f);
    const std::vector<PathPoint> ring = {{-1, -1}, {1, -1}, {3, -1}, {-1, 1},
                                         {3, 1},   {-1, 3}, {1, 3},  {3, 3}};
    // clang-format off
    const Plan plans[] = {
        {{-1, -3}, {1, -1}, {}, 8, {{all, {}}}, {0, 0, 0, 0}, {r8, r8, r8, r8}, {0, 1, 2, 3}, 12},
        {{-1, -3}, {-1, 7}, {}, 8, {{all, {{-0.9984f, -1}, {-0.9968f, 1}, {-0.9952f, 3},
                                           {-0.9936f, 5}}}},
         {8, 8, 8, 8}, {2, 2, 2, 2}, {0, 1, 2, 3}, 4},
        // Behind a blocker the two sides end 2.0048 and 1.9984 away: only the drift tells.
        {{-7, 1}, {1, 1}, {{-3, 1}}, 8,
         {{{0, 2}, {{-5, 1}, {-2.9992f, 2.9992f}, {-1.0048f, 0.9936f}}},
          {{1, 3}, {{-5, 1}, {-2.9992f, -0.9992f}, {-0.9984f, 1}}}},
         {8, 8, 8, 8}, {2.0048f, 1.9984f, 2.0048f, 1.9984f}, {1, 3, 2, 0}, 4},
        {{-11, -3}, {-11, 11}, {{-11, -1}, {-9, -1}, {-13, -1}}, 8,
         {{{1, 3}, {{-9, -3}, {-6.9992f, -1.0008f}, {-6.9976f, 0.9992f}, {-6.9960f, 2.9992f},
                    {-8.9936f, 5.0016f}}}},
         {11, 12, 12, 12}, {12.6476f, 6.3251f, 24.0820f, 6.3251f}, {1, 3, 0, 2}, 0},
        // Nearer by a drift is not nearer: the cheaper paths win, and of those the exchange
        // sort puts path 2 first. Heading 333 snaps to 315, and 315 + 45 stays 360.
        {{-5, 7}, {3, 3}, {{-1, 3}}, 8,
         {{{0, 2}, {{-3.0056f, 4.9945f}, {-1.0056f, 4.9881f}, {0.9888f, 2.9825f}}},
          {{1, 3}, {{-3.0056f, 4.9945f}, {-3.0104f, 2.9945f}, {-1.0096f, 0.9953f},
                    {0.9912f, 2.9945f}}}},
         {8, 11, 8, 11}, {2.0113f, 2.0088f, 2.0113f, 2.0088f}, {2, 0, 1, 3}, 1},
        // The last 2 of the budget still pay for a diagonal step.
        {{-13, -13}, {-7, 11}, {}, 8,
         {{all, {{-12.9984f, -11}, {-12.9968f, -9}, {-12.9952f, -7}, {-12.9936f, -5},
                 {-12.9920f, -3}, {-10.9913f, -1.0008f}}}},
         {13, 13, 13, 13}, {12.6471f, 12.6471f, 12.6471f, 12.6471f}, {0, 1, 2, 3}, -1},
        {{-13, -13}, {-7, 11}, {}, 12, {}, {13, 13, 13, 13}, {}, {0, 1, 2, 3}, 0},
        {{1, 1}, {9, 9}, ring, 8, {{all, {}}}, {0, 0, 0, 0}, {}, {0, 1, 2, 3}, 12},
        // From the corner cell five neighbours lie off the grid and three on its border.
        {{17, -17}, {-1, 7}, {}, 8, {{all, {}}}, {0, 0, 0, 0}, {}, {0, 1, 2, 3}, 12},
    };
    // clang-format on
    for (const Plan& plan : plans) {
        SCOPED_TRACE(testing::Message() << plan.start.x << ", " << plan.start.z << " to "
                                        << plan.goal.x << ", " << plan.goal.z);
        ClearTaskPool();
        const BattleUnit* unit = Place(plan.start, plan.move);
        Place(plan.goal);
        for (PathPoint other : plan.others) {
            Place(other);
        }
        PlanApproachPaths(unit, plan.start.x, plan.start.z, plan.goal.x, plan.goal.z);
        for (const auto& [paths, waypoints] : plan.paths) {
            for (int k : paths) {
                const PathPoint* got = pathPlanner.candidatePaths[k];
                EXPECT_EQ(std::pair(got[0].x, got[0].z), std::pair(plan.start.x, plan.start.z));
                for (size_t i = 0; i < waypoints.size(); ++i) {
                    EXPECT_NEAR(got[i + 1].x, waypoints[i].x, TOLERANCE) << k << ":" << i;
                    EXPECT_NEAR(got[i + 1].z, waypoints[i].z, TOLERANCE) << k << ":" << i;
                }
                EXPECT_EQ(got[waypoints.size() + 1].x, PATH_POINT_EMPTY) << k;
            }
        }
        for (int k = 0; k < PATH_COUNT; ++k) {
            if (plan.ends[k] != 0.0f) {
                EXPECT_NEAR(pathPlanner.endDistances[k], plan.ends[k], TOLERANCE) << k;
            }
            EXPECT_EQ(pathPlanner.pathCosts[k], plan.costs[k]) << k;
            EXPECT_EQ(pathPlanner.pathOrder[k], plan.order[k]) << k;
        }
        EXPECT_EQ(pathPlanner.chosenPath, plan.order[0]);
        EXPECT_EQ(std::pair(pathPlanner.planBudget, pathPlanner.pointCount),
                  std::pair(plan.budget, 1));
    }
}

TEST_F(MovementPlannerTest, CellsOffTheGridAreBlockedAndNeverAliasAnother) {
    // Column 20 of row 5 and column -4 of row 6 have the flat indexes of walkable cells.
    const std::pair<PathPoint, bool> blocked[] = {
        {{23, 7}, true}, {{-25, 5}, true}, {{0, 40}, true},   {{0, -40}, true},
        {{40, 0}, true}, {{17, 0}, true},  {{-13, 5}, false}, {{13, -13}, false}};
    for (auto [at, want] : blocked) {
        EXPECT_EQ(IsFieldCellBlocked(at.x, at.z), want) << at.x << ", " << at.z;
    }
    // A unit off the grid, a unit gone from the turn and the planning unit itself.
    Place({23, 7});
    Place({1, 1})->active = 0;
    const BattleUnit* self = Place({5, 5});
    const std::tuple<const BattleUnit*, PathPoint, bool> held[] = {
        {self, {-13, 5}, false}, {self, {1.5f, 0.5f}, true}, {self, {5, 5}, false},
        {nullptr, {5, 5}, true}, {self, {23, 7}, true},      {self, {3, 5}, false}};
    for (auto [unit, at, want] : held) {
        EXPECT_EQ(IsFieldCellOccupied(unit, at.x, at.z), want) << at.x << ", " << at.z;
    }
}

}  // namespace
