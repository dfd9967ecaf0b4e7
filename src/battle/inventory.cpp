// Inventory operations.
#include "battle/inventory.h"

InventorySlot inventory[INVENTORY_SLOT_COUNT];

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
