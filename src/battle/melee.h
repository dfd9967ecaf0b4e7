// The melee strike of a unit standing within reach of its target: a wind-up and a swing drawn by
// turning the unit about its vertical axis, then the blow with its damage, the weapon's status
// and the target's reaction, which pushes it one cell away from the attacker when that cell is
// free and inside the field and otherwise only tilts it back. The states are declared with the
// others in battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"
#include "battle/inventory.h"

constexpr int32_t MELEE_SWING_FRAMES = 10;
constexpr float MELEE_SWING_TURN = 9.0f;
constexpr int32_t MELEE_LEAST_DAMAGE = 10;
constexpr int32_t MELEE_RANDOM_RANGE = 4;
constexpr int32_t MELEE_STATUS_CHANCE = 10;
constexpr int32_t HIT_TILT_FRAMES = 4;
constexpr int32_t KNOCKBACK_FRAMES = 4;
constexpr float KNOCKBACK_STEP = 0.5f;
constexpr float KNOCKBACK_TEST_DISTANCE = 2.8f;
constexpr float KNOCKBACK_BOUND = 14.0f;
constexpr int32_t HIT_REACTION_FRAMES = 40;

// The item table's row for the id, or null for any other id (ITEM_NONE included): such a piece
// of equipment has no power and no status.
const ItemRecord* ItemRow(int32_t id);
// Rounded half away from zero; beyond the 32-bit range it saturates, and NaN gives 0.
int32_t RoundToInt(float f);

// The hit test of a blow: 1 when it lands.
int RollMeleeHit(const BattleUnit* attacker, const BattleUnit* target);
// The damage of a blow before its reaction, with the random part already drawn: at least 10.
float MeleeDamage(const BattleUnit* attacker, const BattleUnit* target, int32_t randomPart);
// The blow on the attacker's target: damage, reaction, sound and the weapon's status. Nothing
// when the target has left the field.
void ResolveMeleeHit(BattleUnit* attacker);
// A blow that missed: the swing sound and the miss image over the attacker.
void ShowMeleeMiss(const BattleUnit* attacker);
// One frame of a wind-up (turning back) and of a swing (turning through): 1 in the frame each one
// ends, the wind-up with the swing's sound and its frames set.
int StepMeleeWindup(BattleUnit* attacker);
int StepMeleeSwing(BattleUnit* attacker);
// The blow at the end of a swing, on a target still on the field.
void StrikeMeleeTarget(BattleUnit* attacker);
// The target's reaction, its hit points (never below 0) and the damage number over it.
void ApplyMeleeDamage(BattleUnit* attacker, float damage);

// The target tilts away from the attacker and, when the cell behind it is free and inside the
// field, is pushed into it.
void KnockBackTarget(BattleUnit* attacker);
// Angles are whole degrees from the attacker towards the target; the eight compass headings
// tilt or push, any other angle keeps the tilt (and, for the push, the tilt's state).
void StartHitTilt(BattleUnit* attacker, int32_t angle);
void StartKnockback(BattleUnit* attacker, int32_t angle);
// Whether a pushed unit may land there: both bounds are included, which no edge cell's push
// reaches.
bool IsWithinKnockBackBounds(float x, float z);
// Whether any battle unit, of either side, stands in the point's field cell.
bool IsBattleCellOccupied(float x, float z);
