// The shop (event command 13).
#include "event/shop.h"

#include <algorithm>

#include "battle/inventory.h"
#include "data/atlas_shop.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "event/treasure.h"
#include "field/game_state.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr int32_t BUY_QUANTITY_MAX = STACK_MAX;
constexpr int32_t QUANTITY_STEP = 1;
constexpr int32_t QUANTITY_JUMP = 10;

// Layout.
constexpr float MENU_X = 0.0f;
constexpr float MENU_Y = 120.0f;
constexpr float CONFIRM_X = 234.0f;
constexpr float CONFIRM_Y = 221.0f;
constexpr float LIST_X = 0.0f;
constexpr float LIST_Y = 120.0f;
constexpr float INFO_X = 320.0f;
constexpr float INFO_Y = 120.0f;
constexpr float ROW_PITCH = 25.0f;
constexpr float BUY_NAME_X = 16.0f;
constexpr float BUY_ROW_Y = 128.0f;
constexpr float BUY_PRICE_X = 200.0f;
constexpr float BUY_PRICE_DROP = 2.0f;
constexpr float BUY_CURSOR_X = 4.0f;
constexpr float SELL_NAME_X = 20.0f;
constexpr float SELL_ROW_Y = 140.0f;
constexpr float SELL_COUNT_X = 200.0f;
constexpr float SELL_CURSOR_X = 6.0f;
constexpr float PAGE_ARROW_Y = 435.0f;
constexpr float PAGE_ARROW_LEFT_X = 20.0f;
constexpr float PAGE_ARROW_RIGHT_X = 259.0f;
constexpr float PAGE_Y = 122.0f;
constexpr float PAGE_NUMBER_X = 6.0f;
constexpr float PAGE_SLASH_X = 30.0f;
constexpr float PAGE_COUNT_X = 54.0f;
constexpr float CAPTION_X = 0.0f;
constexpr float CAPTION_Y = 68.0f;
constexpr float MONEY_X = 0.0f;
constexpr float MONEY_Y = 94.0f;
constexpr float MONEY_LABEL_DX = 4.0f;
constexpr float MONEY_LABEL_DY = 2.0f;
constexpr float MONEY_NUMBER_DX = 80.0f;
constexpr float MONEY_NUMBER_DY = 4.0f;
constexpr float INFO_INSET = 8.0f;
constexpr float INFO_LABEL_DY = 38.0f;
constexpr float INFO_VALUE_DX = 108.0f;
constexpr float INFO_VALUE_DY = 40.0f;
constexpr float QUANTITY_Y = 120.0f;
constexpr float QUANTITY_HEADER_Y = 124.0f;
constexpr float QUANTITY_LABEL_DX = 2.0f;
constexpr float QUANTITY_NUMBER_DX = 82.0f;
constexpr float QUANTITY_ROW_Y = 149.0f;
constexpr float TOTAL_ROW_Y = 174.0f;
constexpr float NUMBER_DROP = 2.0f;
constexpr float FAIL_MESSAGE_Y = 120.0f;

const AtlasRect commandLabels[SHOP_COMMAND_COUNT] = {RECT_SHOP_ENTRY_LEAVE, RECT_SHOP_ENTRY_BUY,
                                                     RECT_SHOP_ENTRY_SELL};
const int commandIds[SHOP_COMMAND_COUNT] = {SHOP_COMMAND_LEAVE, SHOP_COMMAND_BUY,
                                            SHOP_COMMAND_SELL};
const AtlasRect yesNoLabels[2] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
const int yesNoIds[2] = {0, 1};

void CursorSound() {
    RequestSound(SOUND_CURSOR, 0);
}

int32_t PriceOf(int32_t itemId) {
    return IsItemId(itemId) ? itemTable[itemId].price : 0;
}

int32_t SelectedBuyItem(const ShopPayload* shop) {
    return shop->itemIds[std::clamp(shop->listCursor, 0, SHOP_ITEMS_MAX - 1)];
}

int SelectedSellSlot(const ShopPayload* shop) {
    return shop->sellPage * SELL_PAGE_ROWS + shop->listCursor;
}

int32_t SellPriceOf(int slot, int32_t quantity) {
    return static_cast<int32_t>(static_cast<int64_t>(PriceOf(inventory[slot].itemId)) * quantity /
                                2);
}

