// A hundred random battles played by the automatic mode from fixed seeds, every fourth against a
// boss that warps and every third with the party short of magic points. A battle need not end
// (enemy casters heal without limit and a lone survivor may keep calling copies), so this asserts
// only that no turn stalls: every turn hands back within a bound of frames. How many battles end
// within a generous bound is reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "battle/battle_fixture.h"

namespace {

constexpr int SHARDS = 10;
constexpr int BATTLES_PER_SHARD = 10;
constexpr int TURN_FRAME_BOUND = 1800;
constexpr int BATTLE_FRAME_BOUND = 36000;
constexpr int32_t FIRST_BOSS_KIND = 12;
constexpr int32_t BOSS_KINDS = 5;
constexpr int32_t LOW_MP = 15;

class AutoBattleSoak : public BattleTest, public ::testing::WithParamInterface<int> {
  protected:
    static void StartAutoBattle(uint32_t seed) {
        for (int i = 0; i < PARTY_MAX; ++i) {
            partyRoster[i] = characterTemplates[i];
            // A third of the battles start short of magic points: the casters' fallbacks.
            if (seed % 3 == 0) {
                partyRoster[i].mp = LOW_MP;
            }
        }
        encounterGroup = static_cast<int32_t>(seed % 4) + 1;
        SetAllTasksActive(TASK_ACTIVITY_STOP_BOTH);
        SeedRandom(seed);
        EXPECT_EQ(StartRandomBattle(0.0f, 0.0f), 1);
        BattleController* b = Battle();
        ClearQueuedLines(b->queuedLines);
        b->eye.y = BATTLE_CAMERA_HIGH;
        b->stateFn = StartNextUnitTurn;
        b->autoBattle = 1;
        // The party fills the first slots, so the last unit is an enemy.
        BattleUnit* last =
            LiveBattleUnitAt(TASK_SLOT_DYNAMIC_FIRST + PARTY_MAX + battleEnemyCount - 1);
        ASSERT_TRUE(last != nullptr && last->record.side == SIDE_ENEMY);
        if (seed % 4 == 0) {
            last->record = enemyKinds[FIRST_BOSS_KIND + seed / 4 % BOSS_KINDS];
        }
    }
    static void EndBattleByForce() {
        RemoveBattleObjects();
        KillTasksOfKind(TASK_KIND_EFFECT);
        KillTasksOfKind(TASK_KIND_DAMAGE_DIGIT);
        KillTasksOfKind(TASK_KIND_WORLD_POPUP);
        TaskAt(TASK_SLOT_BATTLE)->inUse = 0;
    }
};

TEST_P(AutoBattleSoak, EveryTurnHandsBackWithinItsBound) {
    int ended = 0;
    int longestTurn = 0;
    for (int n = 0; n < BATTLES_PER_SHARD; ++n) {
        const auto seed = static_cast<uint32_t>(GetParam() * BATTLES_PER_SHARD + n + 1);
        StartAutoBattle(seed);
        int turnFrames = 0;
        for (int frame = 0; frame < BATTLE_FRAME_BOUND; ++frame) {
            game->Frame();
            const BattleController* b = ActiveBattle();
            ASSERT_NE(b, nullptr) << "seed " << seed << " left the battle before its last lines";
            if (b->stateFn == ShowFinalLines || b->stateFn == WaitFinalMessageKey) {
                ++ended;
                break;
            }
            turnFrames = b->stateFn == WatchUnitTurn ? turnFrames + 1 : 0;
            longestTurn = std::max(longestTurn, turnFrames);
            ASSERT_LE(turnFrames, TURN_FRAME_BOUND) << "seed " << seed << " frame " << frame;
        }
        EndBattleByForce();
    }
    std::printf("automatic battles ended within %d frames: %d of %d; longest turn %d frames\n",
                BATTLE_FRAME_BOUND, ended, BATTLES_PER_SHARD, longestTurn);
    RecordProperty("ended", ended);
}

INSTANTIATE_TEST_SUITE_P(Seeds, AutoBattleSoak, ::testing::Range(0, SHARDS));

}  // namespace
