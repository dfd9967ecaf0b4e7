// Game start and party setup.
#include "field/game_start.h"

#include "battle/inventory.h"
#include "engine/memory.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "menu/title_screen.h"
#include "platform/system.h"
#include "render/camera.h"

void ShowNoDataFile() {
    PlatformShowMessage("", NO_DATA_FILE_MESSAGE);
    KillAllTasks();
    CreateTitleScreen();
}

bool StartGameAtMap(int32_t scenarioNumber, int32_t map) {
    encounterGroup = 0;
    eventBlockCount = 0;
    encounterInterval = DEFAULT_ENCOUNTER_INTERVAL;
    encounterStepsLeft = DEFAULT_ENCOUNTER_INTERVAL;
    partyCount = 0;
    battleEnemyCount = 0;
    familiarCount = PARTY_MAX;
    ZeroMemoryBlock(partyRoster, sizeof partyRoster);
    ZeroMemoryBlock(familiarTeam, sizeof familiarTeam);
    ZeroMemoryBlock(storedMembers, sizeof storedMembers);
    money = START_MONEY;
    InitInventory();
    ClearEventFlags();
    SetCamera(0.0f, 100.0f, 0.0f, 0.0f, 100.0f, 0.0f);
    scenario = scenarioNumber;
    const bool loaded = LoadMap(map);
    PlayMusic(MUSIC_FIELD);
    if (!loaded) {
        // As a failed map change does: say so and go back to the title, not a black screen.
        ShowNoDataFile();
    }
    return loaded;
}
