// Enemy behaviours: the pause and the choice by type; the approach and the casts on fixed draws,
// ties going to the earlier slot; the warp's choice, landing and timeline; and the lone
// survivor's flight and the copy it calls in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "battle/ai_fixture.h"
#include "battle/enemy_ai.h"
#include "battle/movement_planner.h"
#include "battle/path_walking.h"
#include "engine/sound.h"

namespace {

using EnemyAiTest = AiTest;
using Draws = std::vector<std::pair<int32_t, int32_t>>;  // n, and what RandomInt(n) gives

const CharacterRecord& Foe(int32_t kind = 1) {
    return enemyKinds[kind];
}
const CharacterRecord& Member() {
    return characterTemplates[1];
}
int32_t SeedFor(const Draws& draws) {
    return SeedDraws([&draws] {
        return std::all_of(draws.begin(), draws.end(),
                           [](auto d) { return RandomInt(d.first) == d.second; });
    });
}

TEST_F(EnemyAiTest, TheTurnPausesFortyFramesThenTheTypeChoosesTheBehaviour) {
    Put(Member(), -1, -9);
    BattleUnit* u = Put(Foe(), 1, 9);
    using Row = std::pair<int32_t, BattleUnitStateFn>;
    for (auto [ai, want] :
         {Row{0, EnemyAiLoner}, Row{1, EnemyAiApproach}, Row{2, EnemyAiCaster},
          Row{3, EnemyAiMixed}, Row{4, EnemyAiWarpOrCast}, Row{7, TurnEndState}}) {
        u->record.aiType = ai;
        TurnStartState(u);
        int frames = 0;
        for (; u->stateFn == EnemyTurnDelayState && frames < 100; ++frames) {
            u->stateFn(u);
        }
        u->stateFn(u);
        EXPECT_EQ(std::pair(frames, u->stateFn), std::pair(40, want)) << ai;
    }
}

TEST_F(EnemyAiTest, ApproachesAndCastsFollowTheDrawsTheWoundedAndTheLevel) {
    // Party 0..4: nearest, as near, weakest, as weak, farthest; then the caster 5 and allies.
    std::vector<BattleUnit*> units = {Put(Member(), 3, 1, 80),   Put(Member(), -1, 1, 80),
                                      Put(Member(), 7, -1, 60),  Put(Member(), -7, -5, 60),
                                      Put(Member(), -1, -9, 80), Put(Foe(9), 1, 9),
                                      Put(Foe(9), 3, 9),         Put(Foe(9), 5, 9)};
    BattleUnit* caster = units[5];
    // A third of the hit points is wounded. Target: an index above, or -1 for none.
    struct Row {
        BattleUnitStateFn entry;
        int32_t level;
        int32_t hp[3][2];  // of the caster and its allies
        Draws draws;
        BattleUnitStateFn want;
        int32_t skill;
        int target;
    };
    constexpr int32_t H = 100;
    const Row rows[] = {
        {EnemyAiApproach, 20, {{H, H}, {H, H}, {H, H}}, {{2, 1}}, ApproachTargetState, -1, 0},
        {EnemyAiApproach, 20, {{H, H}, {H, H}, {H, H}}, {{2, 0}}, ApproachTargetState, -1, 2},
        {EnemyAiMixed, 20, {{H, H}, {H, H}, {H, H}}, {{2, 0}, {2, 0}}, ApproachTargetState, -1, 2},
        {EnemyAiMixed,
         20,
         {{H, H}, {H, H}, {H, H}},
         {{2, 1}, {4, 1}, {2, 1}},
         WaitSkillEffectState,
         1,
         4},
        {EnemyAiCaster, 20, {{H, H}, {H, H}, {H, H}}, {{4, 0}, {2, 0}}, WaitSkillEffectState, 0, 2},
        {EnemyAiCaster, 20, {{H, H}, {H, H}, {H, H}}, {{4, 3}}, WaitSkillEffectState, 3, -1},
        {EnemyAiCaster, 20, {{H, H}, {34, H}, {H, H}}, {{4, 2}}, WaitSkillEffectState, 2, -1},
        // One wounded: the fewest hit points are healed, wounded or not.
        {EnemyAiCaster, 30, {{H, H}, {33, H}, {20, 25}}, {}, WaitSkillEffectState, 4, 7},
        {EnemyAiCaster, 19, {{H, H}, {33, H}, {20, H}}, {}, WaitSkillEffectState, 4, 7},
        {EnemyAiCaster, 20, {{H, H}, {33, H}, {20, H}}, {}, WaitSkillEffectState, 5, -1},
        {EnemyAiCaster, 20, {{10, H}, {90, H}, {90, H}}, {}, WaitSkillEffectState, 4, 5},
        {EnemyAiWarpOrCast, 20, {{H, H}, {H, H}, {H, H}}, {{2, 1}}, WaitSkillEffectState, 3, -1},
        {EnemyAiWarpOrCast, 20, {{H, H}, {33, H}, {20, 25}}, {{2, 1}}, WaitSkillEffectState, 4, 7},
    };
    for (const Row& row : rows) {
        for (int i = 0; i < 3; ++i) {
            std::tie(units[5 + i]->record.hp, units[5 + i]->record.hpMax) =
                std::pair(row.hp[i][0], row.hp[i][1]);
        }
        KillTasksOfKind(TASK_KIND_EFFECT);
        std::tie(caster->record.level, caster->facing, caster->target, caster->skillId) =
            std::tuple(row.level, 7.0f, nullptr, -1);
        caster->stateFn = row.entry;
        const int32_t next = SeedFor(row.draws);
        for (int i = 0; i < 5 && caster->stateFn != row.want; ++i) {
            caster->stateFn(caster);
        }
        const BattleUnit* target = row.target < 0 ? caster->target : units[row.target];
        const bool faces =
            row.want == WaitSkillEffectState && target != nullptr && target != caster;
        EXPECT_EQ(std::tuple(caster->stateFn, caster->skillId, caster->target, NextRandom()),
                  std::tuple(row.want, row.skill, target, next))
            << row.level << " " << row.hp[1][0] << " " << row.draws.size();
        EXPECT_EQ(caster->facing,
                  faces ? AngleBetweenPoints(1, 9, target->position.x, target->position.z) : 7.0f);
    }
}

TEST_F(EnemyAiTest, AWarperChoosesAmongIdleUnsurroundedLivingUnitsByItsDraw) {
    BattleUnit* surrounded = Put(Member(), -13, 13, 10);
    BattleUnit* weakest = Put(Member(), 5, -5, 50);
    BattleUnit* nearest = Put(Member(), -1, -1, 80);
    BattleUnit* farthest = Put(Member(), -5, -9, 80);
    Put(Member(), -1, -13)->stateFn = HitReactionState;
    Put(Member(), 1, 5, 0);
    for (auto [x, z] : {std::pair(-11, 13), std::pair(-13, 11), std::pair(-11, 11)}) {
        Put(Foe(), static_cast<float>(x), static_cast<float>(z));
    }
    BattleUnit* warper = Put(Foe(12), 1, 9);
    BattleUnit* const chosen[3] = {weakest, farthest, nearest};
    for (int32_t r = 0; r < 3; ++r) {
        const int32_t next = SeedFor({{3, r}});
        warper->position = {1, BATTLE_UNIT_HEIGHT, 9};
        ClearSoundRequests();
        EnemyAiWarp(warper);
        EXPECT_EQ(std::tuple(warper->target, warper->stateFn, warper->animCounter,
                             warper->position.x, soundRequests[SOUND_WARP].requested, NextRandom()),
                  std::tuple(chosen[r], &WarpOutState, 20, 100.0f, 1u, next))
            << r;
    }
    // With nobody to reach it casts instead, without a draw.
    for (BattleUnit* u : {weakest, nearest, farthest, surrounded}) {
        u->stateFn = HitReactionState;
    }
    const int32_t next = SeedFor({});
    EnemyAiWarp(warper);
    EXPECT_EQ(std::pair(warper->stateFn, NextRandom()), std::pair(&EnemyAiCaster, next));
}

TEST_F(EnemyAiTest, AWarpLandsOnAFreeNeighbourFromTheLargestHeadingDownThenOnAFreeCell) {
    // Target, units around it: the free headings in the order drawn from.
    using Row =
        std::tuple<float, float, std::vector<std::pair<float, float>>, std::vector<int32_t>>;
    for (const auto& [x, z, around, free] :
         {Row{-1, 1, {{1, 1}, {-1, 3}}, {315, 270, 225, 180, 135, 45}},
          Row{-13, 13, {}, {315, 270, 0}}, Row{-13, 13, {{-11, 13}, {-13, 11}, {-11, 11}}, {}}}) {
        Clear();
        BattleUnit* target = Put(Member(), x, z);
        for (auto [ax, az] : around) {
            Put(Foe(), ax, az);
        }
        EXPECT_EQ(IsSurrounded(target), free.empty());
        for (int32_t i = 0; i < static_cast<int32_t>(std::max<size_t>(free.size(), 1)); ++i) {
            const int32_t next =
                SeedFor(free.empty() ? Draws{} : Draws{{static_cast<int32_t>(free.size()), i}});
            const int32_t heading = PickFreeNeighbourAngle(target);
            EXPECT_EQ(std::pair(heading, NextRandom()),
                      std::pair(free.empty() ? -1 : free[i], next));
        }
    }
    // The way back: the drawn entry among the free centres, in rows from the north; the last
    // row's units hold the first centre.
    float x = 0.0f;
    float z = 0.0f;
    const int32_t next = SeedFor({{143, 1}});
    ASSERT_TRUE(PickRandomFreeCell(&x, &z));
    EXPECT_EQ(std::tuple(x, z, NextRandom()), std::tuple(-7.0f, 11.0f, next));
}

TEST_F(EnemyAiTest, AWarpVanishesStrikesWaitsForTheReactionAndReappearsOnAFreeCell) {
    // Whether the target's neighbours fill up while the warper is away: then it cannot strike.
    for (const bool walledIn : {false, true}) {
        Clear();
        BattleUnit* target = Put(Member(), -1, -1, 500);
        BattleUnit* warper = Put(Foe(12), 1, 9);
        warper->stateFn = EnemyAiWarp;
        std::vector<int> warps;
        int frame = 0;
        int reactionEnd = 0;
        bool struck = false;
        while (warper->stateFn != TurnEndState && frame < 600) {
            game->Frame();
            ++frame;
            for (float dx = -2; walledIn && frame == 1 && dx <= 2; dx += 2) {
                for (float dz = -2; dz <= 2; dz += 2) {
                    if (dx != 0 || dz != 0) {
                        Put(Foe(), -1 + dx, -1 + dz);
                    }
                }
            }
            if (soundRequests[SOUND_WARP].requested != 0) {
                warps.push_back(frame);
            }
            if (warper->stateFn == WarpWindupState && !struck) {
                struck = true;
                EXPECT_LT(UnitGroundDistance(warper, target), MELEE_REACH);
                EXPECT_EQ(std::fmod(warper->position.x + 1.0f, 2.0f), 0.0f);
            }
            reactionEnd = target->stateFn != UnitIdleState ? frame + 1 : reactionEnd;
        }
        EXPECT_EQ(std::pair(struck, target->record.hp < 500), std::pair(!walledIn, !walledIn));
        ASSERT_EQ(warps.size(), 4u);
        EXPECT_EQ(std::pair(warps[0], warps[1]), std::pair(1, 21));
        // Without a strike the warper stays away for its pause only.
        EXPECT_EQ(warps[2], walledIn ? 42 : std::max(reactionEnd, 62));
        EXPECT_EQ(std::pair(warps[3] - warps[2], frame - warps[3]), std::pair(20, 20));
        EXPECT_TRUE(IsInsideBattlefield(warper->position.x, warper->position.z));
    }
}

class LonerTest : public EnemyAiTest {
  protected:
    void SetUp() override {
        EnemyAiTest::SetUp();
        Place();
    }
    void Place() {
        Clear();
        Put(Member(), -5, -9);
        loner = Put(Foe(0), 1, 5);
        loner->stateFn = EnemyAiLoner;
    }
    BattleUnit* loner = nullptr;
};

TEST_F(LonerTest, OnlyTheLastEnemyFleesOrCallsACopyAndOtherwiseItApproaches) {
    // Coin, another enemy, a member on the way north, every entry column held: the next state.
    using Row = std::tuple<int32_t, bool, bool, bool, BattleUnitStateFn>;
    for (auto [coin, other, blocker, full, want] :
         {Row{0, false, false, false, EnemyFleeState}, Row{0, true, false, false, EnemyAiApproach},
          Row{0, false, true, false, EnemyAiApproach},
          Row{1, false, false, false, WaitUntilIdleState},
          Row{1, true, false, false, EnemyAiApproach},
          Row{1, false, false, true, EnemyAiApproach}}) {
        Place();
        if (other) {
            Put(Foe(0), 11, 9);
        }
        if (blocker) {
            Put(Member(), 1, 11);
        }
        for (float x = -13; full && x <= 13; x += 2) {
            Put(Member(), x, -13);
        }
        // Twelve columns are free of the loner and the member.
        const bool calls = want == WaitUntilIdleState;
        const int32_t next = calls ? SeedFor({{2, coin}, {12, 0}}) : SeedFor({{2, coin}});
        ClearSoundRequests();
        loner->stateFn(loner);
        EXPECT_EQ(std::tuple(loner->stateFn, soundRequests[SOUND_ENEMY_FLEES].requested,
                             soundRequests[SOUND_REINFORCEMENT].requested,
                             CountUnitsOfSide(SIDE_ENEMY), NextRandom()),
                  std::tuple(want, want == EnemyFleeState ? 1u : 0u, calls ? 1u : 0u,
                             (other ? 2 : 1) + (calls ? 1 : 0), next))
            << coin << other << blocker << full;
    }
}

TEST_F(LonerTest, AFleeingLastEnemyLeavesNorthAndTheBattleIsWon) {
    SeedFor({{2, 0}});
    TaskAt(TASK_SLOT_BATTLE)->updateOn = 1;
    EXPECT_GE(FramesUntil([] { return State() == ShowFinalLines; }), 19);
    EXPECT_EQ(std::pair(CountUnitsOfSide(SIDE_ENEMY), Battle()->gameOver), std::pair(0, 0u));
}

TEST_F(LonerTest, ACalledCopyAddsItsRewardsAndWalksInBeforeTheCallerEndsItsTurn) {
    // The copy of a wounded, poisoned loner is as wounded and poisoned as it.
    for (const int32_t cells : {8, 9}) {
        Place();
        loner->record.hp = 15;
        loner->record.statusBits = STATUS_POISON;
        const int32_t gold = Battle()->goldTotal;
        const int32_t exp = Battle()->expTotal;
        SeedFor({{2, 1}, {12, 6}, {2, cells - 8}});
        game->Frame();
        BattleUnit* copy = LiveBattleUnitAt(TASK_SLOT_DYNAMIC_FIRST + 2);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(std::tuple(copy->position.x, copy->position.z, copy->facing, copy->record.hp,
                             Battle()->goldTotal - gold, Battle()->expTotal - exp),
                  std::tuple(3.0f, 21.0f, 270.0f, 15, Foe(0).goldReward, Foe(0).exp));
        int footsteps = 0;
        int frames = 0;
        for (; copy->stateFn != UnitIdleState && frames < 200; ++frames) {
            EXPECT_EQ(loner->stateFn, WaitUntilIdleState);
            game->Frame();
            footsteps += static_cast<int>(soundRequests[SOUND_FOOTSTEP].requested);
        }
        // Its slot comes after the caller's, so its pause began in the frame it was called.
        EXPECT_EQ(std::tuple(frames, footsteps, copy->position.z, copy->record.hp),
                  std::tuple(20 + 4 * cells, cells, 21.0f - 2.0f * static_cast<float>(cells), 5));
        game->Frame();
        EXPECT_EQ(loner->stateFn, TurnEndState);
    }
}

}  // namespace
