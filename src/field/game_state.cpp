// Storage of the game state.
#include "field/game_state.h"

CharacterRecord partyRoster[PARTY_MAX];
CharacterRecord storedMembers[PARTY_MAX];
CharacterRecord familiarTeam[PARTY_MAX];

int32_t money = START_MONEY;
int32_t partyCount = PARTY_MAX;
int32_t familiarCount = PARTY_MAX;
int32_t battleEnemyCount = 0;
int32_t scenario = 0;
int32_t currentMap = 0;
int32_t encounterGroup = 0;
int32_t encounterInterval = DEFAULT_ENCOUNTER_INTERVAL;
int32_t encounterStepsLeft = DEFAULT_ENCOUNTER_INTERVAL;
int32_t eventBlockCount = 0;
