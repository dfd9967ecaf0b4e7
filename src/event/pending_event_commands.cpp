// Event commands whose sequences are not built yet. Each keeps its name and the control flow
// the runner relies on: the command is passed over (the next "#" scan skips its arguments),
// and a command that ends its event still ends it. Each goes when its own code arrives.
#include "event/event_commands.h"
#include "event/staff_roll.h"
#include "menu/title_screen.h"

void EventCmdInn(EventRunnerPayload*) {}
void EventCmdShop(EventRunnerPayload*) {}
void EventCmdSpawnMovingObjects(EventRunnerPayload*) {}
void EventCmdArrowTrap(EventRunnerPayload*) {}
void EventCmdTreasure(EventRunnerPayload*) {}
void EventCmdSetEncounterInterval(EventRunnerPayload*) {}
void EventCmdPitFall(EventRunnerPayload*) {}
void EventCmdAmountEntry(EventRunnerPayload*) {}

// Until the staff roll exists the story's end returns to the title, never to an empty screen.
void CreateStaffRoll() {
    CreateTitleScreen();
}
