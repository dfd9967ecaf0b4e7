// Leaving the battle field on foot: the party's escape south, which needs a clear line south for
// every member, the walk off the field, and an enemy's flight north. The states are declared
// with the others in battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"

struct BattleController;

// The points tested along a line lie this far apart; a foe closer than FOE_NEAR_DISTANCE to
// one of them blocks the line.
constexpr float EXIT_PROBE_STEP = 2.0f;
constexpr float FOE_NEAR_DISTANCE = 2.0f;
constexpr float WALK_OUT_STEP = 0.5f;
constexpr float ESCAPE_HEADING = 270.0f;
constexpr float FLEE_HEADING = 90.0f;

// 1 when a unit other than self, of a side other than side, stands closer than
// FOE_NEAR_DISTANCE to (x, z) on the ground plane.
int IsFoeNear(float x, float z, const BattleUnit* self, int32_t side);
// 1 when the line from the unit along the heading (0, 90, 180 or 270) meets a foe before it
// leaves the field; the unit's own place is not tested. A heading the line cannot follow never
// leaves the field, so it counts as blocked.
int IsExitPathBlocked(const BattleUnit* unit, float heading);
// The escape's turn list: the other party units, from the one after the unit round to the one
// before it. Party units past the fourth are reported and left out.
void BuildEscapeTurnList(BattleController* controller, const BattleUnit* unit);
// One frame of walking off the field: 1 while the unit is still on it, 0 once it is outside.
int WalkOutStep(BattleUnit* unit, float heading);
// The failed escape's message, drawn while the unit waits in EscapeFailedState.
void DrawEscapeFailed(const BattleUnit* unit);
