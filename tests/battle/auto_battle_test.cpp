// The automatic battle: what each class does with the party's wounds and ailments, the enemies
// left and their reach, and its magic points; the retreat's goal and walk; and the prompt.
#include <gtest/gtest.h>

#include <vector>

#include "battle/ai_fixture.h"
#include "battle/auto_battle.h"
#include "battle/movement_planner.h"
#include "engine/keyboard.h"

namespace {

using AutoBattleTest = AiTest;

// A party member of the class, from the template of its class (a fighter's for any other).
CharacterRecord OfClass(int32_t characterClass) {
    CharacterRecord r = characterTemplates[characterClass == 2 ? 2 : characterClass == 3 ? 0 : 1];
    r.characterClass = characterClass;
    return r;
}

TEST_F(AutoBattleTest, EachClassHealsCuresCastsFightsDefendsOrRetreatsByTheField) {
    constexpr uint32_t P = STATUS_POISON;
    constexpr uint32_t X = STATUS_PARALYSIS;
    // The actor at (-1, -9) with allies A and B beside it; the enemies: one `reach` north of the
    // actor (none for 0) and the others far off, the second the weakest. Targets: A, B, the near
    // enemy N, the weakest enemy W, or '-' for none asked.
    struct Row {
        int32_t cls, hp, hpMax, mp;
        uint32_t status;
        int32_t aHp;
        uint32_t aStatus;
        int32_t bHp;
        uint32_t bStatus;
        int enemies;
        float reach;
        BattleUnitStateFn want;
        int32_t skill, paid, countdown;
        char target;
    };
    const Row rows[] = {
        {1, 50, 200, 0, 0, 100, 0, 100, 0, 2, 12, DefendMessageState, -1, 0, 60, '-'},
        {1, 51, 200, 0, 0, 100, 0, 100, 0, 2, 12, ApproachTargetState, -1, 0, 0, 'N'},
        {1, 51, 200, 0, X, 100, 0, 100, 0, 2, 12, ParalysedMessageState, -1, 0, 50, '-'},
        {4, 51, 200, 0, 0, 100, 0, 100, 0, 2, 12, ApproachTargetState, -1, 0, 0, 'N'},
        {0, 51, 200, 0, 0, 100, 0, 100, 0, 2, 12, ApproachTargetState, -1, 0, 0, 'N'},
        {9, 51, 200, 0, 0, 100, 0, 100, 0, 2, 12, ApproachTargetState, -1, 0, 0, 'N'},
        // Casters: two wounded need the heal for all, else the fallback.
        {2, 100, 100, 29, 0, 50, 0, 40, 0, 2, 12, BeginRetreat, -1, 0, 0, '-'},
        {2, 100, 100, 29, 0, 50, 0, 40, 0, 2, 0, DefendMessageState, -1, 0, 50, '-'},
        {2, 100, 100, 400, 0, 50, 0, 40, 0, 2, 0, WaitSkillEffectState, 5, 30, 0, '-'},
        {2, 100, 100, 400, 0, 50, 0, 100, 0, 2, 0, WaitSkillEffectState, 4, 10, 0, 'A'},
        {2, 100, 100, 400, 0, 100, P, 100, X, 2, 0, WaitSkillEffectState, 9, 20, 0, 'B'},
        {2, 100, 100, 400, 0, 100, P, 100, 0, 2, 0, WaitSkillEffectState, 8, 10, 0, 'A'},
        // An ailment no cure names finds no one to cure: nothing is paid.
        {2, 100, 100, 400, 0, 100, 4, 100, 0, 2, 12, BeginRetreat, -1, 0, 0, '-'},
        {2, 100, 100, 15, 0, 100, 0, 100, 0, 5, 0, WaitSkillEffectState, 1, 15, 0, 'W'},
        {2, 100, 100, 15, 0, 100, 0, 100, 0, 3, 0, WaitSkillEffectState, 0, 10, 0, 'W'},
        {2, 100, 100, 9, 0, 100, 0, 100, 0, 3, 12, BeginRetreat, -1, 0, 0, '-'},
        {2, 100, 100, 400, 0, 100, 0, 100, 0, 6, 0, WaitSkillEffectState, 3, 30, 0, '-'},
        // Hybrids: melee against few enemies in reach, magic otherwise.
        {3, 150, 150, 250, 0, 100, 0, 100, 0, 3, 12, ApproachTargetState, -1, 0, 0, 'N'},
        {3, 150, 150, 250, 0, 100, 0, 100, 0, 3, 12.01f, WaitSkillEffectState, 0, 10, 0, 'W'},
        {3, 150, 150, 250, 0, 100, 0, 100, 0, 4, 12, WaitSkillEffectState, 2, 20, 0, '-'},
        {3, 51, 150, 0, 0, 100, 0, 100, 0, 4, 12, ApproachTargetState, -1, 0, 0, 'N'},
        {3, 50, 150, 0, 0, 100, 0, 100, 0, 4, 12, BeginRetreat, -1, 0, 0, '-'},
        {3, 50, 150, 0, 0, 100, 0, 100, 0, 4, 0, DefendMessageState, -1, 0, 50, '-'},
        {3, 150, 150, 250, 0, 100, X, 100, 0, 4, 0, WaitSkillEffectState, 9, 20, 0, 'A'},
    };
    for (const Row& row : rows) {
        KillSide(SIDE_PARTY);
        KillSide(SIDE_ENEMY);
        KillTasksOfKind(TASK_KIND_EFFECT);
        CharacterRecord record = OfClass(row.cls);
        record.mp = row.mp;
        record.statusBits = row.status;
        BattleUnit* actor = Put(record, -1, -9, row.hp, row.hpMax);
        BattleUnit* a = Put(OfClass(1), -3, -9, row.aHp, 100);
        BattleUnit* b = Put(OfClass(1), 1, -9, row.bHp, 100);
        a->record.statusBits = row.aStatus;
        b->record.statusBits = row.bStatus;
        std::vector<BattleUnit*> enemies;
        for (int i = 0; i < row.enemies; ++i) {
            const bool near = i == 0 && row.reach > 0.0f;
            enemies.push_back(Put(enemyKinds[1],
                                  near ? -1.0f : -13.0f + 4.0f * static_cast<float>(i),
                                  near ? -9.0f + row.reach : 13.0f, i == 1 ? 5 : -1));
        }
        actor->stateFn = AutoBattleTurnState;
        actor->countdown = 1;
        for (int call = 0; call < 2; ++call) {
            if (actor->stateFn == AutoBattleTurnState || actor->stateFn == AutoCastHeal ||
                actor->stateFn == AutoCastCure || actor->stateFn == AutoCastAttackMagic) {
                actor->stateFn(actor);
            }
        }
        BattleUnit* want = row.target == 'A'   ? a
                           : row.target == 'B' ? b
                           : row.target == 'N' ? enemies[0]
                           : row.target == 'W' ? enemies[1]
                                               : actor->target;
        EXPECT_EQ(std::tuple(actor->stateFn, row.mp - actor->record.mp, actor->target),
                  std::tuple(row.want, row.paid, want))
            << "class " << row.cls << " hp " << row.hp << " mp " << row.mp << " enemies "
            << row.enemies << " reach " << row.reach;
        EXPECT_EQ(std::pair(actor->skillId, actor->countdown),
                  std::pair(row.skill < 0 ? actor->skillId : row.skill,
                            row.countdown > 0 ? row.countdown : actor->countdown));
    }
}

TEST_F(AutoBattleTest, ARetreatAimsAwayFromTheEnemiesCornerAndWalksItsWholePath) {
    BattleUnit* u = Put(OfClass(2), -1, -3);
    Put(enemyKinds[1], 1, 1);
    Put(enemyKinds[1], 5, 3);
    u->stateFn = BeginRetreat;
    game->Frame();
    EXPECT_EQ(std::tuple(u->stateFn, pathPlanner.goalX, pathPlanner.goalZ),
              std::tuple(&RetreatWalkState, -29.0f, -21.0f));
    EXPECT_GE(FramesUntil([&] { return u->stateFn == UnitIdleState; }), 0);
    EXPECT_EQ(std::pair(u->position.x, u->position.z), std::pair(-9.0f, -11.0f));
    // With no enemy left there is nothing to retreat from: the unit defends.
    KillSide(SIDE_ENEMY);
    BeginRetreat(u);
    EXPECT_EQ(std::pair(u->stateFn, u->countdown), std::pair(&DefendMessageState, 50));
}

TEST_F(AutoBattleTest, ThePromptGoesBackToTheMenuOrPlaysThisTurnAutomatically) {
    BattleUnit* u = Put(OfClass(1), -1, -9);
    Put(enemyKinds[1], -1, 1);
    for (const bool accept : {false, true}) {
        u->stateFn = AutoBattleConfirmState;
        u->promptCursor = 0;
        u->countdown = 40;
        if (accept) {
            Press(KEY_DOWN);
        }
        Press(KEY_RETURN);
        EXPECT_EQ(
            std::tuple(u->stateFn, u->promptCursor, Battle()->autoBattle),
            std::tuple(accept ? &AutoBattleTurnState : &CommandMenuState, 0, accept ? 1u : 0u));
    }
    // The turn's pause still runs before the fighter sets off.
    EXPECT_EQ(FramesUntil([&] { return u->stateFn != AutoBattleTurnState; }), 40);
    EXPECT_EQ(u->stateFn, ApproachTargetState);
}

}  // namespace