// Down, Up, Right and Left move the quantity within 1..most, each with the cursor sound; true
// when one of them was pressed.
bool StepQuantity(ShopPayload* shop, int32_t most) {
    int32_t step = 0;
    if (IsKeyTriggered(KEY_DOWN)) {
        step = QUANTITY_STEP;
    } else if (IsKeyTriggered(KEY_UP)) {
        step = -QUANTITY_STEP;
    } else if (IsKeyTriggered(KEY_RIGHT)) {
        step = QUANTITY_JUMP;
    } else if (IsKeyTriggered(KEY_LEFT)) {
        step = -QUANTITY_JUMP;
    } else {
        return false;
    }
    CursorSound();
    shop->quantity = std::clamp(shop->quantity + step, 1, std::max(1, most));
    return true;
}

void Sprite(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void DrawMoneyWindow(float x, float y) {
    Sprite(x, y, RECT_MONEY_BACKDROP);
    Sprite(x + MONEY_LABEL_DX, y + MONEY_LABEL_DY, RECT_MONEY_WINDOW_LABEL);
    DrawNumber(x + MONEY_NUMBER_DX, y + MONEY_NUMBER_DY, money);
}

void DrawItemInfo(float x, float y, int32_t itemId) {
    if (!IsItemId(itemId)) {
        return;
    }
    const ItemRecord& item = itemTable[itemId];
    Sprite(x + INFO_INSET, y + INFO_INSET, item.detailRect);
    if (item.type != ITEM_TYPE_WEAPON && item.type != ITEM_TYPE_ARMOR) {
        return;
    }
    Sprite(x + INFO_INSET, y + INFO_LABEL_DY,
           item.type == ITEM_TYPE_WEAPON ? RECT_WEAPON_VALUE_LABEL : RECT_ARMOR_VALUE_LABEL);
    DrawNumber(x + INFO_VALUE_DX, y + INFO_VALUE_DY, item.value);
}

void DrawShopCommands(const ShopPayload* shop) {
    DrawMenuWindow(MENU_X, MENU_Y, shop->commandCursor, SHOP_COMMAND_COUNT, COLOUR_WHITE,
                   RECT_SHOP_MENU_FRAME, RECT_SHOP_TITLE, commandLabels, commandIds);
}

void DrawYesNo(float x, float y, const ShopPayload* shop, const AtlasRect& title) {
    DrawMenuWindow(x, y, shop->yesNoCursor, 2, COLOUR_WHITE, RECT_SHOP_QUESTION_FRAME, title,
                   yesNoLabels, yesNoIds);
}

void DrawBuyList(const ShopPayload* shop) {
    Sprite(LIST_X, LIST_Y, RECT_SHOP_LIST_BACKDROP);
    Sprite(INFO_X, INFO_Y, RECT_SHOP_INFO_BACKDROP);
    const int32_t count = std::clamp(shop->itemCount, 0, SHOP_ITEMS_MAX);
    for (int32_t i = 0; i < count; ++i) {
        const float y = BUY_ROW_Y + ROW_PITCH * static_cast<float>(i);
        Sprite(BUY_NAME_X, y, itemTable[shop->itemIds[i]].nameRect);
        DrawNumber(BUY_PRICE_X, y + BUY_PRICE_DROP, itemTable[shop->itemIds[i]].price);
    }
    if (count > 0) {
        Sprite(BUY_CURSOR_X, BUY_ROW_Y + ROW_PITCH * static_cast<float>(shop->listCursor),
               RECT_MENU_CURSOR);
        DrawItemInfo(INFO_X, INFO_Y, SelectedBuyItem(shop));
    }
    Sprite(CAPTION_X, CAPTION_Y, RECT_BUY_CAPTION);
    DrawMoneyWindow(MONEY_X, MONEY_Y);
}

void DrawSellList(const ShopPayload* shop) {
    Sprite(INFO_X, INFO_Y, RECT_SHOP_INFO_BACKDROP);
    Sprite(LIST_X, LIST_Y, RECT_SHOP_LIST_BACKDROP);
    Sprite(PAGE_ARROW_LEFT_X, PAGE_ARROW_Y, RECT_PAGE_ARROW_LEFT);
    Sprite(PAGE_ARROW_RIGHT_X, PAGE_ARROW_Y, RECT_PAGE_ARROW_RIGHT);
    for (int32_t r = 0; r < SELL_PAGE_ROWS; ++r) {
        const int slot = shop->sellPage * SELL_PAGE_ROWS + r;
        const float y = SELL_ROW_Y + ROW_PITCH * static_cast<float>(r);
        if (!IsInventorySlotFilled(slot)) {
            Sprite(SELL_NAME_X, y, RECT_SELL_EMPTY_SLOT);
            continue;
        }
        Sprite(SELL_NAME_X, y, itemTable[inventory[slot].itemId].nameRect);
        DrawNumberTinted(SELL_COUNT_X, y, inventory[slot].count, COLOUR_WHITE);
    }
    Sprite(SELL_CURSOR_X, SELL_ROW_Y + ROW_PITCH * static_cast<float>(shop->listCursor),
           RECT_MENU_CURSOR);
    const int selected = SelectedSellSlot(shop);
    if (IsInventorySlotFilled(selected)) {
        DrawItemInfo(INFO_X, INFO_Y, inventory[selected].itemId);
    }
    DrawNumberSmall(PAGE_NUMBER_X, PAGE_Y, shop->sellPage + 1);
    Sprite(PAGE_SLASH_X, PAGE_Y, RECT_SELL_PAGE_SLASH);
    DrawNumberSmall(PAGE_COUNT_X, PAGE_Y, SELL_PAGE_COUNT);
    Sprite(CAPTION_X, CAPTION_Y, RECT_SELL_CAPTION);
    DrawMoneyWindow(MONEY_X, MONEY_Y);
}

void DrawQuantityWindow(const ShopPayload* shop, const AtlasRect& header) {
    const float x = RoundToPixel(CenteredX(RectWidth(RECT_QUANTITY_FRAME)));
    Sprite(x, QUANTITY_Y, RECT_QUANTITY_FRAME);
    Sprite(x + QUANTITY_LABEL_DX, QUANTITY_HEADER_Y, header);
    Sprite(x + QUANTITY_LABEL_DX, QUANTITY_ROW_Y, RECT_QUANTITY_LABEL);
    DrawNumber(x + QUANTITY_NUMBER_DX, QUANTITY_ROW_Y + NUMBER_DROP, shop->quantity);
    Sprite(x + QUANTITY_LABEL_DX, TOTAL_ROW_Y, RECT_TOTAL_LABEL);
    DrawNumber(x + QUANTITY_NUMBER_DX, TOTAL_ROW_Y + NUMBER_DROP, shop->total);
}

void DrawShopFailMessage(const ShopPayload* shop) {
    const AtlasRect& message = shop->failReason == PURCHASE_NO_MONEY ? RECT_NOT_ENOUGH_MONEY_MESSAGE
                                                                     : RECT_NO_ROOM_MESSAGE;
    DrawSpriteCentered(message, FAIL_MESSAGE_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

}  // namespace

void AddItemsToInventory(int32_t itemId, int32_t n) {
    if (!IsItemId(itemId)) {
        return;
    }
    int32_t left = n;
    for (int slot = 0; slot < INVENTORY_SLOT_COUNT && left > 0; ++slot) {
        InventorySlot& stack = inventory[slot];
        if (stack.itemId == itemId && stack.count < STACK_MAX) {
            const int32_t added = std::min(left, STACK_MAX - stack.count);
            stack.count += added;
            left -= added;
        }
    }
    if (left <= 0) {
        return;
    }
    for (int slot = 0; slot < INVENTORY_SLOT_COUNT; ++slot) {
        if (!IsInventorySlotFilled(slot)) {
            inventory[slot] = {itemId, left};
            return;
        }
    }
}

void SellItems(int slot, int32_t n) {
    if (!IsInventorySlotFilled(slot)) {
        return;
    }
    AddMoney(SellPriceOf(slot, n));
    InventorySlot& stack = inventory[slot];
    stack.count -= n;
    if (stack.count < 1) {
        stack = {ITEM_NONE, 0};
    }
}

int32_t TryPurchase(ShopPayload* shop) {
    const int32_t itemId = SelectedBuyItem(shop);
    const int64_t total = static_cast<int64_t>(PriceOf(itemId)) * shop->quantity;
    shop->total = static_cast<int32_t>(total);
    if (money < total) {
        return PURCHASE_NO_MONEY;
    }
    if (!HasRoomForItem(itemId, shop->quantity)) {
        return PURCHASE_NO_ROOM;
    }
    AddItemsToInventory(itemId, shop->quantity);
    AddMoney(static_cast<int32_t>(-total));
    RequestSound(SOUND_TRADE, 0);
    return PURCHASE_DONE;
}

void EventCmdShop(EventRunnerPayload* runner) {
    runner->state = WaitShopClosed;
    const uint32_t count = ReadCommandNumber(runner);
    if (count > static_cast<uint32_t>(SHOP_ITEMS_MAX)) {
        return;
    }
    // A number that is no item is not offered.
    int32_t ids[SHOP_ITEMS_MAX] = {};
    int32_t kept = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const int32_t id = static_cast<int32_t>(ReadCommandNumber(runner));
        if (IsItemId(id)) {
            ids[kept++] = id;
        }
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_SHOP);
    if (slot == nullptr) {
        return;
    }
    StartTask(slot, TASK_KIND_SHOP, 0, RunStateTask<ShopPayload>, DrawShop);
    ShopPayload* shop = TaskPayload<ShopPayload>(slot);
    shop->alive = 1;
    shop->quantity = 1;
    shop->itemCount = kept;
    std::copy(ids, ids + kept, shop->itemIds);
    shop->state = BeginShop;
}

void WaitShopClosed(EventRunnerPayload* runner) {
    if (!TaskKindExists(TASK_KIND_SHOP)) {
        runner->state = NextEventCommand;
    }
}

void BeginShop(ShopPayload* shop) {
    shop->state = SelectShopCommand;
}

void SelectShopCommand(ShopPayload* shop) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        shop->alive = 0;
        return;
    }
    if (MoveMenuCursor(&shop->commandCursor, SHOP_COMMAND_COUNT) == 0) {
        return;
    }
    switch (shop->commandCursor) {
        case SHOP_COMMAND_LEAVE:
            shop->yesNoCursor = 0;
            shop->state = ConfirmLeaveShop;
            break;
        case SHOP_COMMAND_BUY:
            shop->listCursor = 0;
            shop->total = 0;
            shop->quantity = 1;
            shop->state = SelectItemToBuy;
            break;
        default:
            shop->sellPage = 0;
            shop->listCursor = 0;
            shop->state = SelectItemToSell;
            break;
    }
}

