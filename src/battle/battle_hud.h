// What the battle draws over the field.
#pragma once

#include "battle/battle_controller.h"

// The pause box: quit to the title, no or yes, on the controller's pause choice.
void DrawBattlePauseMenu(const BattleController* controller);
