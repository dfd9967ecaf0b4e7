// The party's shared bag of 80 slots, the table of the 27 items, the slot operations every
// screen uses, and the effects of consumables on a character record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "data/atlas_rect.h"

struct CharacterRecord;

constexpr int INVENTORY_SLOT_COUNT = 80;
constexpr int32_t ITEM_NONE = 9999;
constexpr int32_t STACK_MAX = 99;
constexpr int ITEM_COUNT = 27;

constexpr int32_t ITEM_TYPE_CONSUMABLE = 1;
constexpr int32_t ITEM_TYPE_WEAPON = 10;
constexpr int32_t ITEM_TYPE_ARMOR = 11;
constexpr int32_t ITEM_TYPE_SPECIAL = 20;

constexpr uint32_t ITEM_FLAG_BATTLE = 1;  // offered by the battle item command
constexpr uint32_t ITEM_FLAG_MENU = 2;    // usable from the camp item screen
constexpr uint32_t ITEM_FLAG_KEY = 4;     // cannot be discarded

// The items other code names by number.
constexpr int32_t ITEM_AMULET = 25;  // starts the step countdown
constexpr int32_t ITEM_BOAT = 26;    // lets the leader cross liquid cells

struct InventorySlot {
    int32_t itemId;  // itemTable row, or ITEM_NONE for an empty slot
    int32_t count;
};

struct ItemRecord {
    int32_t id;
    int32_t type;
    int32_t value;           // points restored, melee power, or countdown steps
    uint32_t inflictStatus;  // status bits a weapon may put on the unit it hits
    int32_t price;
    uint32_t equipMask;  // ANDed with the wearer's characterClass
    uint32_t flags;
    AtlasRect nameRect;
    AtlasRect detailRect;
    char16_t name[30];  // UTF-16, zero-padded; the screens draw the two images instead
};
static_assert(sizeof(ItemRecord) == 120);
static_assert(offsetof(ItemRecord, nameRect) == 28);
static_assert(offsetof(ItemRecord, detailRect) == 44);
static_assert(offsetof(ItemRecord, name) == 60);

extern InventorySlot inventory[INVENTORY_SLOT_COUNT];
extern const ItemRecord itemTable[ITEM_COUNT];

// True for a row of itemTable. A slot whose itemId is anything else (9999, or a number a save
// file brought in) holds nothing as far as every screen and operation is concerned.
bool IsItemId(int32_t id);
// True when the slot index is inside the bag and its slot holds an item of the table.
bool IsInventorySlotFilled(int slot);

// Empties the bag and puts in the starting items.
void InitInventory();
// The first stack of id below STACK_MAX, else the first slot holding nothing, else -1 (also for
// an id that is not an item).
int FindInventorySlot(int32_t id);
// One more id in the slot when it holds id or nothing; a slot holding another item, a slot
// index outside the bag and an id that is not an item are ignored. The 99 limit is the
// caller's, through FindInventorySlot.
void AddItemToInventorySlot(int slot, int32_t id);
// One fewer in the slot; the slot is left empty in place when none is left.
void ConsumeInventorySlot(int slot);
// The whole stack goes.
void ClearInventorySlot(int slot);
// Orders the slots by item id, empty slots last, keeping the order of equal ids; stacks are
// not merged.
void SortInventory();
// True when any slot holds the item, whatever its count.
bool HasItem(int32_t id);

// Consumable effects. Each requests the heal sound, whether or not anything changed.
void RestoreHpByItem(CharacterRecord& record, int32_t id);
// Only for characters with magic points (classes 2 and 3).
void RestoreMpByItem(CharacterRecord& record, int32_t id);
void CurePoisonByItem(CharacterRecord& record);
void CureParalysisByItem(CharacterRecord& record);
