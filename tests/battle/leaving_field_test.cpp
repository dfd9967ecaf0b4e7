// Leaving the field: the clear-line test, the escape's turn list, a clear escape walking the party
// out while the foes wait, a failed one handing the turns to the foes, the last enemy's flight,
// the familiars the summon makes, and the change of team there and back in each ending.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "battle/battle_fixture.h"
#include "battle/battle_team.h"
#include "battle/command_phase.h"
#include "battle/escape.h"
#include "battle/skill_effects.h"
#include "engine/sound.h"
#include "platform/headless/headless.h"

namespace {

class LeavingFieldTest : public BattleTest {
  protected:
    // Frames until the check holds, with every enemy idle meanwhile; the slots whose turns start.
    std::vector<int> TurnsWhileFoesWait(const std::function<bool()>& done) {
        std::vector<int> turns;
        EXPECT_GE(FramesUntil([&] {
                      for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
                          const BattleUnit* u = LiveBattleUnitAt(s);
                          if (u != nullptr && u->record.side == SIDE_ENEMY) {
                              EXPECT_EQ(u->stateFn, UnitIdleState) << "enemy " << s << " acted";
                          } else if (u != nullptr && u->stateFn == TurnStartState) {
                              turns.push_back(s);
                          }
                      }
                      return done();
                  }),
                  0);
        return turns;
    }
    static bool Fighting(uint32_t team) {
        return Battle()->mode == BATTLE_MODE_FIGHT && Battle()->activeTeam == team;
    }
    // The unit confirms the escape prompt's "yes".
    void ConfirmEscape(BattleUnit* unit) {
        IdleAllUnits();
        unit->stateFn = RunEscapeConfirm;
        unit->promptCursor = 1;
        Press(KEY_RETURN);
    }
};

TEST_F(LeavingFieldTest, AFoeBlocksTheLineOnlyWhenCloserThanTwoToAPointAhead) {
    BeginPastOpening();
    KillSide(SIDE_ENEMY);
    ASSERT_EQ(CreateBattleUnit(enemyKinds[0], 0, BATTLE_UNIT_HEIGHT, 0, 270), 1);
    BattleUnit* unit = LiveBattleUnitAt(10);  // x -1; the other members are no foes
    BattleUnit* foe = LiveBattleUnitAt(14);
    using Row = std::tuple<float, float, float, float, int>;  // unit z, foe x and z, heading
    for (auto [unitZ, foeX, foeZ, heading, blocked] :
         {Row{-3, 0.99f, -7, 270, 1}, Row{-3, 1, -7, 270, 0}, Row{-3, -1, -2, 270, 0},
          Row{-14, -1, -15, 270, 0}, Row{-3, -1, 9, 90, 1}, Row{-3, 11, 11, 45, 1}}) {
        unit->position.z = unitZ;
        foe->position = {foeX, BATTLE_UNIT_HEIGHT, foeZ};
        EXPECT_EQ(IsExitPathBlocked(unit, heading), blocked) << unitZ << " " << foeX << " " << foeZ;
    }
}

TEST_F(LeavingFieldTest, TheEscapeListRunsFromTheNextMemberRoundAndLeavesOutAFifth) {
    BattleController* b = BeginPastOpening();
    using Row = std::tuple<int, std::vector<int>, size_t>;  // actor, list, message boxes
    for (auto [actor, want, boxes] :
         {Row{12, {13, 10, 11}, 0}, Row{20, {10, 11, 12, 13}, 1}, Row{10, {}, 0}}) {
        if (actor == 20) {
            ASSERT_EQ(CreateBattleUnit(partyRoster[0], 0, BATTLE_UNIT_HEIGHT, 0, 90), 1);
        } else if (actor == 10) {
            for (int s : {11, 12, 13, 20}) {
                TaskAt(s)->inUse = 0;
            }
        }
        const size_t before = headless::MessageBoxes().size();
        BuildEscapeTurnList(b, LiveBattleUnitAt(actor));
        std::vector<int> listed;
        for (const BattleUnit* entry : b->turnList) {
            for (int s = 10; s <= 20 && entry != nullptr; ++s) {
                listed.push_back(LiveBattleUnitAt(s) == entry ? s : 0);
            }
        }
        std::erase(listed, 0);
        EXPECT_EQ(listed, want) << actor;
        EXPECT_EQ(headless::MessageBoxes().size() - before, boxes) << actor;
    }
}

