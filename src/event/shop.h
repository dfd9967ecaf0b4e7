// The shop: sells the items its script lists (at most 12) and buys any item of the bag at half
// its price. One task whose state chain runs the command menu, the buy chain (list, quantity,
// confirmation, refusal) and the sell chain (paged bag, quantity, confirmation).
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "event/event_runner.h"

constexpr int SHOP_ITEMS_MAX = 12;
constexpr int32_t SHOP_COMMAND_COUNT = 3;
constexpr int32_t SHOP_COMMAND_LEAVE = 0;
constexpr int32_t SHOP_COMMAND_BUY = 1;
constexpr int32_t SHOP_COMMAND_SELL = 2;
constexpr int32_t SELL_PAGE_COUNT = 8;
constexpr int32_t SELL_PAGE_ROWS = 10;
// What a purchase came to: done, or why it was refused.
constexpr int32_t PURCHASE_DONE = 1;
constexpr int32_t PURCHASE_NO_MONEY = 0;
constexpr int32_t PURCHASE_NO_ROOM = -1;

struct ShopPayload {
    uint32_t alive;
    int32_t sellPage;
    int32_t commandCursor;
    int32_t listCursor;  // the buy list's entry, or the sell page's row
    int32_t quantity;
    int32_t heldCount;  // of the slot being sold
    int32_t total;      // what the purchase costs or the sale brings
    int32_t yesNoCursor;
    int32_t itemCount;
    int32_t failReason;
    int32_t itemIds[SHOP_ITEMS_MAX];
    TaskStateFn<ShopPayload> state;
};

// n of the item into the bag: its stacks below 99 first, in order, then one new stack.
void AddItemsToInventory(int32_t itemId, int32_t n);
// The price of quantity n of the slot, halved, goes to the money; the slot keeps what is left
// (or empties in place).
void SellItems(int slot, int32_t n);
// Pays for quantity of the selected item: PURCHASE_DONE, or why not.
int32_t TryPurchase(ShopPayload* shop);

// The runner's wait for the shop to close.
void WaitShopClosed(EventRunnerPayload* runner);

void BeginShop(ShopPayload* shop);
void SelectShopCommand(ShopPayload* shop);
void ConfirmLeaveShop(ShopPayload* shop);
void SelectItemToBuy(ShopPayload* shop);
void SelectBuyQuantity(ShopPayload* shop);
void ConfirmPurchase(ShopPayload* shop);
void WaitShopMessage(ShopPayload* shop);
void SelectItemToSell(ShopPayload* shop);
void SelectSellQuantity(ShopPayload* shop);
void ConfirmSale(ShopPayload* shop);
void DrawShop(TaskSlot* slot);
