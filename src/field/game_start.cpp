// Game start and party setup.
#include "field/game_start.h"

#include "battle/inventory.h"
#include "engine/memory.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "event/event_pack.h"
#include "field/character_tables.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_view.h"
#include "field/party.h"
#include "menu/title_screen.h"
#include "platform/system.h"
#include "render/camera.h"

namespace {

// Reads count character ids; false (the command is ignored) for an id outside the templates.
bool ReadCharacterIds(EventRunnerPayload* runner, uint32_t count, uint32_t* ids) {
    bool valid = true;
    for (uint32_t i = 0; i < count; ++i) {
        ids[i] = ReadCommandNumber(runner);
        valid = valid && ids[i] < static_cast<uint32_t>(CHARACTER_TEMPLATE_COUNT);
    }
    return valid;
}

void FillRoster(uint32_t count, const uint32_t* ids) {
    partyCount = static_cast<int32_t>(count);
    ZeroMemoryBlock(partyRoster, sizeof partyRoster);
    for (uint32_t i = 0; i < count; ++i) {
        partyRoster[i] = characterTemplates[ids[i]];
    }
}

}  // namespace

void ShowNoDataFile() {
    // A load that has already shown what was wrong with it gets no second box.
    if (!eventPackFailureShown) {
        PlatformShowMessage("", NO_DATA_FILE_MESSAGE);
    }
    eventPackFailureShown = false;
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

void EventCmdSetupParty(EventRunnerPayload* runner) {
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    const uint32_t facing = ReadCommandNumber(runner);
    const uint32_t frozen = ReadCommandNumber(runner);
    const uint32_t count = ReadCommandNumber(runner);
    if (count < 1 || count > PARTY_MAX) {
        return;
    }
    uint32_t ids[PARTY_MAX];
    if (!ReadCharacterIds(runner, count, ids)) {
        return;
    }
    FillRoster(count, ids);
    float x = 0.0f;
    float z = 0.0f;
    CellToWorld(static_cast<int32_t>(column), static_cast<int32_t>(row), &x, &z);
    CreatePartyTasks(static_cast<int32_t>(count), x, FIELD_ACTOR_HEIGHT, z,
                     static_cast<float>(facing), frozen != 0);
    CreateFieldCamera(x, FIELD_ACTOR_HEIGHT, z, 270.0f, 60.0f, PARTY_TAG_FIRST, CameraModeFollow);
    CreateMapView();
    money = START_MONEY;
    InitInventory();
    ClearEventFlags();
}

void EventCmdSetParty(EventRunnerPayload* runner) {
    const uint32_t count = ReadCommandNumber(runner);
    if (count < 1 || count > PARTY_MAX) {
        return;
    }
    uint32_t ids[PARTY_MAX];
    if (!ReadCharacterIds(runner, count, ids)) {
        return;
    }
    FillRoster(count, ids);
}