void ConfirmLeaveShop(ShopPayload* shop) {
    if (MoveMenuCursor(&shop->yesNoCursor, 2) == 0) {
        return;
    }
    if (shop->yesNoCursor == 0) {
        shop->commandCursor = 0;
        shop->state = SelectShopCommand;
    } else {
        shop->alive = 0;
    }
    shop->yesNoCursor = 0;
}

void SelectItemToBuy(ShopPayload* shop) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        CursorSound();
        shop->listCursor = 0;
        shop->commandCursor = 0;
        shop->state = SelectShopCommand;
        return;
    }
    // An empty list has nothing to move to or buy.
    if (shop->itemCount < 1) {
        return;
    }
    if (IsKeyTriggered(KEY_DOWN)) {
        CursorSound();
        shop->listCursor = WrapIndex(shop->listCursor + 1, shop->itemCount);
    } else if (IsKeyTriggered(KEY_UP)) {
        CursorSound();
        shop->listCursor = WrapIndex(shop->listCursor - 1, shop->itemCount);
    } else if (IsConfirmTriggered()) {
        CursorSound();
        shop->quantity = 1;
        shop->total = PriceOf(SelectedBuyItem(shop));
        shop->state = SelectBuyQuantity;
    }
}

void SelectBuyQuantity(ShopPayload* shop) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        CursorSound();
        shop->total = 0;
        shop->quantity = 1;
        shop->state = SelectItemToBuy;
        return;
    }
    if (!StepQuantity(shop, BUY_QUANTITY_MAX) && IsConfirmTriggered()) {
        CursorSound();
        shop->yesNoCursor = 0;
        shop->state = ConfirmPurchase;
    }
    shop->total = PriceOf(SelectedBuyItem(shop)) * shop->quantity;
}

