// A combatant on the battle field: a party member, a familiar or an enemy, each one task in the
// dynamic slots with its own copy of the character record. The copy changes during the battle
// and reaches the roster only when it is written back.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "field/game_state.h"
#include "platform/common/math3d.h"

constexpr int UNIT_TARGET_MAX = 6;
// The emblem a fighter of the party carries beside it.
constexpr int32_t CLASS_EMBLEM_MODEL = 36;
// Poison takes this much at the end of each of the unit's actions.
constexpr int32_t POISON_DAMAGE = 10;

struct BattleUnit {
    uint32_t active;  // 0 frees the slot at the end of this frame's update
    Vec3 position;
    Vec3 stepTarget;
    float facing;  // degrees, 0 = +x, 90 = +z
    float tiltX;
    float tiltZ;
    int32_t stepHeading;
    float moveBudget;
    float guard;
    float defenceBuff;
    float magicDefenceBuff;
    int32_t promptCursor;
    int32_t targetCursor;
    int32_t targetCount;
    int32_t countdown;
    int32_t waypoint;
    int32_t stepFrames;
    int32_t animCounter;
    int32_t skillId;
    int32_t hitTimer;
    TaskStateFn<BattleUnit> stateFn;
    CharacterRecord record;
    BattleUnit* target;
    BattleUnit* targets[UNIT_TARGET_MAX];
    float pendingMagicDamage;
    Vec3 home;
    // The roster entry the unit was made from (-1 for none): its record goes back there, since
    // a party may hold two members with the same character id.
    int32_t rosterPlace;
};
static_assert(sizeof(BattleUnit) <= TASK_PAYLOAD_BYTES);
static_assert(offsetof(BattleUnit, active) == 0);

using BattleUnitStateFn = TaskStateFn<BattleUnit>;

// A unit at (x, y, z), turned to facing, from a copy of the record, in the first free slot of
// 10..99: 1 when created, 0 when they are all taken.
int CreateBattleUnit(const CharacterRecord& record, float x, float y, float z, float facing);
// The same, answering the new unit (null when no slot is free).
BattleUnit* SpawnBattleUnit(const CharacterRecord& record, float x, float y, float z, float facing);
void UpdateBattleUnit(TaskSlot* slot);
void DrawBattleUnit(TaskSlot* slot);

// The unit a slot holds: only while the slot is in use, of the unit kind and active. A slot of
// 10..99 is reused by effects whose first word is also 1, so a kept pointer is checked this way.
BattleUnit* LiveBattleUnitAt(int slot);
bool IsLiveBattleUnit(const BattleUnit* unit);
// The live units of the side in slot order, at most max of them, into out: their count.
int CollectSideUnits(int32_t side, BattleUnit** out, int max);

// Empties the turn-list entry that holds the unit.
void RemoveFromBattleList(const BattleUnit* unit);
void ClearPendingMagicDamage();
// The controller's target, cursor and target list reset for a new turn.
void ResetUnitTurnState(BattleUnit* unit);
int CanUnitAct(const BattleUnit* unit);

// The controller's flags, as the units read them during a battle.
int IsAutoBattleOn();
int IsEscaping();
int IsScriptedBattle();
// 1 when the battle mode has any of the bits.
int HasBattleMode(uint32_t bits);
