// The camp's item screen: the whole bag in four pages of twenty cells under three tabs. Use
// applies a consumable to a member, equips a weapon or armour piece (the piece taken off goes
// back to the bag), or starts the amulet's countdown and returns to the field; discard empties a
// slot after a question; sort orders the bag by item id after a question.
#include <algorithm>

#include "battle/inventory.h"
#include "data/atlas_camp_screens.h"
#include "data/atlas_images.h"
#include "data/atlas_skills.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "field/countdown.h"
#include "menu/camp_menu.h"
#include "menu/camp_screens.h"
#include "menu/camp_widgets.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float TAB_Y = 40.0f;
constexpr float TAB_X[CAMP_ITEM_TABS] = {25.0f, 125.0f, 225.0f};
constexpr float TAB_HAND_OFFSET = 16.0f;
constexpr float TAB_PANEL_SECOND_X = 320.0f;
constexpr float CAPTION_Y = 8.0f;
constexpr float SCREEN_CAPTION_X = 4.0f;
constexpr float KEYS_CAPTION_X = 125.0f;
constexpr float GRID_Y = 80.0f;
constexpr float PAGE_Y = 82.0f;
constexpr float PAGE_NUMBER_X = 6.0f;
constexpr float PAGE_SLASH_X = 30.0f;
constexpr float PAGE_COUNT_X = 54.0f;
constexpr float CELL_X = 20.0f;
constexpr float CELL_PITCH_X = 315.0f;
constexpr float CELL_Y = 100.0f;
constexpr float CELL_PITCH_Y = 25.0f;
constexpr float COUNT_OFFSET_X = 180.0f;
constexpr float CELL_HAND_OFFSET = 14.0f;
constexpr float DETAIL_X = 328.0f;
constexpr float DETAIL_Y = 8.0f;
constexpr float POWER_LABEL_Y = 38.0f;
constexpr float POWER_X = 428.0f;
constexpr float POWER_Y = 40.0f;
constexpr float TARGET_LIST_Y = 360.0f;
constexpr float SIGN_X = 550.0f;
constexpr float MESSAGE_Y = 120.0f;
constexpr float USED_WINDOW_Y = 200.0f;
constexpr float USED_TEXT_Y = 202.0f;

const TaskStateFn<ItemMenuPayload> tabStates[CAMP_ITEM_TABS] = {
    UseTabSelectItem, DiscardTabSelectItem, EnterSortConfirm};

void UpdateCampItemMenu(TaskSlot* slot) {
    RunStateTask<ItemMenuPayload, ReturnToCampMenu<ItemMenuPayload>>(slot);
}

// The row of an item id, or null for an empty slot or any number that is not an item.
const ItemRecord* ItemOf(int32_t id) {
    return IsItemId(id) ? &itemTable[id] : nullptr;
}

bool IsEquipment(const ItemRecord* item) {
    return item != nullptr && (item->type == ITEM_TYPE_WEAPON || item->type == ITEM_TYPE_ARMOR);
}

int32_t& EquipmentPlace(CharacterRecord& record, int32_t type) {
    return type == ITEM_TYPE_WEAPON ? record.weaponItemId : record.armorItemId;
}

int32_t PieceIn(const CharacterRecord& record, int32_t type) {
    return type == ITEM_TYPE_WEAPON ? record.weaponItemId : record.armorItemId;
}

bool CanWear(const CharacterRecord& record, const ItemRecord& item) {
    return (static_cast<uint32_t>(record.characterClass) & item.equipMask) != 0;
}

void UseConsumableOnMember(ItemMenuPayload* menu, CharacterRecord& record) {
    RequestSound(SOUND_CURSOR, 0);
    ApplyConsumableEffect(record, menu->itemId);
    ConsumeInventorySlot(menu->slot);
    menu->wait = CAMP_RESULT_WAIT;
    menu->state = WaitAfterItemUse;
}

