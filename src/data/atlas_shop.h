// The atlas rectangles of the sequences events open: the treasure popup, the amount entry, the
// shop and the inn. The images of the interface atlas are registered in data/atlas_shop.cpp;
// the rectangles other screens registered first are named here under these screens' names.
#pragma once

#include "data/atlas_battle.h"
#include "data/atlas_battle_commands.h"
#include "data/atlas_camp_screens.h"
#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "data/atlas_rect.h"
#include "data/atlas_skills.h"
#include "data/atlas_system_menu.h"

// Treasure. The bar is the battle's unit message bar. The gold line ends in the currency sign
// and the words after it; an item's line takes in those words alone.
constexpr AtlasRect RECT_TREASURE_BAR = RECT_UNIT_MESSAGE_PARTY;
constexpr AtlasRect RECT_GOLD_SIGN = {956, 429, 971, 448};
constexpr AtlasRect RECT_ITEM_GET_WORDS = {971, 429, 1072, 448};
constexpr AtlasRect RECT_GOLD_GET_WORDS = {956, 429, 1072, 448};
constexpr AtlasRect RECT_NO_ROOM_MESSAGE = {1313, 400, 1487, 425};
constexpr AtlasRect RECT_NOT_ENOUGH_MONEY_MESSAGE = {1489, 400, 1663, 425};

// Amount entry: the save screen's slot panel round it.
constexpr AtlasRect RECT_AMOUNT_PANEL = RECT_SAVE_SLOT_PANEL;
constexpr AtlasRect RECT_AMOUNT_CAPTION = {1302, 184, 1383, 204};
constexpr AtlasRect RECT_AMOUNT_KEY_HINT = {1710, 451, 1993, 471};
constexpr AtlasRect RECT_AMOUNT_DIGIT_BOX = {848, 64, 924, 88};
constexpr AtlasRect RECT_DIGIT_CURSOR = {156, 621, 177, 632};

// The shop's command menu. Its title, the leave entry and the leave question's title share
// their words: three images side by side, each shown through the rectangles that take it in.
constexpr AtlasRect RECT_SHOP_MENU_FRAME = {635, 987, 765, 1106};
constexpr AtlasRect RECT_SHOP_WORD_HEAD = {391, 1954, 411, 1974};
constexpr AtlasRect RECT_SHOP_WORD_SHOP = {411, 1954, 431, 1974};
constexpr AtlasRect RECT_SHOP_WORD_LEAVE = {431, 1954, 490, 1974};
constexpr AtlasRect RECT_SHOP_TITLE = {391, 1954, 431, 1974};
constexpr AtlasRect RECT_SHOP_ENTRY_LEAVE = {411, 1954, 490, 1974};
constexpr AtlasRect RECT_SHOP_LEAVE_TITLE = {391, 1954, 490, 1974};
constexpr AtlasRect RECT_SHOP_ENTRY_BUY = {530, 1929, 564, 1948};
constexpr AtlasRect RECT_SHOP_ENTRY_SELL = {586, 1928, 624, 1948};
// The confirmations' titles begin 20 pixels left of the entry of the same word and take it in.
constexpr AtlasRect RECT_BUY_CONFIRM_TITLE = {510, 1929, 564, 1948};
constexpr AtlasRect RECT_SELL_CONFIRM_TITLE = {566, 1928, 624, 1948};
// Every yes/no box of the shop and the inn: the battle's pause box with the dialog's choices.
constexpr AtlasRect RECT_SHOP_QUESTION_FRAME = RECT_BATTLE_PAUSE_FRAME;

// The buy and sell lists. The info backdrop is the item screen's tab panel; an empty slot, the
// page slash and the weapon's and armour's power labels are the item screens' too.
constexpr AtlasRect RECT_SHOP_LIST_BACKDROP = {917, 450, 1207, 790};
constexpr AtlasRect RECT_SHOP_INFO_BACKDROP = RECT_ITEM_TAB_PANEL;
constexpr AtlasRect RECT_BUY_CAPTION = {0, 1981, 190, 2006};
constexpr AtlasRect RECT_SELL_CAPTION = {195, 1981, 384, 2006};
constexpr AtlasRect RECT_PAGE_ARROW_LEFT = {140, 615, 151, 636};
constexpr AtlasRect RECT_PAGE_ARROW_RIGHT = RECT_MENU_CURSOR;
constexpr AtlasRect RECT_SELL_EMPTY_SLOT = RECT_ITEM_GRID_EMPTY;
constexpr AtlasRect RECT_SELL_PAGE_SLASH = RECT_PAGE_SLASH;
constexpr AtlasRect RECT_WEAPON_VALUE_LABEL = RECT_ITEM_WEAPON_POWER_LABEL;
constexpr AtlasRect RECT_ARMOR_VALUE_LABEL = RECT_ITEM_ARMOUR_POWER_LABEL;
constexpr AtlasRect RECT_MONEY_BACKDROP = {590, 1317, 780, 1342};
constexpr AtlasRect RECT_MONEY_WINDOW_LABEL = {662, 944, 722, 964};

// The quantity window.
constexpr AtlasRect RECT_QUANTITY_FRAME = {944, 930, 1133, 1030};
constexpr AtlasRect RECT_BUY_QUANTITY_HEADER = {147, 2008, 310, 2028};
constexpr AtlasRect RECT_SELL_QUANTITY_HEADER = {312, 2008, 476, 2028};
constexpr AtlasRect RECT_QUANTITY_LABEL = {386, 1981, 427, 2001};
constexpr AtlasRect RECT_TOTAL_LABEL = {429, 1981, 490, 2001};

// The inn: its question in the shop's yes/no box, the price box, and the rest fade's tile.
constexpr AtlasRect RECT_INN_TITLE = {494, 1981, 631, 2001};
constexpr AtlasRect RECT_INN_PRICE_BOX = {1231, 427, 1402, 473};
constexpr AtlasRect RECT_INN_PRICE_LABEL = {494, 2025, 555, 2045};
constexpr AtlasRect RECT_INN_MONEY_LABEL = {494, 2004, 554, 2023};
constexpr AtlasRect RECT_REST_TILE = RECT_FADE_TILE;
