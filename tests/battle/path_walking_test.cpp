// Walking a planned path: each step reaches the neighbouring cell it heads for, the approach
// hands over to the strike as soon as the target is within reach, and a path that runs out
// strikes whoever is within reach.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "battle/battle_fixture.h"
#include "battle/movement_planner.h"
#include "battle/path_walking.h"
#include "engine/sound.h"

namespace {

class PathWalkingTest : public BattleTest {
  protected:
    // Party unit 10 against enemy 14, alone on the field with the controller watching.
    void SetUp() override {
        BattleTest::SetUp();
        BeginPastOpening()->stateFn = WatchUnitTurn;
        attacker = LiveBattleUnitAt(10);
        target = LiveBattleUnitAt(14);
        ClearOthers();
    }
    void ClearOthers() {
        for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
            if (s != 10 && s != 14) {
                TaskAt(s)->inUse = 0;
            }
        }
    }
    static void Put(BattleUnit* u, float x, float z) { u->position = {x, 0.15f, z}; }
    BattleUnit* attacker = nullptr;
    BattleUnit* target = nullptr;
};

TEST_F(PathWalkingTest, EachStepReachesTheNeighbourItHeadsForFacingIt) {
    BattleUnit* u = attacker;
    // Past the last compass heading: a step along it must move nothing.
    constexpr int32_t untouched = 360;
    for (float dx : {-4.0f, -2.0f, 0.0f, 2.0f, 4.0f}) {
        for (float dz : {-4.0f, -2.0f, 0.0f, 2.0f}) {
            Put(u, -1.0f, -1.0f);
            u->stepTarget = {-1.0f + dx, 0.15f, -1.0f + dz};
            u->stepHeading = untouched;
            u->facing = 7.0f;
            SetHeadingFromCellDelta(u);
            for (int frame = 0; frame < STEP_FRAMES; ++frame) {
                StepAlongHeading(u);
            }
            const bool neighbour =
                std::fabs(dx) <= 2.0f && std::fabs(dz) <= 2.0f && (dx != 0.0f || dz != 0.0f);
            if (!neighbour) {
                // Not a neighbour: the heading stays.
                EXPECT_EQ(std::tuple(u->stepHeading, u->facing, u->position.x, u->position.z),
                          std::tuple(untouched, 7.0f, -1.0f, -1.0f))
                    << dx << "," << dz;
                continue;
            }
            const double angle =
                std::fmod(AngleBetweenPoints(-1.0f, -1.0f, -1.0f + dx, -1.0f + dz) + 360.0, 360.0);
            EXPECT_EQ(std::tuple(u->position.x, u->position.z, u->facing),
                      std::tuple(u->stepTarget.x, u->stepTarget.z,
                                 static_cast<float>(std::lround(angle))))
                << dx << "," << dz;
        }
    }
}

TEST_F(PathWalkingTest, ApproachStepsCellByCellAndHandsOverOnceTheTargetIsInReach) {
    // From the start to the target: frames until the strike, footsteps, where and how it stands.
    using Row = std::tuple<float, float, float, float, int, int, float, float, float>;
    for (auto [ax, az, tx, tz, frames, steps, ex, ez, facing] :
         {Row{-1, -3, -1, 7, 22, 4, -1, 5, 90}, Row{-1, -3, 1, -1, 2, 0, -1, -3, 45}}) {
        Put(attacker, ax, az);
        Put(target, tx, tz);
        attacker->target = target;
        attacker->stateFn = ApproachTargetState;
        int frame = 0;
        int footsteps = 0;
        while (attacker->stateFn != BeginMeleeAttack && frame < 100) {
            game->Frame();
            ++frame;
            footsteps += static_cast<int>(soundRequests[SOUND_FOOTSTEP].requested);
        }
        EXPECT_EQ(std::tuple(frame, footsteps, attacker->position.x, attacker->position.z),
                  std::tuple(frames, steps, ex, ez))
            << tx << "," << tz;
        EXPECT_NEAR(attacker->facing, facing, 1e-3);
    }
}

TEST_F(PathWalkingTest, AnEndedPathStrikesTheTargetOrTheFirstFoeInReachInSlotOrder) {
    // Others: side, x, z in slot order from 11; want: -1 none, 0 the target, n the n-th other.
    struct Row {
        bool hasTarget;
        float tx, tz;
        std::vector<std::tuple<int32_t, float, float>> others;
        int want;
    };
    const std::vector<Row> rows = {
        {true, 1, 1, {{SIDE_ENEMY, -1, 1}}, 0},
        {true, 9, 9, {{SIDE_PARTY, 1, -1}, {SIDE_ENEMY, 1, 1}, {SIDE_ENEMY, -1, 1}}, 2},
        {false, 9, 9, {{SIDE_ENEMY, 1, -1}}, 1},
        {true, 9, 9, {{SIDE_ENEMY, 3, 3}, {SIDE_PARTY, -1, 1}}, -1},
    };
    for (const Row& row : rows) {
        ClearOthers();
        Put(attacker, -1, -1);
        Put(target, row.tx, row.tz);
        std::vector<BattleUnit*> others;
        for (auto [side, x, z] : row.others) {
            CharacterRecord record = target->record;
            record.side = side;
            others.push_back(SpawnBattleUnit(record, x, 0.15f, z, 0));
        }
        attacker->target = row.hasTarget ? target : nullptr;
        attacker->stateFn = CheckMeleeReachState;
        CheckMeleeReachState(attacker);
        BattleUnit* want = row.want < 0 ? (row.hasTarget ? target : nullptr)
                                        : (row.want == 0 ? target : others[row.want - 1]);
        EXPECT_EQ(std::pair(attacker->stateFn, attacker->target),
                  std::pair(row.want < 0 ? &TurnEndState : &BeginMeleeAttack, want))
            << row.tx << " " << row.others.size();
    }
    // A target that has left the field ends the action before any planning.
    ClearOthers();
    attacker->target = target;
    TaskAt(14)->inUse = 0;
    attacker->stateFn = ApproachTargetState;
    ApproachTargetState(attacker);
    EXPECT_EQ(attacker->stateFn, TurnEndState);
}

}  // namespace
