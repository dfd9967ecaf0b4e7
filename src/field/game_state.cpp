// Storage of the game state, and the one rule that keeps money within its range.
#include "field/game_state.h"

#include <algorithm>

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

void AddMoney(int32_t delta) {
    // Summed wide: a large gain on a full purse must not wrap round to a debt.
    int64_t sum = static_cast<int64_t>(money) + delta;
    money = static_cast<int32_t>(std::clamp<int64_t>(sum, 0, MONEY_MAX));
}
