// The item command of a party unit: a window over the bottom of the screen that pages through
// the whole bag, the choice of a party unit, and the use, which shows a ring over that unit,
// applies the item to its record and takes one item from the slot. The states are declared with
// the others in battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"

constexpr int ITEM_MENU_COLUMNS = 2;
constexpr int ITEM_MENU_ROWS = 4;
constexpr int ITEM_MENU_PAGE_CELLS = ITEM_MENU_COLUMNS * ITEM_MENU_ROWS;
constexpr int ITEM_MENU_PAGES = 10;

// The item window of whichever party unit is choosing.
struct ItemMenu {
    int32_t column;
    int32_t row;
    int32_t page;
    int32_t pageCount;
    int32_t slot;    // the inventory slot chosen last
    int32_t itemId;  // what that slot held when it was chosen
};

extern ItemMenu itemMenu;

// The inventory slot under the cursor: page, then row, then column.
int32_t ItemMenuSlot(const ItemMenu& menu);
// The window's keys: 1 confirmed (slot and itemId set), -1 cancelled, 0 nothing.
int ItemMenuInput(ItemMenu* menu);
// A consumable offered in battle leads to the choice of a party unit; anything else does nothing.
void SelectItem(BattleUnit* unit);
// The item's effect on the unit's target, with its ring and its number or popup. The number is
// the item's value, not the points restored. Items past the cures do nothing at all.
void ApplyItemEffect(BattleUnit* unit, int32_t itemId);

void DrawUnitItemMenu(const BattleUnit* unit);
void DrawItemMenu(const ItemMenu& menu, const BattleUnit* unit);
void DrawItemDetails(const ItemMenu& menu, float x, float y);
