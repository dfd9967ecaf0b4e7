// How a battle ends: the records written back to the roster, and the closing lines.
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