void EquipItemOnMember(ItemMenuPayload* menu, CharacterRecord& record) {
    const int32_t result = EquipItem(record, menu->itemId);
    if (result != EQUIP_DONE) {
        RequestSound(SOUND_BUZZER, 0);
        menu->failReason = result;
        menu->state = WaitItemMessage;
        return;
    }
    RequestSound(SOUND_EQUIP, 0);
    // Taken after the old piece went back: a piece of the same id joins this very stack first.
    ConsumeInventorySlot(menu->slot);
    menu->wait = CAMP_RESULT_WAIT;
    menu->state = WaitAfterItemUse;
}

void UseItemOnMember(ItemMenuPayload* menu) {
    CharacterRecord* record = CampMember(menu->member);
    const ItemRecord* item = ItemOf(menu->itemId);
    if (record == nullptr || item == nullptr) {
        RequestSound(SOUND_BUZZER, 0);
        return;
    }
    if (item->type == ITEM_TYPE_CONSUMABLE) {
        UseConsumableOnMember(menu, *record);
    } else if (IsEquipment(item)) {
        EquipItemOnMember(menu, *record);
    }
}

// Right, Down, Left and Up step through n choices, wrapping; 1 when one of them moved.
int StepWithArrows(int32_t* cursor, int32_t n) {
    if (IsKeyTriggered(KEY_RIGHT) || IsKeyTriggered(KEY_DOWN)) {
        *cursor = WrapIndex(*cursor + 1, n);
    } else if (IsKeyTriggered(KEY_LEFT) || IsKeyTriggered(KEY_UP)) {
        *cursor = WrapIndex(*cursor - 1, n);
    } else {
        return 0;
    }
    RequestSound(SOUND_CURSOR, 0);
    return 1;
}

// Drawing.

float CellX(int32_t column) {
    return CELL_X + CELL_PITCH_X * static_cast<float>(column);
}

float CellY(int32_t row) {
    return CELL_Y + CELL_PITCH_Y * static_cast<float>(row);
}

bool ShowsGridCursor(const ItemMenuPayload* menu) {
    return menu->state == UseTabSelectItem || menu->state == DiscardTabSelectItem ||
           menu->state == ConfirmDiscardItem || menu->state == SelectItemTarget;
}

void DrawMenuTabs(const ItemMenuPayload* menu) {
    DrawCampImage(0.0f, 0.0f, RECT_ITEM_TAB_PANEL);
    DrawCampImage(SCREEN_CAPTION_X, CAPTION_Y, RECT_ITEM_SCREEN_CAPTION);
    DrawCampImage(KEYS_CAPTION_X, CAPTION_Y, RECT_ITEM_KEYS_CAPTION);
    for (int32_t i = 0; i < CAMP_ITEM_TABS; ++i) {
        DrawCampImage(TAB_X[i], TAB_Y, RECT_ITEM_TAB_LABELS[i]);
    }
    if (menu->tab >= 0 && menu->tab < CAMP_ITEM_TABS) {
        DrawCampImage(TAB_X[menu->tab] - TAB_HAND_OFFSET, TAB_Y, RECT_MENU_CURSOR);
    }
    DrawCampImage(TAB_PANEL_SECOND_X, 0.0f, RECT_ITEM_TAB_PANEL);
}

void DrawItemDetail(const ItemRecord& item) {
    DrawCampImage(DETAIL_X, DETAIL_Y, item.detailRect);
    if (!IsEquipment(&item)) {
        return;
    }
    DrawCampImage(DETAIL_X, POWER_LABEL_Y,
                  item.type == ITEM_TYPE_WEAPON ? RECT_ITEM_WEAPON_POWER_LABEL
                                                : RECT_ITEM_ARMOUR_POWER_LABEL);
    DrawNumber(POWER_X, POWER_Y, item.value);
}

