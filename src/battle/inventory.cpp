// Inventory operations and the effects of consumables.
#include "battle/inventory.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "engine/saturating.h"
#include "engine/sound.h"
#include "field/game_state.h"

InventorySlot inventory[INVENTORY_SLOT_COUNT];

namespace {

bool IsSlotIndex(int slot) {
    return slot >= 0 && slot < INVENTORY_SLOT_COUNT;
}

// The id the sort orders a slot by: whatever is not an item counts as empty, so slots that
// show nothing gather at the end with the empty ones.
int32_t SortKey(const InventorySlot& slot) {
    return IsItemId(slot.itemId) ? slot.itemId : ITEM_NONE;
}

// Adds value to a stat, at most its maximum; a save file may bring any numbers.
int32_t RaiseUpTo(int32_t current, int32_t value, int32_t maximum) {
    return std::min(SaturatingAdd(current, value), maximum);
}

}  // namespace

bool IsItemId(int32_t id) {
    return id >= 0 && id < ITEM_COUNT;
}

bool IsInventorySlotFilled(int slot) {
    return IsSlotIndex(slot) && IsItemId(inventory[slot].itemId);
}

void InitInventory() {
    for (InventorySlot& slot : inventory) {
        slot.itemId = ITEM_NONE;
        slot.count = 0;
    }
    inventory[0] = {0, 4};
    inventory[1] = {2, 4};
    inventory[2] = {10, 1};
    inventory[3] = {11, 1};
}

int FindInventorySlot(int32_t id) {
    if (!IsItemId(id)) {
        return -1;
    }
    for (int slot = 0; slot < INVENTORY_SLOT_COUNT; ++slot) {
        if (inventory[slot].itemId == id && inventory[slot].count < STACK_MAX) {
            return slot;
        }
    }
    for (int slot = 0; slot < INVENTORY_SLOT_COUNT; ++slot) {
        if (!IsInventorySlotFilled(slot)) {
            return slot;
        }
    }
    return -1;
}

void AddItemToInventorySlot(int slot, int32_t id) {
    if (!IsSlotIndex(slot) || !IsItemId(id)) {
        return;
    }
    InventorySlot& target = inventory[slot];
    if (!IsItemId(target.itemId)) {
        target = {id, 1};
    } else if (target.itemId == id && target.count < std::numeric_limits<int32_t>::max()) {
        target.count += 1;
    }
}

void ConsumeInventorySlot(int slot) {
    // An empty slot stays as it is; one that holds an unknown number keeps it for the save.
    if (!IsInventorySlotFilled(slot)) {
        return;
    }
    InventorySlot& target = inventory[slot];
    if (target.count <= 1) {
        target = {ITEM_NONE, 0};
    } else {
        target.count -= 1;
    }
}

void ClearInventorySlot(int slot) {
    if (IsSlotIndex(slot)) {
        inventory[slot] = {ITEM_NONE, 0};
    }
}

void SortInventory() {
    // Adjacent swaps on a strict comparison only, so equal ids keep their order.
    for (int pass = 0; pass < INVENTORY_SLOT_COUNT - 1; ++pass) {
        for (int j = 0; j < INVENTORY_SLOT_COUNT - 1; ++j) {
            if (SortKey(inventory[j]) > SortKey(inventory[j + 1])) {
                std::swap(inventory[j], inventory[j + 1]);
            }
        }
    }
}

bool HasItem(int32_t id) {
    if (!IsItemId(id)) {
        return false;
    }
    return std::any_of(std::begin(inventory), std::end(inventory),
                       [id](const InventorySlot& slot) { return slot.itemId == id; });
}

void RestoreHpByItem(CharacterRecord& record, int32_t id) {
    if (IsItemId(id)) {
        record.hp = RaiseUpTo(record.hp, itemTable[id].value, record.hpMax);
    }
    RequestSound(SOUND_HEAL, 0);
}

void RestoreMpByItem(CharacterRecord& record, int32_t id) {
    // The class number doubles as a mask: classes 2 and 3 carry the caster bit.
    if (IsItemId(id) && (record.characterClass & CLASS_CASTER) != 0) {
        record.mp = RaiseUpTo(record.mp, itemTable[id].value, record.mpMax);
    }
    RequestSound(SOUND_HEAL, 0);
}

void CurePoisonByItem(CharacterRecord& record) {
    record.statusBits &= ~STATUS_POISON;
    RequestSound(SOUND_HEAL, 0);
}

void CureParalysisByItem(CharacterRecord& record) {
    record.statusBits &= ~STATUS_PARALYSIS;
    RequestSound(SOUND_HEAL, 0);
}
