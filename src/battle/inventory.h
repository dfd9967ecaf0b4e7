// The party's shared bag of 80 slots.
#pragma once

#include <cstdint>

constexpr int INVENTORY_SLOT_COUNT = 80;
constexpr int32_t ITEM_NONE = 9999;
constexpr int32_t STACK_MAX = 99;

struct InventorySlot {
    int32_t itemId;  // itemTable row, or ITEM_NONE for an empty slot
    int32_t count;
};

extern InventorySlot inventory[INVENTORY_SLOT_COUNT];

// Empties the bag and puts in the starting items.
void InitInventory();
