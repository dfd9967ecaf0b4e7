// The item command of a party unit and its window.
#include "battle/battle_items.h"

#include "battle/battle_states.h"
#include "battle/command_phase.h"
#include "battle/inventory.h"
#include "battle/movement_planner.h"
#include "battle/skill_effects.h"
#include "data/atlas_images.h"
#include "data/atlas_skills.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_popups.h"

ItemMenu itemMenu;

namespace {

constexpr float WINDOW_X = 0.0f;
constexpr float WINDOW_Y = 364.0f;
constexpr float CELL_X = 20.0f;
constexpr float CELL_PITCH_X = 315.0f;
constexpr float CELL_Y = 384.0f;
constexpr float CELL_PITCH_Y = 22.0f;
constexpr float COUNT_OFFSET = 180.0f;
constexpr float HAND_OFFSET = 14.0f;
constexpr float DETAIL_Y = 330.0f;
constexpr float PAGE_Y = 366.0f;
constexpr float PAGE_NUMBER_X = 6.0f;
constexpr float PAGE_SLASH_X = 30.0f;
constexpr float PAGE_COUNT_X = 54.0f;

enum class ItemEffect { Hp, Mp, Poison, Paralysis };
// The consumables with an effect, by item id; the placeholders after them have none.
constexpr ItemEffect ITEM_EFFECTS[] = {ItemEffect::Hp, ItemEffect::Hp,     ItemEffect::Mp,
                                       ItemEffect::Mp, ItemEffect::Poison, ItemEffect::Paralysis};
constexpr int32_t ITEMS_WITH_EFFECT = sizeof(ITEM_EFFECTS) / sizeof(ITEM_EFFECTS[0]);

void Sprite(float x, float y, const AtlasRect& rect, uint32_t argb) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, argb, uiAtlas);
}

