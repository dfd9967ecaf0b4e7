// The skill command driven by keys: where choosing a skill leads, the window's wrap, the ways
// back, and whole casts with their cost, their effects and the end of the turn.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "battle/battle_fixture.h"
#include "battle/skill_command.h"
#include "battle/skill_effects.h"
#include "battle/skill_table.h"
#include "engine/sound.h"

namespace {

class SkillCommandTest : public BattleTest {
  protected:
    // The battle watching turns, and the caster (slot 12) with its skill window open.
    BattleUnit* Caster() {
        BeginPastOpening();
        return Reopen();
    }
    // Every other unit idle again and the caster's window opened anew.
    BattleUnit* Reopen() {
        IdleAllUnits();
        BattleUnit* unit = LiveBattleUnitAt(12);
        unit->stateFn = OpenSkillMenu;
        game->ReleaseAll();
        game->Frame();
        return unit;
    }
    // Puts the window's cursor on the skill's cell.
    static void PointAt(int32_t skill) {
        skillMenu.page = skill / SKILL_MENU_PAGE_CELLS;
        skillMenu.row = skill % SKILL_MENU_PAGE_CELLS / SKILL_MENU_COLUMNS;
        skillMenu.column = skill % SKILL_MENU_COLUMNS;
    }
};

TEST_F(SkillCommandTest, ChoosingASkillChecksLevelThenMagicPointsThenHowManyItReaches) {
    BattleUnit* unit = Caster();
    // skill, level, magic points: state, buzzer, the target list's side.
    using Row = std::tuple<int32_t, int32_t, int32_t, BattleUnitStateFn, bool, int32_t>;
    for (auto [skill, level, mp, state, buzzer, side] :
         {Row{0, 9, 999, SkillMenuState, true, -1}, Row{0, 10, 9, NotEnoughMpState, true, -1},
          Row{0, 10, 10, SkillTargetState, false, SIDE_ENEMY},
          Row{4, 40, 999, SkillTargetState, false, SIDE_PARTY},
          Row{3, 40, 999, AreaSkillConfirmState, false, -1},
          Row{15, 10, 200, SpecialSkillConfirmState, false, -1},
          Row{13, 32, 999, SkillMenuState, true, -1}}) {
        Reopen();
        unit->record.level = level;
        unit->record.mp = mp;
        unit->targetCount = 0;
        PointAt(skill);
        Press(KEY_RETURN);
        EXPECT_EQ(std::tuple(unit->stateFn, unit->skillId, soundRequests[SOUND_BUZZER].requested),
                  std::tuple(state, skill, static_cast<uint32_t>(buzzer ? 1 : 0)))
            << skill;
        EXPECT_EQ(unit->record.mp, mp) << "nothing is paid before the cast";
        if (side >= 0) {
            ASSERT_GT(unit->targetCount, 0);
            EXPECT_EQ(unit->targets[0]->record.side, side);
        }
    }
}

TEST_F(SkillCommandTest, TheWindowWrapsByPageAndEveryWayBackLeadsOneStepBack) {
    BattleUnit* unit = Caster();
    // Left from the first column goes to the first column of the page before.
    for (auto [key, column, row, page] :
         {std::tuple(KEY_LEFT, 0, 0, 1), std::tuple(KEY_UP, 0, 3, 1),
          std::tuple(KEY_RIGHT, 1, 3, 1), std::tuple(KEY_RIGHT, 2, 3, 1),
          std::tuple(KEY_RIGHT, 0, 3, 0), std::tuple(KEY_DOWN, 0, 0, 0)}) {
        Press(key);
        EXPECT_EQ(std::tuple(skillMenu.column, skillMenu.row, skillMenu.page),
                  std::tuple(column, row, page));
    }
    // An empty cell (page 2, last row) takes no confirm.
    Press(KEY_LEFT);
    Press(KEY_UP);
    Press(KEY_RETURN);
    EXPECT_EQ(unit->stateFn, SkillMenuState);
    unit->record.mp = 0;
    using Step = std::tuple<BattleUnitStateFn, int, BattleUnitStateFn>;
    for (auto [from, key, to] : {Step{SkillTargetState, KEY_ESCAPE, SkillMenuState},
                                 Step{NotEnoughMpState, KEY_ESCAPE, NotEnoughMpState},
                                 Step{NotEnoughMpState, KEY_Z, SkillMenuState},
                                 Step{AreaSkillConfirmState, KEY_RETURN, SkillMenuState},
                                 Step{SpecialSkillConfirmState, KEY_RETURN, SkillMenuState},
                                 Step{SkillMenuState, KEY_ESCAPE, CommandMenuState}}) {
        unit->stateFn = from;
        unit->promptCursor = 3;
        skillMenu.confirmChoice = 0;
        Press(key);
        EXPECT_EQ(unit->stateFn, to);
    }
    EXPECT_EQ(unit->promptCursor, 0);
}

TEST_F(SkillCommandTest, ACastPaysAtOnceWaitsForItsEffectsAndEndsTheTurn) {
    // skill, keys after the choice: magic points right after, state after the effects.
    using Row = std::tuple<int32_t, std::vector<int>, int32_t, BattleUnitStateFn>;
    BattleUnit* unit = Caster();
    const auto enemyHp = [] {
        int32_t sum = 0;
        for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
            const BattleUnit* u = LiveBattleUnitAt(s);
            sum += u != nullptr && u->record.side == SIDE_ENEMY ? u->record.hp : 0;
        }
        return sum;
    };
    for (auto [skill, keys, mpAfter, end] : {Row{4, {KEY_RETURN}, 390, TurnEndState},
                                             Row{5, {KEY_DOWN, KEY_RETURN}, 370, TurnEndState},
                                             Row{2, {KEY_DOWN, KEY_RETURN}, 380, TurnEndState},
                                             Row{15, {KEY_DOWN, KEY_RETURN}, 200, UnitIdleState}}) {
        Reopen();
        unit->record.mp = 400;
        BattleUnit* ally = LiveBattleUnitAt(10);
        ally->record.hp = 1;
        const int32_t foes = enemyHp();
        PointAt(skill);
        Press(KEY_RETURN);
        for (int key : keys) {
            Press(key);
        }
        if (skill == 4) {
            EXPECT_EQ(unit->stateFn, CastSkillOnTarget);
            unit->target = ally;
            game->Frame();
        }
        EXPECT_EQ(unit->record.mp, mpAfter) << skill;
        if (end == TurnEndState) {
            EXPECT_EQ(unit->stateFn, WaitSkillEffectState);
            const int frames = FramesUntil([&] { return unit->stateFn != WaitSkillEffectState; });
            EXPECT_FALSE(IsSkillEffectActive());
            if (skill == 2) {
                EXPECT_LT(enemyHp(), foes) << "the damage lands once the shots are over";
            } else {
                EXPECT_EQ(std::pair(frames, ally->record.hp), std::pair(RING_FRAMES, 101)) << skill;
            }
        }
        EXPECT_EQ(unit->stateFn, end) << skill;
    }
}

TEST_F(SkillCommandTest, ACastWhoseTargetHasLeftIsRefusedBeforeAnythingIsPaid) {
    BattleUnit* unit = Caster();
    unit->record.mp = 50;
    Press(KEY_RETURN);
    ASSERT_EQ(unit->stateFn, SkillTargetState);
    for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
        if (LiveBattleUnitAt(s) == unit->targets[0]) {
            TaskAt(s)->inUse = 0;
        }
    }
    Press(KEY_RETURN);
    game->Frame();
    EXPECT_EQ(std::tuple(unit->stateFn, unit->record.mp, IsSkillEffectActive()),
              std::tuple(&SkillMenuState, 50, 0));
}

}  // namespace
