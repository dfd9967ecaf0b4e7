// The controller draws only its pause box and its message box: the bars, the status panels, the
// ring and the name plates do not show yet.
#include "battle/battle_hud.h"
#include "battle/battle_states.h"

void DrawBattleController(TaskSlot* slot) {
    const BattleController* controller = TaskPayload<BattleController>(slot);
    const BattleStateFn state = controller->stateFn;
    if (state == HandleBattlePauseMenu) {
        DrawBattlePauseMenu(controller);
        return;
    }
    if (state == ShowQueuedLines || state == BattleMessageWaitState || state == ShowFinalLines ||
        state == WaitFinalMessageKey) {
        DrawBattleMessageBox(controller->shownLines);
    }
}
