// The battle controller on the headless harness: a random start's draws with seed 1, the opening
// pages, the turn list, each outcome with its end actions, the pause box, the camera keys and a
// scripted start with arguments it must mend.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <tuple>
#include <vector>

#include "battle/battle_controller.h"
#include "battle/battle_fixture.h"
#include "battle/battle_states.h"
#include "engine/keyboard.h"
#include "engine/random.h"
#include "engine/sound.h"
#include "field/character_tables.h"

namespace {

TEST_F(BattleTest, RandomStartWithSeed1PlacesTheDrawnEnemiesAndListsTheSidesInOrder) {
    const BattleController* b = Begin();
    EXPECT_EQ(b->firstSide, SIDE_PARTY);
    EXPECT_EQ(battleEnemyCount, 6);
    // Party members on their cells, then the enemies in draw order: world x, z and kind.
    const std::tuple<float, float, int> want[] = {
        {-1, -3, -1}, {1, -3, -1}, {1, -5, -1}, {-1, -5, -1}, {9, 7, 1},
        {1, 3, 1},    {-1, 3, 0},  {-9, 11, 2}, {-5, 3, 2},   {-1, 9, 0}};
    for (int i = 0; i < 10; ++i) {
        const BattleUnit* u = LiveBattleUnitAt(TASK_SLOT_DYNAMIC_FIRST + i);
        ASSERT_NE(u, nullptr) << i;
        const auto [x, z, kind] = want[i];
        const CharacterRecord& record = kind < 0 ? partyRoster[i] : enemyKinds[kind];
        EXPECT_EQ(std::memcmp(&u->record, &record, sizeof record), 0) << i;
        EXPECT_EQ(std::tuple(u->position.x, u->position.y, u->position.z, u->facing),
                  std::tuple(x, BATTLE_UNIT_HEIGHT, z, kind < 0 ? 90.0f : 270.0f))
            << i;
        EXPECT_EQ(b->turnList[i], u) << i;
    }
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_DYNAMIC_FIRST + 10));
    EXPECT_EQ(std::pair(b->goldTotal, b->expTotal), std::pair(100, 100));
    // Exactly these draws were made: the next output is the fifteenth of the seed.
    SeedRandom(1);
    for (int i = 0; i < 14; ++i) {
        NextRandom();
    }
    const int32_t fifteenth = NextRandom();
    RemoveBattleObjects();
    TaskAt(TASK_SLOT_BATTLE)->inUse = 0;
    Begin();
    EXPECT_EQ(NextRandom(), fifteenth);
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_BATTLE_FIELD));
    EXPECT_TRUE(headless::Voice(MUSIC_BATTLE).playing);
}

TEST_F(BattleTest, RewardsOfMembersOnTheEnemySideSumWithoutWrapping) {
    // A save may put members on the enemy side with any reward: the totals hold at the top.
    const int32_t highest = std::numeric_limits<int32_t>::max();
    for (int i = 0; i < 2; ++i) {
        partyRoster[i].side = SIDE_ENEMY;
        partyRoster[i].goldReward = highest;
        partyRoster[i].exp = highest;
    }
    const BattleController* b = Begin();
    EXPECT_EQ(std::pair(b->goldTotal, b->expTotal), std::pair(highest, highest));
}

TEST_F(BattleTest, OpeningRisesWithCameraKeysIgnoredThenPagesThenTurnsInListOrder) {
    Begin();
    game->Hold(KEY_D);
    EXPECT_EQ(FramesUntil([] { return State() != WaitBattleOpening; }), 50);
    game->ReleaseAll();
    EXPECT_EQ(Battle()->eye.y, BATTLE_CAMERA_HIGH);
    EXPECT_EQ(Battle()->hudShown, 0u);
    // The first side's page, then the three appearance lines.
    EXPECT_EQ(PageThrough(BattleMessageWaitState), 2);
    EXPECT_EQ(Battle()->hudShown, 1u);
    std::vector<int> order;
    while (order.size() < 12 && FramesPassingTurnsUntil([&] {
                                    for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END;
                                         ++s) {
                                        const BattleUnit* u = LiveBattleUnitAt(s);
                                        if (u != nullptr && u->stateFn == TurnStartState) {
                                            order.push_back(s);
                                            return true;
                                        }
                                    }
                                    return false;
                                }) >= 0) {
        game->Frame();
    }
    EXPECT_EQ(order, (std::vector<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 10, 11}));
}