void DrawItemGrid(const ItemMenuPayload* menu) {
    DrawCampImage(0.0f, GRID_Y, RECT_ITEM_GRID_BACKDROP);
    DrawNumberSmall(PAGE_NUMBER_X, PAGE_Y, menu->page + 1);
    DrawCampImage(PAGE_SLASH_X, PAGE_Y, RECT_PAGE_SLASH);
    DrawNumberSmall(PAGE_COUNT_X, PAGE_Y, menu->pageCount);
    for (int32_t row = 0; row < CAMP_ITEM_ROWS; ++row) {
        for (int32_t column = 0; column < CAMP_ITEM_COLUMNS; ++column) {
            const int32_t slot = ItemGridSlot(menu->page, column, row);
            const ItemRecord* item =
                IsInventorySlotFilled(slot) ? ItemOf(inventory[slot].itemId) : nullptr;
            if (item == nullptr) {
                DrawCampImage(CellX(column), CellY(row), RECT_ITEM_GRID_EMPTY);
                continue;
            }
            const uint32_t colour =
                (item->flags & ITEM_FLAG_MENU) != 0 ? COLOUR_WHITE : COLOUR_WINDOW;
            DrawCampImage(CellX(column), CellY(row), item->nameRect, colour);
            DrawNumberTinted(CellX(column) + COUNT_OFFSET_X, CellY(row), inventory[slot].count,
                             colour);
        }
    }
    if (!ShowsGridCursor(menu)) {
        return;
    }
    DrawCampImage(CellX(menu->column) - CELL_HAND_OFFSET, CellY(menu->row), RECT_MENU_CURSOR);
    const int32_t slot = ItemGridSlot(menu->page, menu->column, menu->row);
    if (IsInventorySlotFilled(slot)) {
        DrawItemDetail(itemTable[inventory[slot].itemId]);
    }
}

// Whether the item would suit the member: cannot wear it, better, worse, or nothing for a
// piece of equal value. No piece in that place counts as worse than any.
void DrawCompareMarker(const ItemRecord& item, const CharacterRecord& record, float y) {
    if (!CanWear(record, item)) {
        DrawCampImage(SIGN_X, y, RECT_EQUIP_CANNOT);
        return;
    }
    const int place = item.type == ITEM_TYPE_WEAPON ? 0 : 1;
    const int32_t current = PieceIn(record, item.type);
    if (!IsItemId(current) || item.value > EquipValue(current, item.type)) {
        DrawCampImage(SIGN_X, y, RECT_EQUIP_BETTER[place]);
    } else if (item.value < EquipValue(current, item.type)) {
        DrawCampImage(SIGN_X, y, RECT_EQUIP_WORSE[place]);
    }
}

void DrawItemTargetSelect(const ItemMenuPayload* menu) {
    DrawPartyList(0.0f, TARGET_LIST_Y, partyRoster, partyCount, -1);
    const CharacterRecord* record = CampMember(menu->member);
    if (record == nullptr) {
        return;
    }
    DrawListCursor(8.0f, TARGET_LIST_Y + PARTY_LIST_FIRST_ROW, PARTY_LIST_ROW_PITCH, menu->member);
    const ItemRecord* item = ItemOf(menu->itemId);
    if (IsEquipment(item)) {
        DrawCompareMarker(*item, *record,
                          TARGET_LIST_Y + PARTY_LIST_FIRST_ROW +
                              PARTY_LIST_ROW_PITCH * static_cast<float>(menu->member));
    }
}

void DrawEquipFailMessage(const ItemMenuPayload* menu) {
    if (menu->failReason == EQUIP_NO_ROOM || menu->failReason == EQUIP_WRONG_CLASS) {
        DrawSpriteCentered(RECT_EQUIP_REFUSALS[menu->failReason - 1], MESSAGE_Y, ATLAS_SIZE,
                           ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    }
}

// The item's name and the words after it, together centred in the window.
void DrawSpecialItemUsedMessage(const ItemMenuPayload* menu) {
    const float left = DrawSpriteCentered(RECT_SPECIAL_USED_WINDOW, USED_WINDOW_Y, ATLAS_SIZE,
                                          ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    const ItemRecord* item = ItemOf(menu->itemId);
    const AtlasRect name = item != nullptr ? item->nameRect : AtlasRect{0, 0, 0, 0};
    const float x = left + (RectWidth(RECT_SPECIAL_USED_WINDOW) -
                            (RectWidth(name) + RectWidth(RECT_SPECIAL_USED_TEXT))) /
                               2.0f;
    if (item != nullptr) {
        DrawCampImage(x, USED_TEXT_Y, name);
    }
    DrawCampImage(x + RectWidth(name), USED_TEXT_Y, RECT_SPECIAL_USED_TEXT);
}

}  // namespace

int OpenCampItemMenu() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_ITEM_MENU);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_ITEM_MENU, 0, UpdateCampItemMenu, DrawTabbedMenu);
    ItemMenuPayload* menu = TaskPayload<ItemMenuPayload>(slot);
    menu->alive = 1;
    menu->pageCount = CAMP_ITEM_PAGES;
    menu->slot = -1;
    menu->itemId = ITEM_NONE;
    menu->state = EnterItemTabSelect;
    return 1;
}

