// Event commands whose sequences are not built yet. Each keeps its name and the control flow
// the runner relies on: the command is passed over (the next "#" scan skips its arguments),
// and a command that ends its event still ends it. Each goes when its own code arrives.
#include "event/event_commands.h"
#include "event/staff_roll.h"
#include "menu/title_screen.h"


void EventCmdPanCamera(EventRunnerPayload*) {}
void EventCmdSetTile(EventRunnerPayload*) {}
void EventCmdPlaySound(EventRunnerPayload*) {}
void EventCmdJoinCharacter(EventRunnerPayload*) {}
void EventCmdSetPartyControl(EventRunnerPayload*) {}
void EventCmdChangeMap(EventRunnerPayload* runner) {
    runner->alive = 0;
}
void EventCmdSetFlag(EventRunnerPayload*) {}
void EventCmdIfFlagJump(EventRunnerPayload*) {}
void EventCmdRemoveObjects(EventRunnerPayload*) {}
void EventCmdWait(EventRunnerPayload*) {}
void EventCmdGatherParty(EventRunnerPayload*) {}
void EventCmdCreateNpcs(EventRunnerPayload*) {}
void EventCmdSetFacing(EventRunnerPayload*) {}
void EventCmdMoveObjects(EventRunnerPayload*) {}
void EventCmdEnableLeaderUpdate(EventRunnerPayload*) {}
void EventCmdFixCamera(EventRunnerPayload*) {}
void EventCmdDeleteTasksOfKind(EventRunnerPayload*) {}
void EventCmdSortParty(EventRunnerPayload*) {}
void EventCmdReorderParty(EventRunnerPayload*) {}
void EventCmdPlaceCamera(EventRunnerPayload*) {}
void EventCmdCameraFollow(EventRunnerPayload*) {}
void EventCmdSetScreenTint(EventRunnerPayload*) {}
void EventCmdAddGold(EventRunnerPayload*) {}
void EventCmdLoadMap(EventRunnerPayload* runner) {
    runner->alive = 0;
}
void EventCmdSpawnEffect(EventRunnerPayload*) {}
void EventCmdRebuildCollision(EventRunnerPayload*) {}
void EventCmdSetVisible(EventRunnerPayload*) {}
void EventCmdStoreMember(EventRunnerPayload*) {}
void EventCmdPlaceParty(EventRunnerPayload*) {}
void EventCmdRestoreParty(EventRunnerPayload*) {}
void EventCmdShowPartyHeal(EventRunnerPayload*) {}
void EventCmdFetchMember(EventRunnerPayload*) {}
void EventCmdIfObjectMissingJump(EventRunnerPayload*) {}
void EventCmdSetPassability(EventRunnerPayload*) {}

void EventCmdInn(EventRunnerPayload*) {}
void EventCmdShop(EventRunnerPayload*) {}
void EventCmdStartBattle(EventRunnerPayload*) {}
void EventCmdSpawnMovingObjects(EventRunnerPayload*) {}
void EventCmdArrowTrap(EventRunnerPayload*) {}
void EventCmdTreasure(EventRunnerPayload*) {}
void EventCmdSetEncounterInterval(EventRunnerPayload*) {}
void EventCmdEncounterSwirl(EventRunnerPayload*) {}
void EventCmdPitFall(EventRunnerPayload*) {}
void EventCmdAmountEntry(EventRunnerPayload*) {}

// Until the staff roll exists the story's end returns to the title, never to an empty screen.
void CreateStaffRoll() {
    CreateTitleScreen();
}
