// A unit's turn: where its start leads, the command menu of each class, the target list's order
// and keys, defend and the paralysed message with their timeouts, poison and sinking with the
// record written back, and which overlays each state draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

#include "battle/battle_fixture.h"
#include "battle/command_phase.h"
#include "engine/keyboard.h"
#include "platform/headless/headless.h"
#include "render/world_popups.h"

namespace {

class CommandPhaseTest : public BattleTest {
  protected:
    // The battle past its opening with the controller watching, and the first party unit.
    BattleUnit* Unit() {
        BattleController* b = BeginPastOpening();
        b->stateFn = WatchUnitTurn;
        return LiveBattleUnitAt(TASK_SLOT_DYNAMIC_FIRST);
    }
};

TEST_F(CommandPhaseTest, TurnStartPicksItsNextStateFirstMatchFirst) {
    BattleUnit* unit = Unit();
    BattleController* b = Battle();
    using Row = std::tuple<int32_t, uint32_t, uint32_t, uint32_t, BattleUnitStateFn>;
    for (auto [side, autoOn, escaping, mode, want] :
         {Row{SIDE_ENEMY, 1, 1, 1, EnemyTurnDelayState},
          Row{SIDE_PARTY, 1, 1, 1, AutoBattleTurnState}, Row{SIDE_PARTY, 0, 1, 1, EscapeWalkState},
          Row{SIDE_PARTY, 0, 0, 1, WalkOffFieldState},
          Row{SIDE_PARTY, 0, 0, 2, WalkToHomeCellState},
          Row{SIDE_PARTY, 0, 0, 0, BeginCommandTurn}}) {
        unit->record.side = side;
        b->autoBattle = autoOn;
        b->escaping = escaping;
        b->mode = mode;
        unit->guard = 5.0f;
        unit->target = unit;
        TurnStartState(unit);
        EXPECT_EQ(unit->stateFn, want) << side << autoOn << escaping << mode;
        EXPECT_EQ(std::tuple(unit->countdown, unit->guard, unit->target),
                  std::tuple(40, 0.0f, nullptr));
    }
}

TEST_F(CommandPhaseTest, EachCommandOfEachClassLeadsToItsState) {
    BattleUnit* unit = Unit();
    const std::map<int32_t, std::pair<BattleUnitStateFn, bool>> leadsTo = {
        {BATTLE_COMMAND_ATTACK, {RunTargetSelect, false}},
        {BATTLE_COMMAND_SKILL, {OpenSkillMenu, true}},
        {BATTLE_COMMAND_DEFEND, {RunDefendConfirm, false}},
        {BATTLE_COMMAND_ITEM, {OpenBattleItemMenu, true}},
        {BATTLE_COMMAND_ESCAPE, {RunEscapeConfirm, false}},
        {BATTLE_COMMAND_TURN_CHOICE, {TurnChoicePromptState, false}},
        {BATTLE_COMMAND_AUTO, {AutoBattleConfirmState, false}}};
    // A class the table lacks gets the first class's commands.
    for (int32_t characterClass : {1, 2, 3, 4, 0, 9}) {
        const int32_t* list = GetCommandList(characterClass - 1);
        const int32_t count = GetCommandCount(characterClass - 1);
        for (int32_t i = 0; i < count; ++i) {
            unit->record.characterClass = characterClass;
            unit->stateFn = CommandMenuState;
            unit->promptCursor = i;
            Press(KEY_RETURN);
            const auto [state, keepsCursor] = leadsTo.at(list[i]);
            EXPECT_EQ(std::pair(unit->stateFn, unit->promptCursor),
                      std::pair(state, keepsCursor ? i : 0))
                << characterClass << " " << i;
        }
        // Down from the last entry wraps to the first.
        unit->stateFn = CommandMenuState;
        unit->promptCursor = count - 1;
        Press(KEY_DOWN);
        EXPECT_EQ(unit->promptCursor, 0);
    }
    EXPECT_EQ(GetCommandList(CLASS_CASTER - 1)[0], BATTLE_COMMAND_SKILL);
    // A scripted battle cannot be fled: the cursor goes back to the top and the menu stays.
    Battle()->scripted = 1;
    unit->record.characterClass = CLASS_FIGHTER;
    unit->stateFn = CommandMenuState;
    unit->promptCursor = 3;
    Press(KEY_RETURN);
    EXPECT_EQ(std::pair(unit->stateFn, unit->promptCursor), std::pair(&CommandMenuState, 0));
}

TEST_F(CommandPhaseTest, TargetListSortsByXLargestFirstAndTakesATargetOnlyOnConfirm) {
    BattleUnit* unit = Unit();
    const float xs[] = {1, 3, 1, -5, 3, 0};
    for (int i = 0; i < 6; ++i) {
        LiveBattleUnitAt(14 + i)->position.x = xs[i];
    }
    unit->stateFn = CommandMenuState;
    unit->promptCursor = 0;
    Press(KEY_RETURN);
    ASSERT_EQ(unit->stateFn, RunTargetSelect);
    // Ties are not kept in slot order: the exchange sort's swaps decide them.
    std::vector<int> order;
    for (const BattleUnit* t : unit->targets) {
        for (int s = 14; s < 20; ++s) {
            order.push_back(LiveBattleUnitAt(s) == t ? s : 0);
        }
    }
    std::erase(order, 0);
    EXPECT_EQ(order, (std::vector<int>{15, 18, 16, 14, 19, 17}));
    EXPECT_EQ(unit->targetCount, 6);
    for (auto [key, cursor] :
         {std::pair(KEY_UP, 5), std::pair(KEY_DOWN, 0), std::pair(KEY_RIGHT, 1),
          std::pair(KEY_LEFT, 0), std::pair(KEY_RIGHT, 1)}) {
        Press(key);
        EXPECT_EQ(std::pair(unit->targetCursor, unit->target), std::pair(cursor, unit->targets[0]));
    }
    Press(KEY_Z);
    EXPECT_EQ(std::pair(unit->stateFn, unit->target),
              std::pair(&ApproachTargetState, unit->targets[1]));
    // An empty list takes neither moves nor a confirm; Escape still goes back to the menu.
    unit->stateFn = RunTargetSelect;
    unit->targetCount = 0;
    unit->targetCursor = 0;
    unit->target = nullptr;
    for (int key : {KEY_DOWN, KEY_LEFT, KEY_RETURN}) {
        Press(key);
        EXPECT_EQ(std::tuple(unit->stateFn, unit->targetCursor, unit->target),
                  std::tuple(&RunTargetSelect, 0, nullptr));
    }
    unit->promptCursor = 2;
    Press(KEY_ESCAPE);
    EXPECT_EQ(std::pair(unit->stateFn, unit->promptCursor), std::pair(&CommandMenuState, 0));
}

TEST_F(CommandPhaseTest, DefendAndParalysisShowTheirMessageUntilTimeOrKey) {
    BattleUnit* unit = Unit();
    unit->record.defence = 10;
    for (const bool paralysed : {false, true}) {
        for (const int keyFrame : {-1, 20}) {
            unit->record.statusBits = paralysed ? STATUS_PARALYSIS : 0;
            unit->stateFn = paralysed ? BeginCommandTurn : RunDefendConfirm;
            unit->promptCursor = 1;
            if (!paralysed) {
                Press(KEY_RETURN);
                EXPECT_FLOAT_EQ(unit->guard, 10.0f / 3.0f);
            }
            int frames = 0;
            while (unit->stateFn != TurnEndState && unit->stateFn != UnitIdleState &&
                   frames < 100) {
                frames == keyFrame ? Press(KEY_Z) : (void)game->Frame();
                ++frames;
            }
            EXPECT_EQ(frames, keyFrame < 0 ? 60 + (paralysed ? 1 : 0) : keyFrame + 1)
                << paralysed << keyFrame;
        }
    }
}

TEST_F(CommandPhaseTest, PoisonStrikesAfterThePopupsAndAFallenMemberGoesBackToItsOwnPlace) {
    // Two members with the same character: each result must reach its own roster place.
    partyRoster[1] = partyRoster[0];
    BattleUnit* first = Unit();
    BattleUnit* second = LiveBattleUnitAt(11);
    second->record = partyRoster[1];
    for (BattleUnit* u : {first, second}) {
        u->record.statusBits = STATUS_POISON;
        u->record.hp = u == first ? 11 : 10;
        u->record.mp = 7;
        u->stateFn = TurnEndState;
    }
    SpawnWorldPopup(Vec3{0, 0, 0}, 0, 0, 8, 8);
    game->Frame();
    EXPECT_EQ(second->record.hp, 10) << "poison waits for the popups";
    ASSERT_GE(FramesUntil([&] { return second->stateFn == RunSinking; }), 0);
    EXPECT_EQ(std::pair(first->record.hp, first->stateFn), std::pair(1, &UnitIdleState));
    ASSERT_GE(FramesUntil([] { return LiveBattleUnitAt(11) == nullptr; }), 0);
    EXPECT_EQ(std::tuple(partyRoster[1].hp, partyRoster[1].mp, partyRoster[1].statusBits),
              std::tuple(1, 0, STATUS_POISON));
    EXPECT_EQ(partyRoster[0].hp, characterTemplates[0].hp);
    const auto& list = Battle()->turnList;
    EXPECT_EQ(std::find(std::begin(list), std::end(list), second), std::end(list));
}

TEST_F(CommandPhaseTest, PoisonFellsAMemberWhateverLowHitPointsASaveBrings) {
    Unit();
    const int32_t lowest = std::numeric_limits<int32_t>::min();
    int slot = TASK_SLOT_DYNAMIC_FIRST;
    for (const int32_t hp : {lowest + 5, lowest}) {
        BattleUnit* unit = LiveBattleUnitAt(slot++);
        unit->record.statusBits = STATUS_POISON;
        unit->record.hp = hp;
        unit->stateFn = TurnEndState;
        ASSERT_GE(FramesUntil([&] { return unit->stateFn != TurnEndState; }), 0);
        EXPECT_EQ(std::pair(unit->record.hp, unit->stateFn), std::pair(0, &RunSinking)) << hp;
    }
}

TEST_F(CommandPhaseTest, OverlaysGaugesAndTheBottomBarFollowTheActingUnitsState) {
    BattleUnit* unit = Unit();
    BuildEnemyTargetList(unit);
    using Row = std::tuple<BattleUnitStateFn, bool, uint32_t>;  // overlay or gauges drawn, bar
    for (auto [state, drawn, hud] :
         {Row{UnitIdleState, false, 0}, Row{CommandMenuState, true, 1},
          Row{RunTargetSelect, true, 1}, Row{OpenSkillMenu, true, 0},
          Row{SpecialSkillConfirmState, true, 0}, Row{EnemyTurnDelayState, false, 1}}) {
        unit->stateFn = state;
        Battle()->hudShown = 7;
        headless::ClearDrawCalls();
        UpdateTurnUnitUi();
        DrawTurnUnitUi();
        EXPECT_EQ(!headless::DrawCalls().empty(), drawn);
        EXPECT_EQ(Battle()->hudShown, state == UnitIdleState ? 7u : hud);
    }
}

}  // namespace