int32_t ItemGridSlot(int32_t page, int32_t column, int32_t row) {
    return page * CAMP_ITEM_PAGE_CELLS + row * CAMP_ITEM_COLUMNS + column;
}

int MoveItemGridCursor(ItemMenuPayload* menu) {
    // The page count is kept within the bag so that every cell names a slot of it.
    const int32_t pages = std::clamp(menu->pageCount, 1, CAMP_ITEM_PAGES);
    const int result = MovePagedGridCursor(&menu->column, &menu->row, &menu->page,
                                           CAMP_ITEM_COLUMNS, CAMP_ITEM_ROWS, pages);
    if (result > 0) {
        menu->slot = ItemGridSlot(menu->page, menu->column, menu->row);
        menu->itemId = menu->slot >= 0 && menu->slot < INVENTORY_SLOT_COUNT
                           ? inventory[menu->slot].itemId
                           : ITEM_NONE;
    }
    return result;
}

int32_t EquipItem(CharacterRecord& record, int32_t id) {
    const ItemRecord* item = ItemOf(id);
    if (!IsEquipment(item)) {
        return EQUIP_WRONG_CLASS;
    }
    int32_t& place = EquipmentPlace(record, item->type);
    // A number that is no item, as a damaged record might hold, counts as no piece at all.
    if (!IsItemId(place)) {
        if (!CanWear(record, *item)) {
            return EQUIP_WRONG_CLASS;
        }
        place = id;
        return EQUIP_DONE;
    }
    const int room = FindInventorySlot(place);
    if (room < 0) {
        return EQUIP_NO_ROOM;
    }
    if (!CanWear(record, *item)) {
        return EQUIP_WRONG_CLASS;
    }
    const int32_t old = place;
    place = id;
    AddItemToInventorySlot(room, old);
    return EQUIP_DONE;
}

void ApplyConsumableEffect(CharacterRecord& record, int32_t id) {
    switch (id) {
        case 0:
        case 1:
            RestoreHpByItem(record, id);
            break;
        case 2:
        case 3:
            RestoreMpByItem(record, id);
            break;
        case 4:
            CurePoisonByItem(record);
            break;
        case 5:
            CureParalysisByItem(record);
            break;
        default:
            break;
    }
}

void ApplySpecialItemEffect(int32_t id) {
    if (id == ITEM_AMULET) {
        RequestSound(SOUND_COUNTDOWN_ITEM, 0);
        CreateCountdown();
    }
}

void EnterItemTabSelect(ItemMenuPayload* menu) {
    menu->tab = 0;
    menu->state = SelectItemTab;
}

void SelectItemTab(ItemMenuPayload* menu) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        menu->alive = 0;
        RequestSound(SOUND_CURSOR, 0);
        return;
    }
    if (StepWithArrows(&menu->tab, CAMP_ITEM_TABS) != 0) {
        return;
    }
    if (IsConfirmTriggered()) {
        menu->state = tabStates[WrapIndex(menu->tab, CAMP_ITEM_TABS)];
        RequestSound(SOUND_CURSOR, 0);
    }
}

void UseTabSelectItem(ItemMenuPayload* menu) {
    const int moved = MoveItemGridCursor(menu);
    if (moved < 0) {
        menu->state = SelectItemTab;
        return;
    }
    const ItemRecord* item = ItemOf(menu->itemId);
    if (moved == 0 || item == nullptr || (item->flags & ITEM_FLAG_MENU) == 0) {
        return;
    }
    if (item->type == ITEM_TYPE_SPECIAL) {
        menu->choice = 0;
        menu->state = ConfirmUseSpecialItem;
    } else if (CampPartySize() == 0) {
        RequestSound(SOUND_BUZZER, 0);  // nobody to use it on
    } else {
        menu->member = 0;
        menu->state = SelectItemTarget;
    }
}