TEST_F(LeavingFieldTest, AClearEscapeWalksTheMembersOutInTurnAndEndsWithoutGameOver) {
    BattleController* b = BeginPastOpening();
    const int32_t moneyBefore = money;
    BattleUnit* actor = LiveBattleUnitAt(11);  // from z -3
    actor->record.hp = 9;
    ConfirmEscape(actor);
    ASSERT_EQ(std::pair(b->escaping, actor->stateFn), std::pair(1u, &EscapeWalkState));
    // Out once past z -14, with a footstep every fourth frame.
    int frames = 0;
    int footsteps = 0;
    for (; IsLiveBattleUnit(actor) && frames < 100; ++frames) {
        game->Frame();
        footsteps += static_cast<int>(soundRequests[SOUND_FOOTSTEP].requested);
    }
    EXPECT_EQ(std::tuple(frames, footsteps, partyRoster[1].hp), std::tuple(22, 5, 9));
    EXPECT_EQ(TurnsWhileFoesWait([] { return State() == WaitFinalMessageKey; }),
              (std::vector<int>{12, 13, 10}));
    EXPECT_EQ(PageThrough(WaitFinalMessageKey), 1);
    EXPECT_EQ(std::pair(IsTaskSlotInUse(TASK_SLOT_TITLE), money), std::pair(false, moneyBefore));
}

TEST_F(LeavingFieldTest, AFailedEscapeHandsTheTurnsToTheFoesYetPoisonStillEndsInDefeat) {
    BattleController* b = BeginPastOpening();
    for (int s : {11, 12, 13}) {
        TaskAt(s)->inUse = 0;
    }
    LiveBattleUnitAt(19)->position = {-1, BATTLE_UNIT_HEIGHT, -9};  // in the way south
    BattleUnit* unit = LiveBattleUnitAt(10);
    unit->record.statusBits = STATUS_POISON;
    unit->record.hp = 10;
    ConfirmEscape(unit);
    EXPECT_EQ(std::tuple(unit->stateFn, b->escaping, soundRequests[SOUND_FAILED].requested),
              std::tuple(&EscapeFailedState, 0u, 1u));
    headless::ClearDrawCalls();
    DrawTurnUnitUi();
    EXPECT_FALSE(headless::DrawCalls().empty()) << "the failure's message";
    game->Frames(3);
    ASSERT_EQ(unit->stateFn, EscapeFailedState) << "until confirmed";
    Press(KEY_Z);
    EXPECT_EQ(b->turnList[0], LiveBattleUnitAt(14));
    // The last member falls to poison at its turn's end: the check finds nobody to fight for.
    EXPECT_TRUE(TurnsWhileFoesWait([] { return State() == WaitFinalMessageKey; }).empty());
    EXPECT_EQ(b->gameOver, 1u);
}

TEST_F(LeavingFieldTest, TheLastEnemyFleeingNorthIsAVictoryWithEveryEnemysReward) {
    BattleController* b = BeginPastOpening();
    const int32_t gold = b->goldTotal;
    const int32_t moneyBefore = money;
    for (int s = 15; s < 20; ++s) {
        TaskAt(s)->inUse = 0;
    }
    BattleUnit* loner = LiveBattleUnitAt(14);  // from z 7
    IdleAllUnits();
    loner->stateFn = EnemyFleeState;
    EXPECT_EQ(FramesUntil([&] { return !IsLiveBattleUnit(loner); }), 14);
    ASSERT_GE(FramesUntil([] { return State() == WaitFinalMessageKey; }), 0);
    EXPECT_EQ(money, moneyBefore + gold);
}

TEST_F(LeavingFieldTest, SummonCopiesTheFirstFighterAtFullHealthWithoutMagicOrStatus) {
    using Row = std::pair<std::vector<int32_t>, int>;  // the roster's classes, the member copied
    for (auto [classes, source] : {Row{{3, 1, 2, 1}, 1}, Row{{2, 3, 2, 3}, 0}}) {
        for (int i = 0; i < PARTY_MAX; ++i) {
            partyRoster[i] = characterTemplates[i];
            partyRoster[i].characterClass = classes[static_cast<size_t>(i)];
        }
        CharacterRecord& from = partyRoster[source];
        std::tie(from.level, from.hp, from.mp, from.statusBits) =
            std::tuple(7, 1, 5, STATUS_POISON);
        familiarCount = 0;
        SummonFamiliars();
        ASSERT_EQ(familiarCount, PARTY_MAX);
        for (int i = 0; i < PARTY_MAX; ++i) {
            const CharacterRecord& f = familiarTeam[i];
            EXPECT_EQ(std::tuple(f.characterId, f.level, f.hp, f.mp, f.mpMax, f.statusBits,
                                 f.characterClass, f.modelIndex, f.attack),
                      std::tuple(i, 7, from.hpMax, 0, 0, 0u, CLASS_FAMILIAR, FAMILIAR_MODEL,
                                 from.attack));
            EXPECT_STREQ(f.nameText, familiarNameShiftJis);
        }
    }
}