TEST_F(BattleTest, TurnListSkipsTheGoneRefillsAndStopsAtTen) {
    BattleController* b = BeginPastOpening();
    BattleUnit* first = LiveBattleUnitAt(10);
    BattleUnit* second = LiveBattleUnitAt(11);
    ClearTurnList(b);
    b->turnList[1] = first;
    b->turnList[2] = second;
    TaskAt(10)->inUse = 0;
    StartNextUnitTurn(b);
    EXPECT_EQ(std::tuple(b->turnList[1], b->turnList[2], second->stateFn, b->stateFn),
              std::tuple(nullptr, nullptr, &TurnStartState, &WatchUnitTurn));
    EXPECT_EQ(AppendSideToTurnList(b, SIDE_ENEMY, 8), 10);
    // An exhausted list: both sides, first side first; while escaping, the party alone.
    for (auto [escaping, firstSide, want] :
         {std::tuple(0u, SIDE_ENEMY, 14), std::tuple(1u, SIDE_ENEMY, 11)}) {
        ClearTurnList(b);
        b->escaping = escaping;
        b->firstSide = firstSide;
        b->stateFn = StartNextUnitTurn;
        StartNextUnitTurn(b);
        EXPECT_EQ(std::pair(b->turnList[0], b->stateFn),
                  std::pair(LiveBattleUnitAt(want), &StartNextUnitTurn));
    }
    // After a failed escape the enemies are listed; the controller still checks first.
    b->stateFn = WatchUnitTurn;
    GiveTurnsToFoes();
    EXPECT_EQ(std::pair(b->turnList[0], b->stateFn),
              std::pair(LiveBattleUnitAt(14), &WatchUnitTurn));
    EXPECT_EQ(b->turnList[6], nullptr);
}

struct OutcomeCase {
    bool partyGone;
    bool enemiesGone;
    uint32_t escaping;
    int pages;
    bool toTitle;
};

