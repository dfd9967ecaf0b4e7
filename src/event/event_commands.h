// The handlers of the event commands ("#" opcodes 0..99) that the runner dispatches, whichever
// subsystem owns them, and the wait states they put the runner in.
#pragma once

#include "event/event_runner.h"

// Party and game start.
void EventCmdSetupParty(EventRunnerPayload* runner);  // 0
void EventCmdSetParty(EventRunnerPayload* runner);    // 5

// Message window.
void EventCmdShowWindow(EventRunnerPayload* runner);  // 1
void EventCmdMessage(EventRunnerPayload* runner);     // 2
void EventCmdChoice(EventRunnerPayload* runner);      // 3
void EventCmdSetFace(EventRunnerPayload* runner);     // 4
void UpdateMessage(EventRunnerPayload* runner);
void UpdateChoice(EventRunnerPayload* runner);

// World, party, objects and flags.
void EventCmdPanCamera(EventRunnerPayload* runner);            // 6
void EventCmdSetTile(EventRunnerPayload* runner);              // 7
void EventCmdPlaySound(EventRunnerPayload* runner);            // 8
void EventCmdJoinCharacter(EventRunnerPayload* runner);        // 9
void EventCmdSetPartyControl(EventRunnerPayload* runner);      // 10
void EventCmdChangeMap(EventRunnerPayload* runner);            // 11
void EventCmdSetFlag(EventRunnerPayload* runner);              // 14
void EventCmdIfFlagJump(EventRunnerPayload* runner);           // 15
void EventCmdRemoveObjects(EventRunnerPayload* runner);        // 17
void EventCmdWait(EventRunnerPayload* runner);                 // 18
void EventCmdGatherParty(EventRunnerPayload* runner);          // 19
void EventCmdCreateNpcs(EventRunnerPayload* runner);           // 20
void EventCmdSetFacing(EventRunnerPayload* runner);            // 21
void EventCmdMoveObjects(EventRunnerPayload* runner);          // 22
void EventCmdEnableLeaderUpdate(EventRunnerPayload* runner);   // 23
void EventCmdFixCamera(EventRunnerPayload* runner);            // 28
void EventCmdDeleteTasksOfKind(EventRunnerPayload* runner);    // 30
void EventCmdSortParty(EventRunnerPayload* runner);            // 31, 46
void EventCmdReorderParty(EventRunnerPayload* runner);         // 33
void EventCmdPlaceCamera(EventRunnerPayload* runner);          // 34
void EventCmdCameraFollow(EventRunnerPayload* runner);         // 37
void EventCmdSetScreenTint(EventRunnerPayload* runner);        // 38
void EventCmdAddGold(EventRunnerPayload* runner);              // 39
void EventCmdLoadMap(EventRunnerPayload* runner);              // 40
void EventCmdSpawnEffect(EventRunnerPayload* runner);          // 43
void EventCmdRebuildCollision(EventRunnerPayload* runner);     // 44
void EventCmdSetVisible(EventRunnerPayload* runner);           // 45
void EventCmdStoreMember(EventRunnerPayload* runner);          // 47
void EventCmdPlaceParty(EventRunnerPayload* runner);           // 48
void EventCmdRestoreParty(EventRunnerPayload* runner);         // 49
void EventCmdShowPartyHeal(EventRunnerPayload* runner);        // 50
void EventCmdFetchMember(EventRunnerPayload* runner);          // 52
void EventCmdIfObjectMissingJump(EventRunnerPayload* runner);  // 53
void EventCmdSetPassability(EventRunnerPayload* runner);       // 54

// Sequences of their own.
void EventCmdInn(EventRunnerPayload* runner);                   // 12
void EventCmdShop(EventRunnerPayload* runner);                  // 13
void EventCmdStartBattle(EventRunnerPayload* runner);           // 16
void EventCmdSpawnMovingObjects(EventRunnerPayload* runner);    // 24
void EventCmdArrowTrap(EventRunnerPayload* runner);             // 25
void EventCmdTreasure(EventRunnerPayload* runner);              // 26
void EventCmdSetEncounterInterval(EventRunnerPayload* runner);  // 29
void EventCmdEncounterSwirl(EventRunnerPayload* runner);        // 32
void EventCmdFadeOut(EventRunnerPayload* runner);               // 35, 41
void EventCmdClearScreenFade(EventRunnerPayload* runner);       // 36
void EventCmdPitFall(EventRunnerPayload* runner);               // 42
void EventCmdAmountEntry(EventRunnerPayload* runner);           // 51

// The runner's own: the fade to the staff roll (97), back to the title (98), the end (99).
void EventCmdFadeToEnding(EventRunnerPayload* runner);
void EventCmdReturnToTitle(EventRunnerPayload* runner);
void EventCmdEndEvent(EventRunnerPayload* runner);
void UpdateFadeToEnding(EventRunnerPayload* runner);
