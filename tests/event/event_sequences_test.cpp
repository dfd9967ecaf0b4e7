// The sequences events open, on the headless game: treasure chests with the bag's room rules,
// the shop's buy and sell chains, the inn's stay and rest fade, and the amount entry's two
// labels. Each case opens its command in a room of its own, presses its keys one by one and
// checks the money, the bag, the flags, the sounds of the last press and what the next frame
// draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "battle/inventory.h"
#include "data/atlas_images.h"
#include "data/atlas_shop.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/inn.h"
#include "event/shop.h"
#include "event/treasure.h"
#include "menu/field_menu_fixture.h"
#include "menu/menu_flow.h"

namespace {

constexpr int D = KEY_DOWN;
constexpr int U = KEY_UP;
constexpr int R = KEY_RIGHT;
constexpr int L = KEY_LEFT;
constexpr int OK = KEY_RETURN;
constexpr int ESC = KEY_ESCAPE;
constexpr InventorySlot EMPTY{ITEM_NONE, 0};

std::vector<std::string> Voices(const std::vector<int>& ids) {
    std::vector<std::string> voices;
    for (int id : ids) {
        voices.push_back("play:" + std::to_string(id) + ":once");
    }
    return voices;
}

bool Drew(const AtlasRect& rect) {
    const std::vector<DrawnSprite> sprites = DrawnSprites();
    return std::any_of(sprites.begin(), sprites.end(), [&](const DrawnSprite& s) {
        return s.source.left == rect.left && s.source.top == rect.top &&
               s.source.right == rect.right && s.source.bottom == rect.bottom;
    });
}

void ExpectBag(const std::vector<InventorySlot>& first) {
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(inventory[i].itemId, first[i].itemId) << "slot " << i;
        EXPECT_EQ(inventory[i].count, first[i].count) << "slot " << i;
    }
}