void SelectItemTarget(ItemMenuPayload* menu) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        RequestSound(SOUND_CURSOR, 0);
        menu->state = UseTabSelectItem;
    } else if (StepWithArrows(&menu->member, CampPartySize()) == 0 && IsConfirmTriggered()) {
        UseItemOnMember(menu);
    }
}

void WaitAfterItemUse(ItemMenuPayload* menu) {
    menu->wait -= 1;
    if (IsConfirmTriggered()) {
        menu->wait = 0;
    }
    if (menu->wait <= 0) {
        menu->state = UseTabSelectItem;
    }
}

void WaitItemMessage(ItemMenuPayload* menu) {
    if (IsConfirmTriggered()) {
        menu->state = UseTabSelectItem;
    }
}

void ConfirmUseSpecialItem(ItemMenuPayload* menu) {
    if (MoveMenuCursor(&menu->choice, 2) != 0) {
        menu->state = menu->choice == 1 ? UseSpecialItem : UseTabSelectItem;
    }
}

void UseSpecialItem(ItemMenuPayload* menu) {
    if (!IsConfirmTriggered()) {
        return;
    }
    // Killed, not closed: alive stays 1, so no camp menu comes back and the field runs again.
    KillTasksOfKind(TASK_KIND_ITEM_MENU);
    ConsumeInventorySlot(menu->slot);
    ApplySpecialItemEffect(menu->itemId);
    SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
}

void DiscardTabSelectItem(ItemMenuPayload* menu) {
    const int moved = MoveItemGridCursor(menu);
    if (moved < 0) {
        menu->state = SelectItemTab;
        return;
    }
    const ItemRecord* item = ItemOf(menu->itemId);
    if (moved == 0 || item == nullptr) {
        return;
    }
    if ((item->flags & ITEM_FLAG_KEY) != 0) {
        RequestSound(SOUND_BUZZER, 0);
        return;
    }
    menu->choice = 0;
    menu->state = ConfirmDiscardItem;
}

void ConfirmDiscardItem(ItemMenuPayload* menu) {
    if (MoveMenuCursor(&menu->choice, 2) == 0) {
        return;
    }
    if (menu->choice == 1) {
        ClearInventorySlot(menu->slot);
    }
    menu->choice = 0;
    menu->state = DiscardTabSelectItem;
}

void EnterSortConfirm(ItemMenuPayload* menu) {
    menu->choice = 0;
    menu->state = ConfirmSortItems;
}

void ConfirmSortItems(ItemMenuPayload* menu) {
    if (MoveMenuCursor(&menu->choice, 2) == 0) {
        return;
    }
    if (menu->choice == 1) {
        SortInventory();
    }
    menu->choice = 0;
    menu->state = SelectItemTab;
}

void DrawTabbedMenu(TaskSlot* slot) {
    const ItemMenuPayload* menu = TaskPayload<ItemMenuPayload>(slot);
    DrawCampBackdrop();
    DrawMenuTabs(menu);
    DrawItemGrid(menu);
    if (menu->state == ConfirmDiscardItem) {
        DrawCampQuestion(menu->choice, RECT_SMALL_QUESTION_FRAME, RECT_DISCARD_TITLE);
    } else if (menu->state == ConfirmSortItems) {
        DrawCampQuestion(menu->choice, RECT_SMALL_QUESTION_FRAME, RECT_SORT_TITLE);
    } else if (menu->state == SelectItemTarget || menu->state == WaitAfterItemUse) {
        DrawItemTargetSelect(menu);
    } else if (menu->state == WaitItemMessage) {
        DrawEquipFailMessage(menu);
    } else if (menu->state == ConfirmUseSpecialItem) {
        DrawCampQuestion(menu->choice, RECT_SPECIAL_ITEM_FRAME, RECT_SPECIAL_ITEM_TITLE);
    } else if (menu->state == UseSpecialItem) {
        DrawSpecialItemUsedMessage(menu);
    }
}