class BattleOutcomeTest : public BattleTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(BattleOutcomeTest, EndsWithItsPagesAndEndActions) {
    const OutcomeCase c = GetParam();
    BattleController* b = BeginPastOpening();
    b->escaping = c.escaping;
    if (c.partyGone) {
        KillSide(SIDE_PARTY);
    }
    if (c.enemiesGone) {
        KillSide(SIDE_ENEMY);
    }
    b->stateFn = WatchUnitTurn;
    ASSERT_GE(FramesUntil([] { return State() == WaitFinalMessageKey; }), 0);
    EXPECT_EQ(Battle()->hudShown, 0u);
    EXPECT_EQ(PageThrough(WaitFinalMessageKey), c.pages);
    game->Frames(2);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_BATTLE));
    EXPECT_EQ(CountKind(TASK_KIND_BATTLE_UNIT) + CountKind(TASK_KIND_BATTLE_FIELD), 0);
    EXPECT_EQ(IsTaskSlotInUse(TASK_SLOT_TITLE), c.toTitle);
    EXPECT_EQ(IsTaskSlotInUse(0), !c.toTitle);
    EXPECT_TRUE(headless::Voice(c.toTitle ? MUSIC_TITLE : MUSIC_FIELD).playing);
    for (int s = 0; s < TASK_POOL_SIZE; ++s) {
        if (IsTaskSlotInUse(s)) {
            EXPECT_EQ(std::pair(TaskAt(s)->updateOn, TaskAt(s)->drawOn), std::pair(1u, 1u)) << s;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Outcomes, BattleOutcomeTest,
                         ::testing::Values(OutcomeCase{false, true, 0, 2, false},  // victory
                                           OutcomeCase{true, false, 0, 2, true},   // defeat
                                           OutcomeCase{true, true, 0, 2, true},    // both gone
                                           OutcomeCase{true, false, 1, 1, false}   // escaped
                                           ));

TEST_F(BattleTest, TeamModesWaitForTheWalkersThenFightOrWin) {
    BattleController* b = BeginPastOpening();
    // Entering: every party unit within 0.5 of its home, the last one exactly on the limit.
    b->mode = BATTLE_MODE_TEAM_ENTERING;
    for (const float last : {0.51f, 0.5f}) {
        for (int s = 10; s < 14; ++s) {
            BattleUnit* u = LiveBattleUnitAt(s);
            u->home = u->position;
            u->home.x += s == 13 ? last : 0.0f;
        }
        CheckBattleProgress(b);
        EXPECT_EQ(std::pair(b->mode, b->stateFn),
                  std::pair(last > 0.5f ? BATTLE_MODE_TEAM_ENTERING : BATTLE_MODE_FIGHT,
                            &StartNextUnitTurn));
    }
    EXPECT_EQ(std::pair(b->turnList[0], b->turnList[4]),
              std::pair(LiveBattleUnitAt(10), LiveBattleUnitAt(14)));
    KillSide(SIDE_ENEMY);
    b->mode = BATTLE_MODE_TEAM_ENTERING;
    CheckBattleProgress(b);
    EXPECT_EQ(b->stateFn, ShowFinalLines);
    // The familiars' victory sends the party side off, listed alone, with automatic play off.
    b->activeTeam = 1;
    b->autoBattle = 1;
    b->mode = BATTLE_MODE_FIGHT;
    CheckBattleProgress(b);
    EXPECT_EQ(std::tuple(b->autoBattle, b->turnList[0], b->turnList[4], b->stateFn),
              std::tuple(0u, LiveBattleUnitAt(10), nullptr, &StartNextUnitTurn));
}

TEST_F(BattleTest, PauseBoxKeepsItsChoiceResumesTheUnitsOrQuitsToTheTitle) {
    BeginPastOpening();
    ASSERT_GE(FramesUntil([] { return State() == WatchUnitTurn; }), 0);
    // Down and Up wrap; continue resumes; the box reopens on the last choice.
    for (auto [key, choice] :
         {std::pair(KEY_SHIFT, 0), std::pair(KEY_UP, 1), std::pair(KEY_DOWN, 0),
          std::pair(KEY_DOWN, 1), std::pair(KEY_DOWN, 0), std::pair(KEY_RETURN, 0),
          std::pair(KEY_DOWN, 0), std::pair(KEY_SHIFT, 0), std::pair(KEY_DOWN, 1)}) {
        ASSERT_GE(FramesUntil(
                      [] { return State() == WatchUnitTurn || State() == HandleBattlePauseMenu; }),
                  0);
        game->Tap(key);
        EXPECT_EQ(Battle()->pauseChoice, choice);
        EXPECT_EQ(TaskAt(10)->updateOn, State() == HandleBattlePauseMenu ? 0u : 1u);
    }
    game->Tap(KEY_RETURN);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_BATTLE));
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    EXPECT_EQ(CountKind(TASK_KIND_BATTLE_UNIT), 0);
}