void ConfirmPurchase(ShopPayload* shop) {
    if (MoveMenuCursor(&shop->yesNoCursor, 2) == 0) {
        return;
    }
    if (shop->yesNoCursor == 0) {
        shop->state = SelectBuyQuantity;
        return;
    }
    const int32_t result = TryPurchase(shop);
    if (result == PURCHASE_DONE) {
        shop->state = SelectItemToBuy;
    } else {
        shop->failReason = result;
        shop->state = WaitShopMessage;
        RequestSound(SOUND_BUZZER, 0);
    }
    shop->yesNoCursor = 0;
    shop->total = 0;
    shop->quantity = 1;
}

void WaitShopMessage(ShopPayload* shop) {
    if (IsConfirmTriggered()) {
        shop->state = SelectItemToBuy;
    }
}

void SelectItemToSell(ShopPayload* shop) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        CursorSound();
        shop->commandCursor = 0;
        shop->state = SelectShopCommand;
    } else if (IsKeyTriggered(KEY_RIGHT)) {
        CursorSound();
        shop->sellPage = WrapIndex(shop->sellPage + 1, SELL_PAGE_COUNT);
    } else if (IsKeyTriggered(KEY_LEFT)) {
        CursorSound();
        shop->sellPage = WrapIndex(shop->sellPage - 1, SELL_PAGE_COUNT);
    } else if (IsKeyTriggered(KEY_DOWN)) {
        CursorSound();
        shop->listCursor = WrapIndex(shop->listCursor + 1, SELL_PAGE_ROWS);
    } else if (IsKeyTriggered(KEY_UP)) {
        CursorSound();
        shop->listCursor = WrapIndex(shop->listCursor - 1, SELL_PAGE_ROWS);
    } else if (IsConfirmTriggered()) {
        CursorSound();
        const int slot = SelectedSellSlot(shop);
        if (IsInventorySlotFilled(slot)) {
            shop->heldCount = inventory[slot].count;
            shop->quantity = 1;
            shop->total = SellPriceOf(slot, 1);
            shop->state = SelectSellQuantity;
        }
    }
}

