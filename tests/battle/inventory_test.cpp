// The bag: its start contents, finding room with the 99 limit, adding, taking, clearing and the
// stable sort, slots of unknown item numbers shown as empty but kept as they are, and the
// consumable effects with their sound.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "battle/inventory.h"
#include "engine/sound.h"
#include "field/game_state.h"

namespace {

using Slots = std::vector<std::pair<int32_t, int32_t>>;

class InventoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memcpy(saved, inventory, sizeof saved);
        Fill(ITEM_NONE, 0);
    }
    void TearDown() override { std::memcpy(inventory, saved, sizeof saved); }

    static void Fill(int32_t id, int32_t count) {
        for (InventorySlot& slot : inventory) {
            slot = {id, count};
        }
    }
    // The first n slots as (id, count).
    static Slots First(int n) {
        Slots slots;
        for (int i = 0; i < n; ++i) {
            slots.push_back({inventory[i].itemId, inventory[i].count});
        }
        return slots;
    }

    InventorySlot saved[INVENTORY_SLOT_COUNT];
};

TEST_F(InventoryTest, ANewBagHoldsTheStartingItemsAndNothingElse) {
    Fill(5, 7);
    InitInventory();
    EXPECT_EQ(First(5), (Slots{{0, 4}, {2, 4}, {10, 1}, {11, 1}, {ITEM_NONE, 0}}));
    EXPECT_EQ(inventory[79].itemId, ITEM_NONE);
}

TEST_F(InventoryTest, RoomIsTheFirstStackBelowTheLimitThenTheFirstEmptySlot) {
    inventory[4] = {3, 98};
    EXPECT_EQ(FindInventorySlot(3), 4) << "before an earlier empty slot";
    inventory[4].count = 99;
    EXPECT_EQ(FindInventorySlot(3), 0);
    inventory[0] = {0, 99};
    int slot = FindInventorySlot(0);
    EXPECT_EQ(slot, 1);
    AddItemToInventorySlot(slot, 0);
    EXPECT_EQ(First(2), (Slots{{0, 99}, {0, 1}}));
}

TEST_F(InventoryTest, AFullBagHasNoRoomAndNothingIsAdded) {
    Fill(4, 99);
    EXPECT_EQ(FindInventorySlot(4), -1);
    EXPECT_EQ(FindInventorySlot(0), -1);
    AddItemToInventorySlot(FindInventorySlot(4), 4);
    EXPECT_EQ(First(80), Slots(80, {4, 99}));
    inventory[79].count = 98;
    EXPECT_EQ(FindInventorySlot(4), 79);
}

TEST_F(InventoryTest, AddingStacksOrFillsAndIgnoresWhatItCannotUse) {
    AddItemToInventorySlot(3, 12);
    AddItemToInventorySlot(3, 12);
    AddItemToInventorySlot(3, 13);  // another item's slot
    inventory[5] = {12, 99};
    AddItemToInventorySlot(5, 12);  // the limit is the finder's, not the adder's
    for (auto [slot, id] : {std::pair{-1, 0}, {80, 0}, {0, 27}, {0, -1}, {0, ITEM_NONE}}) {
        AddItemToInventorySlot(slot, id);
    }
    EXPECT_EQ(
        First(6),
        (Slots{
            {ITEM_NONE, 0}, {ITEM_NONE, 0}, {ITEM_NONE, 0}, {12, 2}, {ITEM_NONE, 0}, {12, 100}}));
    EXPECT_EQ(FindInventorySlot(27), -1);
}

TEST_F(InventoryTest, TakingLeavesHolesAndClearingTakesTheStack) {
    for (int slot = 0; slot < 4; ++slot) {
        inventory[slot] = {slot, 2};
    }
    inventory[1].count = 1;
    ConsumeInventorySlot(1);
    ConsumeInventorySlot(2);
    ClearInventorySlot(3);
    ConsumeInventorySlot(4);  // already empty
    for (int slot : {-1, 80}) {
        ConsumeInventorySlot(slot);
        ClearInventorySlot(slot);
    }
    EXPECT_EQ(First(5), (Slots{{0, 2}, {ITEM_NONE, 0}, {2, 1}, {ITEM_NONE, 0}, {ITEM_NONE, 0}}));
    EXPECT_EQ(FindInventorySlot(20), 1) << "the hole is the first room";
}

