// The game on the headless harness in a walled room with the party set up, ready for battles:
// event 1 starts a scripted battle whose arguments need mending, then a second one.
#pragma once

#include <functional>

#include "battle/battle_controller.h"
#include "battle/battle_states.h"
#include "engine/keyboard.h"
#include "engine/random.h"
#include "event/event_commands_fixture.h"
#include "field/character_tables.h"

class BattleTest : public EventCommandsFixture {
  protected:
    // Event 1 starts a scripted battle with arguments to mend, then a second one.
    void SetUp() override {
        Load({{{1, 1}, "$7,#16,4,17,1,1,5,8,10,2,2,15,3,15,2,#16,1,0,9,9,#99,@"}});
        partyCount = PARTY_MAX;
        for (int i = 0; i < PARTY_MAX; ++i) {
            partyRoster[i] = characterTemplates[i];
        }
        LeaderOn(3, 3);
        encounterGroup = 1;
    }

    // A random battle as the swirl starts one: everything else paused and hidden.
    static BattleController* Begin() {
        SetAllTasksActive(TASK_ACTIVITY_STOP_BOTH);
        SeedRandom(1);
        EXPECT_EQ(StartRandomBattle(0.0f, 0.0f), 1);
        return Battle();
    }
    static BattleController* BeginPastOpening() {
        BattleController* b = Begin();
        ClearQueuedLines(b->queuedLines);
        b->eye.y = BATTLE_CAMERA_HIGH;
        b->stateFn = StartNextUnitTurn;
        return b;
    }
    static BattleStateFn State() { return Battle()->stateFn; }
    // Frames until the check holds, each party unit ending its turn at its command menu.
    int FramesPassingTurnsUntil(const std::function<bool()>& done) {
        return FramesUntil([&] {
            for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
                if (BattleUnit* u = LiveBattleUnitAt(s);
                    u != nullptr && u->stateFn == CommandMenuState) {
                    u->stateFn = TurnEndState;
                }
            }
            return done();
        });
    }
    // A frame with no key, so that the next one sees the key newly pressed.
    void Press(int key) {
        game->ReleaseAll();
        game->Frame();
        game->Hold(key);
        game->Frame();
        game->ReleaseAll();
    }
    // Every unit idle and the controller watching, ready to hand a unit its next state.
    static void IdleAllUnits() {
        Battle()->stateFn = WatchUnitTurn;
        for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
            if (BattleUnit* u = LiveBattleUnitAt(s)) {
                u->stateFn = UnitIdleState;
            }
        }
    }
    static void KillSide(int32_t side) {
        for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
            if (BattleUnit* u = LiveBattleUnitAt(s); u != nullptr && u->record.side == side) {
                TaskAt(s)->inUse = 0;
            }
        }
    }
    // Pages through the lines on screen until the state leaves the message states: the pages.
    int PageThrough(BattleStateFn wait) {
        int pages = 0;
        for (int frame = 0; frame < 600 && IsTaskSlotInUse(TASK_SLOT_BATTLE); ++frame) {
            game->Frame();
            if (IsTaskSlotInUse(TASK_SLOT_BATTLE) && State() == wait) {
                game->Tap(KEY_RETURN);
                ++pages;
            } else if (!IsTaskSlotInUse(TASK_SLOT_BATTLE) || State() == StartNextUnitTurn ||
                       State() == WatchUnitTurn) {
                break;
            }
        }
        return pages;
    }
};
