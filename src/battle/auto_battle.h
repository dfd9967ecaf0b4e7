// The automatic battle: once the player accepts its prompt, every party unit's turn is played
// by its class. Fighters walk to the nearest enemy and strike, or defend when badly hurt;
// casters heal, cure or attack with magic, and when they can do none of it retreat from nearby
// enemies or defend; hybrids heal and cure first, then fight when few enemies are left and use
// magic otherwise. Key A during a turn hands the party back to the player. The states are
// declared with the others in battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"

// The party counts as wounded at half its hit points or less.
constexpr int32_t AUTO_WOUNDED_DIVISOR = 2;
// A fighter defends at a quarter or less, and a hybrid stops fighting at a third or less.
constexpr int32_t AUTO_DEFEND_DIVISOR = 4;
constexpr int32_t AUTO_FIGHT_DIVISOR = 3;
// How far a retreat aims: far outside the field, so the unit walks all its path allows.
constexpr float RETREAT_DISTANCE = 36.0f;
// A caster's or hybrid's defend shows its message this long; a fighter's is the command's.
constexpr int32_t AUTO_DEFEND_FRAMES = 50;
constexpr int32_t AUTO_PARALYSED_FRAMES = 50;

void SetAutoBattle(uint32_t on);

// The behaviour of the unit's class, called when its turn's pause is over. A class outside the
// four party classes plays as a fighter.
void RunAutoBehaviour(BattleUnit* unit);
void AutoFighter(BattleUnit* unit);
void AutoCaster(BattleUnit* unit);
void AutoHybrid(BattleUnit* unit);
// When the chosen cast cannot be made: by class, a retreat, a defend or a fight.
void AutoCasterFallback(BattleUnit* unit);
void AutoHybridFallback(BattleUnit* unit);

// Start a cast on the side's weakest unit, or on its first unit in slot order with any of the
// bits; a skill that reaches one unit finds none: false, nothing cast and nothing paid.
bool CastSkillAtWeakest(BattleUnit* unit, int32_t skillId, int32_t side);
bool CastSkillAtAfflicted(BattleUnit* unit, int32_t skillId, int32_t side, uint32_t bits);
// The unit's level and magic points are enough for the skill.
bool CanCastSkill(const BattleUnit* unit, int32_t skillId);

// Over the units of a side: their status bits together; the first in slot order with any of
// the bits; whether one stands within the unit's walking allowance (straight line, ground
// plane); their mean position, false when the side has none.
uint32_t CollectSideStatus(int32_t side);
BattleUnit* FindUnitWithStatus(int32_t side, uint32_t bits);
bool AnySideUnitInReach(const BattleUnit* unit, int32_t side);
bool ComputeSideCentroid(int32_t side, float* x, float* z);