TEST(BagRoomTest, StacksFillToNinetyNineBeforeANewStackTakesAnEmptySlot) {
    struct Case {
        const char* what;
        std::vector<InventorySlot> bag;  // the first slots; the rest hold magic herbs
        int32_t n;
        bool room;
        std::vector<InventorySlot> afterOne;  // after AddTreasureItem
        std::vector<InventorySlot> afterN;    // after AddItemsToInventory(n), when there is room
    };
    // clang-format off
    const Case cases[] = {
        {"a full stack and an empty slot", {{0, 99}, EMPTY}, 1, true,
         {{0, 99}, {0, 1}}, {{0, 99}, {0, 1}}},
        {"a bag of other items", {}, 1, false, {}, {}},
        {"the one stack has room for one", {{0, 98}}, 2, false, {{0, 99}}, {}},
        {"two stacks share their room, the rest makes a stack", {{0, 95}, EMPTY, {0, 97}}, 10,
         true, {{0, 96}, EMPTY, {0, 97}}, {{0, 99}, {0, 4}, {0, 99}}},
        {"an unknown number counts as empty", {{0, 99}, {4000, 3}}, 5, true,
         {{0, 99}, {0, 1}}, {{0, 99}, {0, 5}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int add = 0; add < 2; ++add) {
            std::fill(std::begin(inventory), std::end(inventory), InventorySlot{2, 99});
            std::copy(c.bag.begin(), c.bag.end(), inventory);
            EXPECT_EQ(HasRoomForItem(0, c.n), c.room);
            add == 0 ? AddTreasureItem(0) : AddItemsToInventory(0, c.n);
            ExpectBag(add == 0 ? c.afterOne : c.afterN);
            EXPECT_EQ(inventory[79].itemId, 2) << "the other items stay";
        }
    }
}

class SequenceTest : public FieldMenuFixture {
  protected:
    // Event 1 at (3, 4) holds the block and then sets flag 1; the party stands on row 2 with the
    // money and the bag's first slots given, and no flag set.
    void Open(const std::string& block, int32_t cash, const std::vector<InventorySlot>& bag) {
        game.reset();  // one game at a time: a harness frees the game's buffers as it goes
        Load({{{3, 4}, block + "#14,1,#99,@"}});
        PlaceField();
        ClearEventFlags();
        money = cash;
        std::copy(bag.begin(), bag.end(), inventory);
        headless::ClearSoundLog();
        ASSERT_EQ(StartEvent(1), 1);
        game->Frames(2);
    }

    static std::vector<uint32_t> SetFlags() {
        std::vector<uint32_t> set;
        for (uint32_t f = 0; f < EVENT_FLAG_COUNT; ++f) {
            if (IsEventFlagSet(f)) {
                set.push_back(f);
            }
        }
        return set;
    }
};

// A chest at (3, 4), tag 1, placed while flag 7 is clear.
std::string Chest(const std::string& arguments) {
    return "$99,7,$3,24,#26," + arguments + ",";
}

TEST_F(SequenceTest, EachChestGivesWhatItHoldsOnceAndGoes) {
    struct Case {
        const char* arguments;  // kind, gold or item, column, row, tag, flag
        int32_t money;
        std::vector<InventorySlot> bag;
        std::vector<int> voices;
        int32_t moneyAfter;
        int32_t herbsAfter;           // slot 0 holds 4 herbs at the start
        std::vector<uint32_t> flags;  // flag 1 says the event went on
        bool chestStays;
        bool cellFreed;
    };
    const std::vector<int> got = {SOUND_GET_ITEM};
    const std::vector<InventorySlot> full(INVENTORY_SLOT_COUNT, {0, 99});
    // clang-format off
    const Case cases[] = {
        {"0,300,3,4,1,7", 1000, {}, got, 1300, 4, {1, 7}, false, true},
        {"0,100,3,4,1,7", 9999990, {}, got, MONEY_MAX, 4, {1, 7}, false, true},
        // Any other kind reads an item id and shows a gold popup of nothing.
        {"2,300,3,4,1,7", 1000, {}, got, 1000, 4, {1, 7}, false, true},
        {"1,0,3,4,1,7", 1000, {}, got, 1000, 5, {1, 7}, false, true},
        {"1,0,3,4,1,7", 1000, full, {SOUND_BUZZER}, 1000, 99, {1}, true, false},
        {"1,27,3,4,1,7", 1000, {}, {}, 1000, 4, {1}, true, false},
        {"0,300,3,4,1,100", 1000, {}, got, 1300, 4, {1}, false, true},
        // Tag 0 frees no task: the runner, the camera and the map view go on.
        {"0,300,3,4,0,7", 1000, {}, got, 1300, 4, {1, 7}, true, true},
        {"0,300,9,9,1,7", 1000, {}, got, 1300, 4, {1, 7}, false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        Open(Chest(c.arguments), c.money, c.bag);
        EXPECT_EQ(Plays(), Voices(c.voices));
        Press(OK);
        RunEvent(0);
        EXPECT_EQ(money, c.moneyAfter);
        EXPECT_EQ(inventory[0].count, c.herbsAfter);
        EXPECT_EQ(SetFlags(), c.flags);
        EXPECT_EQ(FindTaskWithTag(1) != nullptr, c.chestStays);
        EXPECT_EQ(Collision(3, 4), c.cellFreed ? COLLISION_FREE : COLLISION_BLOCKED);
        EXPECT_EQ(TaskAt(TASK_SLOT_PARTY_FIRST)->updateOn, 1u) << "the world goes on";
    }
}

TEST_F(SequenceTest, TheGoldPopupCentresItsAmountAndWordsInTheBar) {
    Open(Chest("0,100,3,4,1,7"), 0, {});
    game->Frame();
    // The bar's left edge is 178; 100 is 25 pixels wide and the words 116, so the line begins
    // 72 pixels in, and the words 8 pixels after the digits' own widths.
    std::vector<float> digits;
    float words = 0.0f;
    for (const DrawnSprite& s : DrawnSprites()) {
        const bool digit =
            s.source.left == mediumDigitRects[0].left || s.source.left == mediumDigitRects[1].left;
        digits.insert(digits.end(), digit && s.screen.top == 123.0f ? 1 : 0, s.screen.left);
        words = s.source.left == RECT_GOLD_GET_WORDS.left && s.screen.top == 122.0f ? s.screen.left
                                                                                    : words;
    }
    EXPECT_EQ(digits, (std::vector<float>{250.0f, 256.0f, 267.0f}));
    EXPECT_EQ(words, 283.0f);
}

TEST_F(SequenceTest, ATakenChestStaysTakenAfterLeavingTheMapAndAfterASaveAndALoad) {
    Open(Chest("1,0,3,4,1,7"), 0, {});
    Press(OK);
    RunEvent(0);
    ASSERT_EQ(inventory[0].count, 5);
    ASSERT_TRUE(WriteSaveFile(0));
    KillAllTasks();
    ASSERT_TRUE(LoadMap(4));
    EXPECT_EQ(CountKind(TASK_KIND_EXAMINE_OBJECT), 0) << "not placed again";
    EXPECT_EQ(Collision(3, 4), COLLISION_FREE);

    ClearEventFlags();
    InitInventory();
    KillAllTasks();
    ASSERT_TRUE(LoadMap(4));
    ASSERT_EQ(CountKind(TASK_KIND_EXAMINE_OBJECT), 1) << "another game has the chest";
    ASSERT_EQ(LoadSaveFile(0), SaveLoadResult::Loaded);
    EXPECT_TRUE(IsEventFlagSet(7));
    EXPECT_EQ(CountKind(TASK_KIND_EXAMINE_OBJECT), 0);
    EXPECT_EQ(Collision(3, 4), COLLISION_FREE);
    EXPECT_EQ(inventory[0].count, 5);
}

using ShopState = TaskStateFn<ShopPayload>;

TEST_F(SequenceTest, TheShopBuysAndSellsThroughItsChains) {
    struct Case {
        const char* what;
        const char* items;
        std::vector<InventorySlot> bag;  // replaces the first slots
        int32_t money;
        std::vector<int> keys;
        ShopState state;  // null: closed
        int32_t moneyAfter;
        std::vector<InventorySlot> bagAfter;
        std::vector<int> voices;  // of the last key
        int32_t quantity;         // -1: not looked at
        AtlasRect drawn;          // then; {} for nothing in particular
    };
    const char* wares = "3,0,1,2,";  // herb 10, big herb 50, magic herb 30; 4 herbs held
    const std::vector<InventorySlot> full(INVENTORY_SLOT_COUNT, {2, 99});
    const std::vector<int> bought = {SOUND_CURSOR, SOUND_TRADE};
    const std::vector<int> refused = {SOUND_CURSOR, SOUND_BUZZER};
    const std::vector<int> cursor = {SOUND_CURSOR};
    auto buy = [](std::vector<int> keys) {
        keys.insert(keys.begin(), {D, OK});
        return keys;
    };
    auto sell = [](std::vector<int> keys) {
        keys.insert(keys.begin(), {D, D, OK});
        return keys;
    };
    // clang-format off
    const Case cases[] = {
        {"three herbs join the four held", wares, {}, 1000,
         buy({OK, D, D, OK, D, OK}), SelectItemToBuy, 970, {{0, 7}}, bought, 1, {}},
        {"99 at most: the stack fills and the rest takes the first empty slot", wares, {}, 1000,
         buy({OK, R, R, R, R, R, R, R, R, R, R, D, OK, D, OK}), SelectItemToBuy, 10,
         {{0, 99}, {2, 4}, {10, 1}, {11, 1}, {0, 4}}, bought, -1, {}},
        {"1 at least: Left from 5, then Up", wares, {}, 1000,
         buy({OK, D, D, D, D, L, U}), SelectBuyQuantity, 1000, {}, cursor, 1,
         RECT_BUY_QUANTITY_HEADER},
        {"the money is short", wares, {}, 29,
         buy({OK, D, D, OK, D, OK}), WaitShopMessage, 29, {{0, 4}}, refused, -1,
         RECT_NOT_ENOUGH_MONEY_MESSAGE},
        {"the bag is full", wares, full, 1000,
         buy({OK, OK, D, OK}), WaitShopMessage, 1000, {}, refused, -1, RECT_NO_ROOM_MESSAGE},
        {"no goes back to the quantity, which stays", wares, {}, 1000,
         buy({OK, D, D, OK, OK, OK}), ConfirmPurchase, 1000, {}, cursor, 3,
         RECT_BUY_CONFIRM_TITLE},
        // Had either cursor stayed, Down and Return would buy a big herb or open the sell list.
        {"Escape from the list puts both cursors back", wares, {}, 1000,
         buy({D, ESC, D, OK, OK, OK, D, OK}), SelectItemToBuy, 990, {{0, 5}}, bought, -1, {}},
        {"Escape on the commands closes at once", wares, {}, 1000,
         {ESC}, nullptr, 1000, {}, {}, -1, {}},
        {"yes to the leave question", wares, {}, 1000,
         {OK, D, OK}, nullptr, 1000, {}, cursor, -1, {}},
        {"three of five antidotes at 20 bring 30", wares, {{4, 5}}, 1000,
         sell({OK, D, D, OK, D, OK}), SelectItemToSell, 1030, {{4, 2}}, bought, -1, {}},
        {"a whole stack sold, no more than held, leaves its slot empty in place", wares,
         {{4, 5}}, 1000, sell({OK, R, D, OK, D, OK}), SelectItemToSell, 1050, {EMPTY, {2, 4}},
         bought, -1, RECT_SELL_EMPTY_SLOT},
        {"an empty slot (page 8) sells nothing", wares, {}, 1000,
         sell({L, OK}), SelectItemToSell, 1000, {}, cursor, -1, RECT_SELL_CAPTION},
        {"thirteen items open no shop", "13,", {}, 1000,
         {}, nullptr, 1000, {}, {}, -1, {}},
        {"a number that is no item is not offered", "2,27,0,", {}, 1000,
         buy({D, OK, OK, D, OK}), SelectItemToBuy, 990, {{0, 5}}, bought, -1, {}},
        {"an empty list takes Escape alone", "1,99,", {}, 1000,
         buy({U, D, OK}), SelectItemToBuy, 1000, {}, {}, -1, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(std::string("$2,#13,") + c.items, c.money, c.bag);
        std::vector<std::string> voices;
        for (int key : c.keys) {
            voices = Press(key);
        }
        EXPECT_EQ(voices, Voices(c.voices));
        EXPECT_EQ(money, c.moneyAfter);
        ExpectBag(c.bagAfter);
        EXPECT_TRUE(RectWidth(c.drawn) == 0 || Drew(c.drawn));
        const ShopPayload* shop = Payload<ShopPayload>(TASK_SLOT_SHOP, TASK_KIND_SHOP);
        if (c.state == nullptr) {
            EXPECT_EQ(shop, nullptr);
            RunEvent(0);
            EXPECT_TRUE(IsEventFlagSet(1)) << "the event went on";
            continue;
        }
        ASSERT_NE(shop, nullptr);
        EXPECT_EQ(shop->state, c.state);
        EXPECT_TRUE(c.quantity < 0 || shop->quantity == c.quantity) << shop->quantity;
    }
}

using InnState = TaskStateFn<InnPayload>;

TEST_F(SequenceTest, TheInnRestoresTheWholePartyForItsPriceOrRefuses) {
    struct Case {
        const char* what;
        uint32_t price;
        int32_t money;
        std::vector<int> keys;
        InnState state;  // null: closed
        int32_t moneyAfter;
        bool healed;
        std::vector<int> voices;
    };
    const std::vector<int> refused = {SOUND_CURSOR, SOUND_FAILED};
    const Case cases[] = {
        {"a price of 0", 0, 0, {D, OK}, FadeOutForRest, 0, true, {SOUND_CURSOR}},
        {"all the money", 50, 50, {D, OK}, FadeOutForRest, 0, true, {SOUND_CURSOR}},
        {"one short", 50, 49, {D, OK}, WaitInnMessage, 49, false, refused},
        // Back on the question with the cursor still on yes: one more Return tries again.
        {"one short, again", 50, 49, {D, OK, OK, OK}, WaitInnMessage, 49, false, refused},
        {"no", 50, 100, {OK}, nullptr, 100, false, {SOUND_CURSOR}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open("$2,#12," + std::to_string(c.price) + ",", c.money, {});
        // A member poisoned and paralysed, one out of magic, and a fighter whose magic points
        // count as well.
        partyRoster[0].statusBits = STATUS_POISON | STATUS_PARALYSIS;
        partyRoster[0].hp = 1;
        partyRoster[1].mp = 0;
        partyRoster[1].mpMax = 20;
        partyRoster[2].characterClass = CLASS_FIGHTER;
        partyRoster[2].mp = 0;
        partyRoster[2].mpMax = 12;
        std::vector<std::string> voices;
        for (int key : c.keys) {
            voices = Press(key);
        }
        EXPECT_EQ(voices, Voices(c.voices));
        EXPECT_EQ(money, c.moneyAfter);
        for (int i = 0; i < partyCount; ++i) {
            const CharacterRecord& m = partyRoster[i];
            const bool whole = m.hp == m.hpMax && m.mp == m.mpMax && m.statusBits == 0;
            EXPECT_EQ(whole, c.healed) << "member " << i;
        }
        const InnPayload* inn = Payload<InnPayload>(TASK_SLOT_INN, TASK_KIND_INN);
        if (c.state == nullptr) {
            EXPECT_EQ(inn, nullptr);
            continue;
        }
        ASSERT_NE(inn, nullptr);
        EXPECT_EQ(inn->state, c.state);
        EXPECT_EQ(Drew(RECT_NOT_ENOUGH_MONEY_MESSAGE), c.state == WaitInnMessage);
    }
}

TEST_F(SequenceTest, TheRestFadesOutHoldsAndFadesInThenTheEventGoesOn) {
    Open("$2,#12,10,", 100, {});
    Press(D);
    Press(OK);  // pays, then the first of 26 fade-out frames
    const InnPayload* inn = Payload<InnPayload>(TASK_SLOT_INN, TASK_KIND_INN);
    ASSERT_NE(inn, nullptr);
    EXPECT_EQ(FramesUntil([inn] { return inn->state == HoldRestFade; }), 25);
    EXPECT_EQ(inn->restAlpha, 255);
    EXPECT_EQ(FramesUntil([inn] { return inn->state == FadeInAfterRest; }), 50);
    EXPECT_EQ(FramesUntil([] { return !IsTaskSlotInUse(TASK_SLOT_INN); }), 26);
    EXPECT_EQ(FramesUntil([] { return IsEventFlagSet(1); }), 2) << "resumed the frame after";
}

TEST_F(SequenceTest, TheAmountEntryPaysOrTakesItsFailureLabel) {
    struct Case {
        const char* what;
        uint32_t minimum;
        int32_t money;
        std::vector<int> keys;
        uint32_t flag;  // 2 paid, 3 not
        int32_t moneyAfter;
    };
    const Case cases[] = {
        {"0000 with a minimum of 0", 0, 500, {OK}, 2, 500},
        {"Up on a 0 gives 9", 0, 500, {U, OK}, 2, 491},
        {"Right stays on the units", 0, 500, {R, D, OK}, 2, 499},
        {"Down on a 9 gives 0", 0, 500, {U, D, OK}, 2, 500},
        {"Left stops at the thousands: more than the money", 0, 5000, {L, L, L, L, U, OK}, 3, 5000},
        {"under the minimum", 100, 500, {L, D, D, D, D, D, OK}, 3, 500},
        {"the minimum with all the money", 100, 100, {L, L, D, OK}, 2, 0},
        {"Escape", 0, 500, {U, ESC}, 3, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open("$2,#51," + std::to_string(c.minimum) + ",PAID,SHORT,#99,PAID#14,2,#99,SHORT#14,3,",
             c.money, {});
        for (int key : c.keys) {
            const std::vector<std::string> voices = Press(key);
            EXPECT_EQ(voices,
                      Voices(key == OK ? std::vector<int>{} : std::vector<int>{SOUND_CURSOR}))
                << key;
        }
        RunEvent(0);
        EXPECT_EQ(money, c.moneyAfter);
        EXPECT_TRUE(IsEventFlagSet(c.flag));
        EXPECT_FALSE(IsEventFlagSet(5 - c.flag));
    }
}

}  // namespace
