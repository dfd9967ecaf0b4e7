// Unit states whose actions are not built yet. Each is its own function, so that code comparing
// states still tells them apart, and each ends the unit's turn at once.
#include "battle/battle_states.h"

void EscapeFailedState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void TurnChoicePromptState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void AutoBattleConfirmState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void TryEscape(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void EnemyTurnDelayState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void AutoBattleTurnState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void EscapeWalkState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void WalkOffFieldState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}

void WalkToHomeCellState(BattleUnit* unit) {
    unit->stateFn = TurnEndState;
}