enum class Ending { Command, Winning, Falling };

class TeamReturnTest : public LeavingFieldTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(TeamReturnTest, TheSummonSwapsTheTeamsThroughTheControllerAndThePartyComesBack) {
    BeginPastOpening();
    IdleAllUnits();
    LiveBattleUnitAt(11)->record.hp = 5;
    CastSummonFamiliars(LiveBattleUnitAt(12));
    // The party walks off from the caster on, then the familiars walk in to their homes.
    EXPECT_EQ(TurnsWhileFoesWait([] { return Fighting(1); }),
              (std::vector<int>{12, 13, 10, 11, 10, 11, 12, 13}));
    EXPECT_EQ(partyRoster[1].hp, 5);
    const float homes[][2] = {{1, -1}, {3, -1}, {-1, -1}, {5, -1}};
    for (int i = 0; i < PARTY_MAX; ++i) {
        const BattleUnit* f = LiveBattleUnitAt(10 + i);
        EXPECT_EQ(std::tuple(f->record.modelIndex, f->position.x, f->position.z),
                  std::tuple(FAMILIAR_MODEL, homes[i][0], homes[i][1]));
    }
    IdleAllUnits();
    std::vector<int> leaving;
    switch (GetParam()) {
        case Ending::Command:
            LiveBattleUnitAt(11)->stateFn = TurnChoicePromptState;
            LiveBattleUnitAt(11)->promptCursor = 1;
            headless::ClearDrawCalls();
            DrawTurnUnitUi();
            EXPECT_FALSE(headless::DrawCalls().empty()) << "the prompt";
            Press(KEY_RETURN);
            leaving = {11, 12, 13, 10};
            break;
        case Ending::Winning:
            KillSide(SIDE_ENEMY);
            leaving = {10, 11, 12, 13};
            break;
        case Ending::Falling:
            KillSide(SIDE_PARTY);
            break;
    }
    leaving.insert(leaving.end(), {10, 11, 12, 13});
    EXPECT_EQ(TurnsWhileFoesWait([] { return Fighting(0); }), leaving);
    for (int i = 0; i < PARTY_MAX; ++i) {
        const BattleUnit* u = LiveBattleUnitAt(10 + i);
        EXPECT_EQ(std::tuple(u->record.characterId, u->rosterPlace, partyRoster[i].modelIndex),
                  std::tuple(i, i, characterTemplates[i].modelIndex));
    }
    EXPECT_EQ(LiveBattleUnitAt(11)->record.hp, 5);
    EXPECT_EQ(State() == ShowFinalLines, GetParam() == Ending::Winning);
}

INSTANTIATE_TEST_SUITE_P(Endings, TeamReturnTest,
                         ::testing::Values(Ending::Command, Ending::Winning, Ending::Falling));

TEST_F(LeavingFieldTest, AnEntryTakesFreeHomeCellsAndEndsWithTheUnitsThatFoundASlot) {
    BattleController* b = BeginPastOpening();
    KillSide(SIDE_PARTY);
    LiveBattleUnitAt(14)->position = {1, BATTLE_UNIT_HEIGHT, -1};  // on the first home
    for (int s = 12; s < TASK_SLOT_DYNAMIC_END; ++s) {
        if (!IsTaskSlotInUse(s)) {
            StartTask(AllocTaskAt(s), TASK_KIND_YES_NO, 0, nullptr, nullptr);
        }
    }
    b->activeTeam = 1;  // the familiars have all fallen
    IdleAllUnits();
    TurnsWhileFoesWait([] { return Fighting(0); });
    EXPECT_EQ(CountUnitsOfSide(SIDE_PARTY), 2);
    for (auto [slot, x, z] : {std::tuple(10, 3.0f, -1.0f), std::tuple(11, -1.0f, -1.0f)}) {
        EXPECT_EQ(std::pair(LiveBattleUnitAt(slot)->position.x, LiveBattleUnitAt(slot)->position.z),
                  std::pair(x, z));
    }
}

}  // namespace
