// The atlas rectangles of the four camp screens: items, magic, order and status. The images of
// the interface atlas are registered in data/atlas_camp_screens.cpp, except where a rectangle
// takes in a picture another screen already registers (said at each).
#pragma once

#include "data/atlas_rect.h"

// The tile every camp screen covers the whole display with.
constexpr AtlasRect RECT_CAMP_SCREEN_TILE = {2, 484, 34, 516};

// The item screen's tab bar: the panel (drawn twice, side by side), its two captions and the
// labels of the use, discard and sort tabs. The first caption takes in the battle's item
// command label; the second lies inside the magic screen's key caption.
constexpr AtlasRect RECT_ITEM_TAB_PANEL = {1313, 292, 1633, 371};
constexpr AtlasRect RECT_ITEM_SCREEN_CAPTION = {287, 549, 386, 567};
constexpr AtlasRect RECT_ITEM_KEYS_CAPTION = {648, 1781, 811, 1801};
constexpr AtlasRect RECT_ITEM_TAB_LABELS[3] = {
    {928, 314, 966, 334}, {934, 292, 993, 312}, {928, 336, 969, 356}};
// The grid of the whole bag. Its empty cell takes in the battle item window's.
constexpr AtlasRect RECT_ITEM_GRID_BACKDROP = {0, 1647, 640, 1926};
constexpr AtlasRect RECT_ITEM_GRID_EMPTY = {784, 671, 906, 691};
// Beside a weapon's or armour's power in the detail line.
constexpr AtlasRect RECT_ITEM_WEAPON_POWER_LABEL = {873, 1132, 913, 1152};
constexpr AtlasRect RECT_ITEM_ARMOUR_POWER_LABEL = {1273, 949, 1334, 969};
// The comparison sign beside a member, by place: weapon, then armour.
constexpr AtlasRect RECT_EQUIP_CANNOT = {642, 1806, 724, 1827};
constexpr AtlasRect RECT_EQUIP_BETTER[2] = {{642, 1852, 719, 1873}, {721, 1852, 796, 1873}};
constexpr AtlasRect RECT_EQUIP_WORSE[2] = {{642, 1829, 718, 1850}, {721, 1829, 796, 1850}};
// The questions: the special item's has a frame of its own; discard and sort use the small
// question frame.
constexpr AtlasRect RECT_SPECIAL_ITEM_FRAME = {944, 1032, 1185, 1132};
constexpr AtlasRect RECT_SPECIAL_ITEM_TITLE = {1211, 1155, 1406, 1174};
constexpr AtlasRect RECT_DISCARD_TITLE = {835, 589, 914, 609};
constexpr AtlasRect RECT_SORT_TITLE = {697, 698, 760, 718};
// The special item used: a window, the item's name and the words after it.
constexpr AtlasRect RECT_SPECIAL_USED_WINDOW = {0, 1954, 389, 1979};
constexpr AtlasRect RECT_SPECIAL_USED_TEXT = {642, 1372, 752, 1393};
// The refusals of an equip: no room for the piece taken off, and a class that cannot wear it.
constexpr AtlasRect RECT_EQUIP_REFUSALS[2] = {{951, 359, 1215, 426}, {1313, 373, 1587, 398}};

// The magic screen's three header images (the last also the item screen's key caption), the
// caption over the target list, and the caster who cannot act. The party question's title
// takes in the battle's casting prompt title.
constexpr AtlasRect RECT_MAGIC_HEADERS[3] = {
    {459, 1184, 529, 1209}, {459, 1211, 644, 1236}, {642, 1779, 816, 1804}};
constexpr AtlasRect RECT_MAGIC_TARGET_CAPTION = {459, 1238, 643, 1263};
constexpr AtlasRect RECT_MAGIC_PARTY_TITLE = {479, 483, 635, 503};
constexpr AtlasRect RECT_CASTER_CANNOT_ACT = {642, 1344, 836, 1369};

// The order screen: captions over the current and the new order, the question's title and the
// line of help at the bottom.
constexpr AtlasRect RECT_ORDER_CURRENT_CAPTION = {657, 640, 782, 665};
constexpr AtlasRect RECT_ORDER_NEW_CAPTION = {657, 667, 782, 691};
constexpr AtlasRect RECT_ORDER_TITLE = {678, 618, 738, 638};
constexpr AtlasRect RECT_ORDER_HELP = {971, 337, 1311, 357};

// The status screen's member panel: labels, and the class images of classes 1 to 3.
constexpr AtlasRect RECT_STATUS_LEVEL_LABEL = {891, 384, 949, 401};
constexpr AtlasRect RECT_STATUS_CLASS_IMAGES[3] = {
    {705, 225, 745, 245}, {830, 225, 910, 245}, {747, 225, 828, 245}};
constexpr AtlasRect RECT_STATUS_WEAPON_LABEL = {1217, 359, 1257, 379};
constexpr AtlasRect RECT_STATUS_ARMOUR_LABEL = {1217, 382, 1257, 402};
constexpr AtlasRect RECT_STATUS_STATUS_LABEL = {770, 698, 811, 718};
constexpr AtlasRect RECT_STATUS_EXP_LABEL = {635, 1130, 772, 1150};
// The stats panel and its nine labels: attack, defence, magic attack, magic defence, move, then
// the right column's four.
constexpr AtlasRect RECT_STATS_BACKDROP = {0, 1468, 640, 1638};
constexpr AtlasRect RECT_STATS_LABELS[9] = {
    {787, 292, 805, 312}, {807, 292, 847, 312}, {849, 292, 888, 312},
    {890, 292, 931, 312}, {828, 359, 889, 379}, {829, 314, 867, 334},
    {869, 316, 925, 336}, {828, 337, 869, 357}, {871, 337, 911, 357}};
