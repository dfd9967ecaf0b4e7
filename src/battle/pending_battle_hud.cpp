// The controller draws its pause box, the acting unit's overlays and its message box: the bars,
// the status panels, the ring and the automatic-battle icon do not show yet.
#include "battle/battle_hud.h"
#include "battle/battle_states.h"
#include "battle/command_phase.h"

void DrawBattleController(TaskSlot* slot) {
    const BattleController* controller = TaskPayload<BattleController>(slot);
    const BattleStateFn state = controller->stateFn;
    if (state == HandleBattlePauseMenu) {
        DrawBattlePauseMenu(controller);
        return;
    }
    UpdateTurnUnitUi();
    DrawTurnUnitUi();
    if (state == ShowQueuedLines || state == BattleMessageWaitState || state == ShowFinalLines ||
        state == WaitFinalMessageKey) {
        DrawBattleMessageBox(controller->shownLines);
    }
}
