// What the battle draws over the field: the top bar with the unit counts, the ring under the
// unit whose turn is being decided and its name plate, the party's status panels, the message
// box, the automatic-battle icon, the bottom bar with the camera readings, and the pause box.
#pragma once

#include <cstdint>

#include "battle/battle_controller.h"

void DrawBattleTopBar();
// One panel per party unit while some unit is at its command menu.
void DrawPartyStatusPanels(const BattleController* controller);
void DrawUnitStatusPanel(float x, float y, const CharacterRecord& record);
void DrawPanelGauge(float x, float y, float width, int32_t current, int32_t maximum);
void DrawCurMaxNumbers(float x, float y, int32_t current, int32_t maximum);
void DrawAutoIcon(float x, float y);
void DrawBattleBottomBar(const BattleController* controller);
// The ring under the first unit deciding its turn, with its name plate when info is 1.
void DrawActiveUnitCursor(uint32_t info);
void DrawSelectionRing(const BattleUnit* unit, uint32_t info);
// The unit's name on a plate above its head.
void DrawUnitNamePlate(const BattleUnit* unit);
// The pause box: quit to the title, no or yes, on the controller's pause choice.
void DrawBattlePauseMenu(const BattleController* controller);