void SelectSellQuantity(ShopPayload* shop) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        CursorSound();
        shop->total = 0;
        shop->state = SelectItemToSell;
        return;
    }
    if (!StepQuantity(shop, shop->heldCount) && IsConfirmTriggered()) {
        CursorSound();
        shop->yesNoCursor = 0;
        shop->state = ConfirmSale;
    }
    shop->total = SellPriceOf(SelectedSellSlot(shop), shop->quantity);
}

void ConfirmSale(ShopPayload* shop) {
    if (MoveMenuCursor(&shop->yesNoCursor, 2) == 0) {
        return;
    }
    if (shop->yesNoCursor == 0) {
        shop->state = SelectSellQuantity;
    } else {
        SellItems(SelectedSellSlot(shop), shop->quantity);
        shop->state = SelectItemToSell;
        RequestSound(SOUND_TRADE, 0);
    }
    shop->yesNoCursor = 0;
}

void DrawShop(TaskSlot* slot) {
    const ShopPayload* shop = TaskPayload<ShopPayload>(slot);
    const TaskStateFn<ShopPayload> state = shop->state;
    if (state == SelectShopCommand) {
        DrawShopCommands(shop);
    } else if (state == ConfirmLeaveShop) {
        DrawYesNo(MENU_X, MENU_Y, shop, RECT_SHOP_LEAVE_TITLE);
    } else if (state == SelectItemToBuy) {
        DrawBuyList(shop);
    } else if (state == SelectBuyQuantity || state == ConfirmPurchase) {
        DrawBuyList(shop);
        DrawQuantityWindow(shop, RECT_BUY_QUANTITY_HEADER);
        if (state == ConfirmPurchase) {
            DrawYesNo(CONFIRM_X, CONFIRM_Y, shop, RECT_BUY_CONFIRM_TITLE);
        }
    } else if (state == WaitShopMessage) {
        DrawBuyList(shop);
        DrawShopFailMessage(shop);
    } else if (state == SelectItemToSell) {
        DrawSellList(shop);
    } else if (state == SelectSellQuantity || state == ConfirmSale) {
        DrawSellList(shop);
        DrawQuantityWindow(shop, RECT_SELL_QUANTITY_HEADER);
        if (state == ConfirmSale) {
            DrawYesNo(CONFIRM_X, CONFIRM_Y, shop, RECT_SELL_CONFIRM_TITLE);
        }
    }
}
