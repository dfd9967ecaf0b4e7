// What the battle draws over the field.
#pragma once

#include "battle/battle_controller.h"

// The pause box: quit to the title, no or yes, on the controller's pause choice.
void DrawBattlePauseMenu(const BattleController* controller);
// The unit's name on a plate above its head.
void DrawUnitNamePlate(const BattleUnit* unit);
