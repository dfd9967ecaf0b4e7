// The atlas rectangles of the system menu and of the save/load screen. The images of the
// interface atlas are registered in data/atlas_system_menu.cpp.
#pragma once

#include "data/atlas_battle.h"
#include "data/atlas_rect.h"

// The system menu's entry labels by entry id (ids 5 and 6, the quit question's no and yes, are
// the question images of data/atlas_menus.h); the save entry has a second, dimmed label for
// where saving is not allowed.
constexpr AtlasRect RECT_SYSTEM_ENTRY_CLOSE = {478, 962, 579, 981};
constexpr AtlasRect RECT_SYSTEM_ENTRY_CAMP = {370, 1003, 451, 1023};
constexpr AtlasRect RECT_SYSTEM_ENTRY_SAVE = {390, 1027, 490, 1047};
constexpr AtlasRect RECT_SYSTEM_ENTRY_SAVE_REFUSED = {393, 1120, 493, 1139};
constexpr AtlasRect RECT_SYSTEM_ENTRY_LOAD = {390, 1052, 488, 1071};
constexpr AtlasRect RECT_SYSTEM_ENTRY_QUIT = {390, 1075, 491, 1095};
constexpr AtlasRect RECT_SYSTEM_MENU_FRAME = {650, 424, 791, 600};
constexpr AtlasRect RECT_SYSTEM_MENU_TITLE = {370, 962, 474, 980};
// The small question window, the battle's pause box frame; its quit title is the title's quit
// question.
constexpr AtlasRect RECT_SMALL_QUESTION_FRAME = RECT_BATTLE_PAUSE_FRAME;

// The save/load screen: its background tile from the title, the slot panel and the summary
// panel (the start menu's frame) under the level caption of the party list.
constexpr AtlasRect RECT_SAVE_BACKGROUND_TILE = {1501, 19, 1533, 51};
constexpr AtlasRect RECT_SAVE_SLOT_PANEL = {0, 1143, 290, 1314};
constexpr AtlasRect RECT_SAVE_EMPTY_SLOT = {144, 1118, 390, 1139};
constexpr AtlasRect RECT_SAVE_SCREEN_TITLE_SAVE = {499, 987, 633, 1012};
constexpr AtlasRect RECT_SAVE_SCREEN_TITLE_LOAD = {499, 1014, 633, 1039};
// The question's titles are not painted apart: each begins 20 pixels left of the system menu's
// label of the same word and takes it in.
constexpr AtlasRect RECT_SAVE_QUESTION_TITLE_SAVE = {370, 1027, 490, 1047};
constexpr AtlasRect RECT_SAVE_QUESTION_TITLE_LOAD = {370, 1052, 488, 1071};
constexpr AtlasRect RECT_SAVED_MESSAGE = {279, 1316, 433, 1344};
constexpr AtlasRect RECT_NO_DATA_MESSAGE = {0, 1316, 277, 1344};
constexpr AtlasRect RECT_CANNOT_SAVE_MESSAGE = {1790, 951, 2046, 979};
constexpr AtlasRect RECT_SAVE_KEY_HINT = {1888, 981, 2046, 1006};
// After the year, month, day, hour and minute of a slot's time.
constexpr AtlasRect RECT_TIME_UNITS[5] = {
    {499, 1041, 519, 1061}, {521, 1041, 537, 1060}, {540, 1041, 554, 1060},
    {557, 1041, 577, 1061}, {581, 1041, 601, 1061},
};
// A slot's story: the first 50 pixels of the start menu's two story labels.
constexpr AtlasRect RECT_SAVE_SCENARIOS[2] = {
    {857, 1365, 907, 1385},
    {857, 1387, 907, 1407},
};
