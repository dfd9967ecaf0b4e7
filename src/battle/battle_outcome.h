// How a battle ends: the closing lines, the money and experience of a victory with the level-ups
// it brings, and the records written back to the roster.
#pragma once

#include "battle/battle_unit.h"
#include "field/game_state.h"

// Copies a party member's record (classes 1 to 3 only) over the roster entry with the same
// character; nothing when no entry matches. Familiars are never written back.
void StorePartyMemberRecord(const CharacterRecord& record);
// A party unit's record, written back to the roster place it came from while that place still
// holds the same character, else as above.
void StorePartyUnitRecord(const BattleUnit* unit);
// Every battle unit's record, written back as above.
void SavePartyRecords();

struct BattleController;

constexpr int32_t EXP_PER_LEVEL = 1000;
constexpr int32_t LEVEL_MAX = 999;
// Levels from this one on bring no growth.
constexpr int32_t GROWTH_LEVEL_LIMIT = 100;

// The money, the reward line and every party unit's experience, in slot order.
void GiveBattleRewards(BattleController* controller);
// Experience for one unit; a full thousand gives a level (the excess is lost) and its line.
void AddUnitExp(BattleController* controller, BattleUnit* unit);
// One level up (999 at most), with the class's growth below level 100, then fully healed.
void LevelUpUnit(BattleUnit* unit);