TEST_F(BattleTest, CameraHeightKeysAndTheQuarterTurn) {
    BeginPastOpening();
    const auto hold = [&](std::vector<int> keys, int frames) {
        for (int k : keys) {
            game->Hold(k);
        }
        game->Frames(frames);
        game->ReleaseAll();
        game->Frame();
        return Battle()->eye.y;
    };
    EXPECT_EQ(hold({KEY_S}, 5), BATTLE_CAMERA_HIGH);
    EXPECT_EQ(hold({KEY_D}, 60), BATTLE_CAMERA_LOW);
    EXPECT_EQ(hold({KEY_S, KEY_D}, 5), BATTLE_CAMERA_LOW + 5);
    // A quarter turn takes 45 frames, lands exactly, and ignores the keys meanwhile.
    for (auto [from, to] : {std::pair(270.0f, 180.0f), std::pair(0.0f, 270.0f)}) {
        Battle()->cameraAngle = from;
        game->Hold(KEY_CONTROL);
        game->Frame();
        game->ReleaseAll();
        game->Hold(KEY_S);
        EXPECT_EQ(FramesUntil([] { return Battle()->cameraFn == HandleBattleCameraInput; }), 45);
        game->ReleaseAll();
        EXPECT_EQ(std::pair(Battle()->cameraAngle, Battle()->eye.y),
                  std::pair(to, BATTLE_CAMERA_LOW + 5));
    }
    game->Tap(KEY_F);
    EXPECT_EQ(Battle()->infoShown, 0u);
    // A turns automatic battle off while the controller watches a turn.
    Battle()->autoBattle = 1;
    game->Tap(KEY_A);
    EXPECT_EQ(Battle()->autoBattle, 0u);
}

TEST_F(BattleTest, AnEncounterSwirlsIntoABattleOrResumesTheWorldWhenItCannotStart) {
    for (const bool slotTaken : {true, false}) {
        if (slotTaken) {
            StartTask(AllocTaskAt(TASK_SLOT_BATTLE), TASK_KIND_YES_NO, 0, nullptr, nullptr);
        }
        encounterStepsLeft = 0;
        EXPECT_EQ(FramesUntil([] { return !IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL); }), 0);
        game->Frame();
        ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL));
        EXPECT_EQ(FramesUntil([] { return !IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL); }), 18);
        // The field stays hidden under a battle, and comes back when none could start.
        EXPECT_EQ(std::pair(TaskAt(0)->updateOn, TaskAt(0)->drawOn),
                  std::pair(slotTaken ? 1u : 0u, slotTaken ? 1u : 0u));
        EXPECT_EQ(CountKind(TASK_KIND_BATTLE_UNIT), slotTaken ? 0 : 4 + battleEnemyCount);
        TaskAt(TASK_SLOT_BATTLE)->inUse = 0;
    }
}

TEST_F(BattleTest, ScriptedStartMendsKindsAndCellsThenRefreezesTheFieldAtTheEnd) {
    ASSERT_EQ(StartEvent(1), 1);
    ASSERT_GE(FramesUntil([] { return IsTaskSlotInUse(TASK_SLOT_BATTLE); }), 0);
    const BattleController* b = Battle();
    EXPECT_EQ(std::pair(b->scripted, b->firstSide), std::pair(1u, SIDE_PARTY));
    // Kind 17 becomes 0 and the off-field cell the first free one, a taken cell the next; the
    // field's edge cells are taken as given.
    const std::tuple<int, float, float> want[] = {
        {0, -13, 13}, {5, -11, 13}, {2, -13, -13}, {3, 13, 13}};
    for (int i = 0; i < 4; ++i) {
        const BattleUnit* u = LiveBattleUnitAt(14 + i);
        ASSERT_NE(u, nullptr);
        const auto [kind, x, z] = want[i];
        EXPECT_EQ(std::memcmp(&u->record, &enemyKinds[kind], sizeof(CharacterRecord)), 0) << i;
        EXPECT_EQ(std::pair(u->position.x, u->position.z), std::pair(x, z)) << i;
    }
    EXPECT_EQ(TaskAt(0)->drawOn, 0u);
    EXPECT_EQ(PageThrough(BattleMessageWaitState), 3);  // four kinds: two pages of names
    KillSide(SIDE_ENEMY);
    ASSERT_GE(FramesPassingTurnsUntil([] { return State() == WaitFinalMessageKey; }), 0);
    PageThrough(WaitFinalMessageKey);
    ASSERT_FALSE(IsTaskSlotInUse(TASK_SLOT_BATTLE));
    EXPECT_EQ(std::pair(TaskAt(0)->updateOn, TaskAt(0)->drawOn), std::pair(0u, 1u));
    // The runner goes on to its next command: a second battle.
    EXPECT_GE(FramesUntil([] { return IsTaskSlotInUse(TASK_SLOT_BATTLE); }), 0);
}

}  // namespace