void ShowPopupOver(const BattleUnit* unit, const AtlasRect& rect) {
    SpawnWorldPopup(unit->position, rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

int32_t ItemMenuSlot(const ItemMenu& menu) {
    return menu.page * ITEM_MENU_PAGE_CELLS + menu.row * ITEM_MENU_COLUMNS + menu.column;
}

void OpenBattleItemMenu(BattleUnit* unit) {
    itemMenu.column = 0;
    itemMenu.row = 0;
    itemMenu.page = 0;
    itemMenu.pageCount = ITEM_MENU_PAGES;
    itemMenu.slot = 0;
    itemMenu.itemId = ITEM_NONE;
    unit->stateFn = BattleItemMenuState;
}

void BattleItemMenuState(BattleUnit* unit) {
    const int result = ItemMenuInput(&itemMenu);
    if (result < 0) {
        unit->promptCursor = 0;
        unit->stateFn = CommandMenuState;
    } else if (result > 0) {
        SelectItem(unit);
    }
}

int ItemMenuInput(ItemMenu* menu) {
    const int result = MovePagedGridCursor(&menu->column, &menu->row, &menu->page,
                                           ITEM_MENU_COLUMNS, ITEM_MENU_ROWS, menu->pageCount);
    if (result > 0) {
        menu->slot = ItemMenuSlot(*menu);
        menu->itemId = menu->slot >= 0 && menu->slot < INVENTORY_SLOT_COUNT
                           ? inventory[menu->slot].itemId
                           : ITEM_NONE;
    }
    return result;
}

void SelectItem(BattleUnit* unit) {
    const int32_t id = itemMenu.itemId;
    if (!IsItemId(id) || (itemTable[id].flags & ITEM_FLAG_BATTLE) == 0 ||
        itemTable[id].type != ITEM_TYPE_CONSUMABLE) {
        return;
    }
    unit->targetCount = CollectTargetsBySide(unit, SIDE_PARTY);
    unit->stateFn = ItemTargetState;
}

void ItemTargetState(BattleUnit* unit) {
    HandleTargetInput(unit, BattleItemMenuState, ConfirmItemTarget);
}

void ConfirmItemTarget(BattleUnit* unit) {
    unit->stateFn = UseItemState;
}

void UseItemState(BattleUnit* unit) {
    // A target that has left the field takes nothing from the bag.
    if (!IsLiveBattleUnit(unit->target)) {
        RequestSound(SOUND_BUZZER, 0);
        unit->stateFn = BattleItemMenuState;
        return;
    }
    ApplyItemEffect(unit, itemMenu.itemId);
    unit->stateFn = WaitItemEffectState;
    if (unit->target != unit) {
        unit->facing = AngleBetweenPoints(unit->position.x, unit->position.z,
                                          unit->target->position.x, unit->target->position.z);
    }
    ConsumeInventorySlot(itemMenu.slot);
}

void ApplyItemEffect(BattleUnit* unit, int32_t itemId) {
    BattleUnit* target = unit->target;
    if (itemId < 0 || itemId >= ITEMS_WITH_EFFECT || !IsLiveBattleUnit(target)) {
        return;
    }
    const float value = static_cast<float>(itemTable[itemId].value);
    CastOnTarget(unit);
    switch (ITEM_EFFECTS[itemId]) {
        case ItemEffect::Hp:
            RestoreHpByItem(target->record, itemId);
            SpawnDamageNumber(target->position, value, 1);
            break;
        case ItemEffect::Mp:
            RestoreMpByItem(target->record, itemId);
            SpawnDamageNumber(target->position, value, 1);
            break;
        case ItemEffect::Poison:
            CurePoisonByItem(target->record);
            ShowPopupOver(target, RECT_POISON_CURED_POPUP);
            break;
        case ItemEffect::Paralysis:
            CureParalysisByItem(target->record);
            ShowPopupOver(target, RECT_PARALYSIS_CURED_POPUP);
            break;
    }
}

void WaitItemEffectState(BattleUnit* unit) {
    if (IsSkillEffectActive() == 0) {
        unit->stateFn = TurnEndState;
    }
}

void DrawUnitItemMenu(const BattleUnit* unit) {
    DrawItemMenu(itemMenu, unit);
}

void DrawItemMenu(const ItemMenu& menu, const BattleUnit*) {
    DrawPanel(WINDOW_X, WINDOW_Y, RECT_SKILL_WINDOW_PANEL, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW,
              uiAtlas);
    for (int32_t r = 0; r < ITEM_MENU_ROWS; ++r) {
        for (int32_t c = 0; c < ITEM_MENU_COLUMNS; ++c) {
            const float x = CELL_X + CELL_PITCH_X * static_cast<float>(c);
            const float y = CELL_Y + CELL_PITCH_Y * static_cast<float>(r);
            const int slot = menu.page * ITEM_MENU_PAGE_CELLS + r * ITEM_MENU_COLUMNS + c;
            if (!IsInventorySlotFilled(slot)) {
                Sprite(x, y, RECT_ITEM_EMPTY_CELL, COLOUR_WHITE);
                continue;
            }
            const ItemRecord& item = itemTable[inventory[slot].itemId];
            const uint32_t argb =
                (item.flags & ITEM_FLAG_BATTLE) != 0 ? COLOUR_WHITE : COLOUR_WINDOW;
            Sprite(x, y, item.nameRect, argb);
            DrawNumberTinted(x + COUNT_OFFSET, y, inventory[slot].count, argb);
        }
    }
    const float cursorX = CELL_X + CELL_PITCH_X * static_cast<float>(menu.column);
    const float cursorY = CELL_Y + CELL_PITCH_Y * static_cast<float>(menu.row);
    Sprite(cursorX - HAND_OFFSET, cursorY, RECT_MENU_CURSOR, COLOUR_WHITE);
    DrawItemDetails(menu, 0.0f, DETAIL_Y);
    DrawNumberSmall(PAGE_NUMBER_X, PAGE_Y, menu.page + 1);
    Sprite(PAGE_SLASH_X, PAGE_Y, RECT_PAGE_SLASH, COLOUR_WHITE);
    DrawNumberSmall(PAGE_COUNT_X, PAGE_Y, menu.pageCount);
}

void DrawItemDetails(const ItemMenu& menu, float x, float y) {
    DrawPanel(x, y, RECT_SKILL_DETAIL_PANEL, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW, uiAtlas);
    const int slot = ItemMenuSlot(menu);
    if (!IsInventorySlotFilled(slot)) {
        return;
    }
    const AtlasRect& detail = itemTable[inventory[slot].itemId].detailRect;
    Sprite(x + RoundToPixel((RectWidth(RECT_SKILL_DETAIL_PANEL) - RectWidth(detail)) / 2.0f),
           y + RoundToPixel((RectHeight(RECT_SKILL_DETAIL_PANEL) - RectHeight(detail)) / 2.0f),
           detail, COLOUR_WHITE);
}
