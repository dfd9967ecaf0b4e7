// An enemy's turn: after a short pause its record's behaviour decides what it does. It walks up
// to a party unit and strikes; it heals its wounded side or attacks with magic; it mixes the
// two; it warps beside a party unit, strikes and warps away to a random cell; or, as the last of
// its side, it flees north or calls a fresh copy of itself in. Every choice draws from the one
// generator in a fixed order, so a seeded battle plays the same every time. The states are
// declared with the others in battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"

// Enemy casters call their side wounded at a third of their hit points or less.
constexpr int32_t ENEMY_WOUNDED_DIVISOR = 3;
constexpr int32_t WARP_PAUSE_FRAMES = 20;
// A unit there is off the field square: not drawn, and in no cell of the field.
constexpr float WARP_PARKING = 100.0f;
// Where a called copy appears, north of the field, and the columns it may come down.
constexpr float REINFORCEMENT_ENTRY_Z = 21.0f;
constexpr float REINFORCEMENT_FACING = 270.0f;
constexpr int32_t REINFORCEMENT_COLUMNS = 14;
constexpr float REINFORCEMENT_FIRST_COLUMN = -13.0f;
// No free column.
constexpr float NO_ENTRY_COLUMN = 100.0f;

// The searches over the units of a side: at most UNIT_TARGET_MAX of them in slot order, the
// first among ties being the earliest slot. Null when the side has none on the field.
BattleUnit* FindWeakestOfSide(float x, float z, int32_t side);
BattleUnit* FindNearestOfSide(float x, float z, int32_t side);
BattleUnit* FindFarthestOfSide(float x, float z, int32_t side);
// The fewest hit points of the side; it may be the unit itself.
BattleUnit* FindLowestHpOfSide(const BattleUnit* unit, int32_t side);
// Units of the side with hp at most hpMax / divisor (integer division).
int CountWoundedOfSide(int32_t side, int32_t divisor);

// A cell of the field is blocked by the grid, or by any unit standing in it. Off the grid
// counts as blocked.
bool IsFieldCellBlockedOrHeld(int32_t column, int32_t row);
// All eight cells around the unit are blocked or held.
bool IsSurrounded(const BattleUnit* unit);
// The heading towards a free cell around the unit, drawn among the free ones taken from the
// largest heading down; -1, without a draw, when none is free.
int32_t PickFreeNeighbourAngle(const BattleUnit* unit);
// Some other unit is not idle: still reacting to a blow, sinking, walking in.
bool IsAnyOtherUnitActing(const BattleUnit* unit);
// A cell centre of the field's central 12 by 12 block drawn among those no unit stands in, in
// rows from the north and each row from the west: false, without a draw, when all are taken.
bool PickRandomFreeCell(float* x, float* z);

// The lone survivor's two ways out: 1 when it fled or called a copy, 0 when it approaches.
int EnemyAiLonerDecision(BattleUnit* unit);
bool CanFlee(const BattleUnit* unit);
bool CallReinforcement(BattleUnit* unit);
// A column no unit stands near, drawn among the free ones from the west; NO_ENTRY_COLUMN,
// without a draw, when none is free.
float PickFreeEntryColumn();
bool IsColumnTaken(float x);
// The battle's money and experience grow, for a unit that joined after the start.
void AddBattleRewards(int32_t gold, int32_t exp);