TEST_F(InventoryTest, SortingOrdersByIdKeepingEqualIdsInOrder) {
    inventory[0] = {10, 1};
    inventory[2] = {0, 4};
    inventory[3] = {10, 2};
    SortInventory();
    EXPECT_EQ(First(4), (Slots{{0, 4}, {10, 1}, {10, 2}, {ITEM_NONE, 0}}));

    // A full bag: slot s holds id (79 - s) % 5 with count s; the last slot is empty.
    for (int slot = 0; slot < INVENTORY_SLOT_COUNT; ++slot) {
        inventory[slot] = {(79 - slot) % 5, slot};
    }
    inventory[79] = {ITEM_NONE, 0};
    SortInventory();
    for (int slot = 1; slot < 79; ++slot) {
        const InventorySlot& a = inventory[slot - 1];
        const InventorySlot& b = inventory[slot];
        EXPECT_TRUE(a.itemId < b.itemId || (a.itemId == b.itemId && a.count < b.count)) << slot;
    }
    EXPECT_EQ(inventory[79].itemId, ITEM_NONE);
}

TEST_F(InventoryTest, HasItemLooksAtEverySlotButNotTheCount) {
    EXPECT_FALSE(HasItem(ITEM_BOAT));
    inventory[79] = {ITEM_BOAT, 0};
    EXPECT_TRUE(HasItem(ITEM_BOAT));
    EXPECT_FALSE(HasItem(ITEM_NONE)) << "an empty slot holds no item";
}

TEST_F(InventoryTest, UnknownItemNumbersShowAsEmptyButKeepTheirBytes) {
    inventory[0] = {500, 7};
    inventory[1] = {-3, 2};
    inventory[2] = {0, 3};
    EXPECT_FALSE(IsInventorySlotFilled(0));
    EXPECT_TRUE(IsInventorySlotFilled(2));
    EXPECT_FALSE(HasItem(500));
    ConsumeInventorySlot(0);
    SortInventory();
    EXPECT_EQ(First(4), (Slots{{0, 3}, {500, 7}, {-3, 2}, {ITEM_NONE, 0}}));
    EXPECT_EQ(FindInventorySlot(4), 1) << "room for a new item";
    AddItemToInventorySlot(1, 4);
    EXPECT_EQ(First(3), (Slots{{0, 3}, {4, 1}, {-3, 2}}));
}

class ItemEffectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        record = {};
        record.characterClass = CLASS_HYBRID;
        record.hp = 40;
        record.hpMax = 150;
        record.mp = 10;
        record.mpMax = 250;
        record.statusBits = STATUS_POISON | STATUS_PARALYSIS | 8;
        RequestSound(SOUND_HEAL, 1);
        ClearSoundRequests();
    }
    // Whether the heal sound (restarting) was asked for since the last look.
    static bool Healed() {
        bool requested =
            soundRequests[SOUND_HEAL].requested == 1 && soundRequests[SOUND_HEAL].noRestart == 0;
        ClearSoundRequests();
        return requested;
    }

    CharacterRecord record;
};

TEST_F(ItemEffectTest, PointsRiseByTheItemsValueUpToTheMaximum) {
    RestoreHpByItem(record, 0);
    EXPECT_EQ(record.hp, 140);
    EXPECT_TRUE(Healed());
    RestoreHpByItem(record, 1);
    EXPECT_EQ(record.hp, 150);
    RestoreHpByItem(record, 0);
    EXPECT_TRUE(Healed()) << "nothing changed, the sound still plays";
    RestoreMpByItem(record, 2);
    EXPECT_EQ(record.mp, 110);
    RestoreMpByItem(record, 3);
    EXPECT_EQ(record.mp, 250);
    record.characterClass = CLASS_CASTER;
    record.mp = 0;
    RestoreMpByItem(record, 2);
    EXPECT_EQ(record.mp, 100);
    record.hp = 2147483600;
    record.hpMax = 2147483647;
    RestoreHpByItem(record, 1);
    EXPECT_EQ(record.hp, 2147483647) << "no wrap";
}

TEST_F(ItemEffectTest, MagicItemsDoNothingForCharactersWithoutMagicButStillSound) {
    for (int32_t characterClass : {CLASS_FIGHTER, CLASS_FAMILIAR, CLASS_BOSS}) {
        record.characterClass = characterClass;
        RestoreMpByItem(record, 3);
        EXPECT_EQ(record.mp, 10) << characterClass;
        EXPECT_TRUE(Healed()) << characterClass;
    }
}

TEST_F(ItemEffectTest, CuresClearOnlyTheirOwnStatus) {
    CurePoisonByItem(record);
    EXPECT_EQ(record.statusBits, STATUS_PARALYSIS | 8);
    EXPECT_TRUE(Healed());
    CureParalysisByItem(record);
    EXPECT_EQ(record.statusBits, 8u);
    EXPECT_TRUE(Healed());
}

TEST_F(ItemEffectTest, AnUnknownItemRestoresNothingButStillSounds) {
    RestoreHpByItem(record, 27);
    RestoreMpByItem(record, -1);
    EXPECT_EQ(record.hp, 40);
    EXPECT_EQ(record.mp, 10);
    EXPECT_TRUE(Healed());
}

}  // namespace
