// The item table: every row's id, the types, flags and statuses other rules test for, the
// names, and per column a checksum weighted by row against transcription slips.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/inventory.h"
#include "field/game_state.h"

namespace {

double RectSum(const AtlasRect& r) {
    return r.left + 2 * r.top + 3 * r.right + 4 * r.bottom;
}

TEST(ItemTableTest, RowsByRange) {
    for (int id = 0; id < ITEM_COUNT; ++id) {
        const ItemRecord& item = itemTable[id];
        EXPECT_EQ(item.id, id);
        EXPECT_EQ(item.type, id < 10   ? ITEM_TYPE_CONSUMABLE
                             : id < 20 ? ITEM_TYPE_WEAPON
                             : id < 25 ? ITEM_TYPE_ARMOR
                                       : ITEM_TYPE_SPECIAL)
            << id;
        EXPECT_EQ(item.flags, id < 10    ? ITEM_FLAG_BATTLE | ITEM_FLAG_MENU
                              : id == 26 ? ITEM_FLAG_KEY
                                         : ITEM_FLAG_MENU)
            << id;
        EXPECT_EQ(item.inflictStatus, id == 18   ? STATUS_POISON
                                      : id == 19 ? STATUS_PARALYSIS
                                                 : 0)
            << id;
        EXPECT_EQ(item.name[29], 0) << id;
    }
}

TEST(ItemTableTest, Names) {
    EXPECT_EQ(std::u16string(itemTable[3].name), u"魔法エキス");
    EXPECT_EQ(std::u16string(itemTable[21].name), u"アイアンメイル");
    EXPECT_EQ(std::u16string(itemTable[ITEM_BOAT].name), u"小舟");
    for (int id : {6, 7, 8, 9, 15, 16}) {
        EXPECT_EQ(std::u16string(itemTable[id].name), u"未定") << id;
    }
}

TEST(ItemTableTest, ColumnsMatchTheirChecksums) {
    // Per column: sum over rows of (id + 1) x the value; a rectangle by its four edges.
    double sums[5] = {};
    for (int id = 0; id < ITEM_COUNT; ++id) {
        const ItemRecord& r = itemTable[id];
        double row[5] = {static_cast<double>(r.value), static_cast<double>(r.price),
                         static_cast<double>(r.equipMask), RectSum(r.nameRect),
                         RectSum(r.detailRect)};
        for (int c = 0; c < 5; ++c) {
            sums[c] += (id + 1) * row[c];
        }
    }
    EXPECT_EQ(std::vector<double>(sums, sums + 5),
              (std::vector<double>{14562, 166360, 348, 2969743, 3406426}));
}

}  // namespace
