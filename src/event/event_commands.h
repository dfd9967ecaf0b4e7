// The handlers of the event commands ("#" opcodes 0..99) that the runner dispatches, whichever
// subsystem owns them, the wait states they put the runner in, and the operations the world
// commands share.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "event/event_runner.h"
#include "platform/common/math3d.h"

struct CharacterRecord;

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
void UpdatePanCamera(EventRunnerPayload* runner);
void UpdateWait(EventRunnerPayload* runner);
void UpdateGatherParty(EventRunnerPayload* runner);
void UpdateMoveObjects(EventRunnerPayload* runner);
void WaitEffects(EventRunnerPayload* runner);

// What those commands share. Objects are found by their header tag; only party members and
// NPCs have facings and walking fields, the other placed objects a position alone.

// A template (0..3) joins the party: false for any other number.
bool AddCharacterToParty(uint32_t templateIndex);
// The collision cell under a party member, NPC or examine object becomes free.
void FreeObjectCell(const TaskSlot* slot);
// Every party member and NPC in slots 0..99 with the tag turns to a facing of 0, 90, 180, 270.
void SetObjectFacing(uint32_t tag, uint32_t facing);
// One sub-step of 0.25 for every object with the tag, on the cell grid every 8 steps left.
void StepObject(uint32_t tag, uint32_t direction, int32_t stepsLeft);
// 0.25 along a grid direction and the facing set (facing may be null); false for any other
// direction, which moves nothing.
bool ApplyStep(Vec3* position, float* facing, uint32_t direction);
// The first task with the tag is drawn or not.
void SetObjectVisible(bool on, uint32_t tag);
// The first filled party place holding the character, or null.
CharacterRecord* FindPartyMember(int32_t characterId);
// Storage place 0..3 receives a copy of the record.
void PutStoredMember(int place, const CharacterRecord& record);
void PlacePartyObjects(float x, float z, float facing);
void PlacePartyObject(float x, float z, float facing, uint32_t tag);
bool CreateEventNpc(float x, float y, float z, int32_t facing, uint32_t tag, int32_t model,
                    int32_t pattern);
// A red sphere that stays 30 frames.
bool CreateEventEffect(float x, float y, float z);

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
