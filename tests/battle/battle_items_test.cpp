// The item command driven by keys: which cells can be chosen, the ways back, and each kind of
// item used on a party unit with its ring, its number or popup, and the bag's counts.
#include <gtest/gtest.h>

#include <tuple>

#include "battle/battle_fixture.h"
#include "battle/battle_items.h"
#include "battle/inventory.h"
#include "battle/skill_effects.h"

namespace {

class BattleItemsTest : public BattleTest {
  protected:
    // The battle watching turns, the fighter (slot 11) with the item window open.
    void SetUp() override {
        BattleTest::SetUp();
        BeginPastOpening()->stateFn = WatchUnitTurn;
        unit = LiveBattleUnitAt(11);
        for (InventorySlot& slot : inventory) {
            slot = {ITEM_NONE, 0};
        }
    }
    void Open() {
        unit->stateFn = OpenBattleItemMenu;
        game->ReleaseAll();
        game->Frame();
    }
    BattleUnit* unit = nullptr;
};

TEST_F(BattleItemsTest, OnlyConsumablesOfferedInBattleLeadToTheTargetListAndEachWayBack) {
    inventory[0] = {10, 1};  // a weapon: dimmed, not offered
    inventory[2] = {4, 1};
    Open();
    for (int key : {KEY_RETURN, KEY_RIGHT, KEY_RETURN}) {
        Press(key);
        EXPECT_EQ(unit->stateFn, BattleItemMenuState) << "no choice, no buzzer";
    }
    Press(KEY_DOWN);
    Press(KEY_LEFT);
    EXPECT_EQ(std::tuple(itemMenu.page, itemMenu.column, itemMenu.row), std::tuple(0, 0, 1));
    Press(KEY_Z);
    ASSERT_EQ(unit->stateFn, ItemTargetState);
    EXPECT_EQ(unit->targets[0]->record.side, SIDE_PARTY);
    Press(KEY_ESCAPE);
    EXPECT_EQ(std::tuple(unit->stateFn, itemMenu.column, itemMenu.row),
              std::tuple(&BattleItemMenuState, 0, 1));
    Press(KEY_LEFT);
    EXPECT_EQ(std::tuple(itemMenu.page, itemMenu.column), std::tuple(9, 0));
    unit->promptCursor = 2;
    Press(KEY_ESCAPE);
    EXPECT_EQ(std::tuple(unit->stateFn, unit->promptCursor), std::tuple(&CommandMenuState, 0));
    EXPECT_EQ(inventory[2].count, 1);
}

TEST_F(BattleItemsTest, EachItemActsOnItsTargetThenOneIsTakenFromTheSlot) {
    // item, count, target's class, hit points, magic points, status: hit points, magic points,
    // status after, the ring, digits and popups shown.
    using Row = std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t, int32_t, int32_t,
                           uint32_t, bool, int, int>;
    for (auto [item, count, characterClass, hp, mp, status, hpAfter, mpAfter, statusAfter, ring,
               digits, popups] : {Row{0, 4, 1, 50, 0, 0, 150, 0, 0, true, 3, 0},
                                  Row{1, 1, 1, 50, 0, 0, 200, 0, 0, true, 3, 0},
                                  Row{2, 2, 1, 50, 0, 0, 50, 0, 0, true, 3, 0},
                                  Row{3, 2, 2, 50, 10, 0, 50, 300, 0, true, 3, 0},
                                  Row{4, 2, 1, 50, 0, 3, 50, 0, 2, true, 0, 1},
                                  Row{5, 2, 1, 50, 0, 0, 50, 0, 0, true, 0, 1},
                                  Row{7, 2, 1, 50, 0, 3, 50, 0, 3, false, 0, 0}}) {
        inventory[5] = {item, count};
        BattleUnit* target = LiveBattleUnitAt(13);
        target->record.characterClass = characterClass;
        target->record.hp = hp;
        target->record.hpMax = 200;
        target->record.mp = mp;
        target->record.mpMax = 300;
        target->record.statusBits = status;
        Open();
        itemMenu.row = 2;
        itemMenu.column = 1;
        Press(KEY_RETURN);
        ASSERT_EQ(unit->stateFn, ItemTargetState);
        Press(KEY_RETURN);
        unit->target = target;
        game->Frame();
        ASSERT_EQ(unit->stateFn, UseItemState);
        game->Frame();
        EXPECT_EQ(std::tuple(target->record.hp, target->record.mp, target->record.statusBits),
                  std::tuple(hpAfter, mpAfter, statusAfter))
            << item;
        EXPECT_EQ(std::tuple(IsSkillEffectActive() != 0, CountKind(TASK_KIND_DAMAGE_DIGIT),
                             CountKind(TASK_KIND_WORLD_POPUP)),
                  std::tuple(ring, digits, popups))
            << item;
        EXPECT_EQ(inventory[5].count, count - 1) << "taken after the effect";
        EXPECT_EQ(inventory[5].itemId, count > 1 ? item : ITEM_NONE);
        EXPECT_EQ(FramesUntil([&] { return unit->stateFn != WaitItemEffectState; }),
                  ring ? RING_FRAMES : 1)
            << item;
        ASSERT_GE(FramesUntil([&] { return unit->stateFn == UnitIdleState; }), 0);
        IdleAllUnits();
    }
}

}  // namespace
