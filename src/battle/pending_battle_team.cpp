// The familiar team cannot take the field yet, so a change of team has no one to bring in: the
// fight goes on with the units already there, and the summon calls no one.
#include "battle/battle_states.h"

void SwapBattleTeam(BattleController* controller) {
    controller->mode = BATTLE_MODE_FIGHT;
}

void BuildPartyTurnListFrom(BattleController*, BattleUnit*) {}

void SummonFamiliars() {}
