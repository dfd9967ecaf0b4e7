// Victory without its rewards: the party's money, experience and levels stay as they were.
#include "battle/battle_outcome.h"
#include "battle/battle_states.h"

void ShowVictory(BattleController* controller) {
    controller->gameOver = 0;
    ClearMessageWindow(controller->shownLines, controller->queuedLines);
    QueueBattleTextPage(controller->queuedLines, BATTLE_TEXT_VICTORY);
    QueueBattleText(controller->queuedLines, BATTLE_TEXT_VICTORY_AFTER);
    SavePartyRecords();
    controller->stateFn = ShowFinalLines;
    controller->hudShown = 0;
}
