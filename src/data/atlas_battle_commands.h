// The atlas rectangles of a party unit's turn: the command menu and its labels, the two-choice
// prompts, the target list and the unit's one-line message box. The images of the interface
// atlas are registered in data/atlas_battle_commands.cpp.
#pragma once

#include "data/atlas_rect.h"

// Label of each battle command by its number; number 4 has a label and is in no list.
constexpr int BATTLE_COMMAND_LABEL_COUNT = 8;
constexpr AtlasRect RECT_BATTLE_COMMAND_LABELS[BATTLE_COMMAND_LABEL_COUNT] = {
    {793, 566, 874, 587}, {307, 525, 348, 545}, {793, 589, 833, 610},     {307, 549, 386, 567},
    {352, 572, 392, 591}, {413, 482, 472, 502}, {1568, 1023, 1607, 1042}, {413, 506, 470, 525}};
constexpr AtlasRect RECT_COMMAND_MENU_FRAME = {642, 720, 765, 927};
constexpr AtlasRect RECT_COMMAND_MENU_TITLE = {287, 482, 388, 502};
// The panel the acting unit's name stands in, above the command menu.
constexpr AtlasRect RECT_UNIT_NAME_PANEL = {0, 688, 123, 718};

// Prompt titles; the frame is the pause box's, the entries its no and yes. The escape and
// automatic battle prompts' titles take in their commands' labels.
constexpr AtlasRect RECT_DEFEND_PROMPT_TITLE = {784, 640, 905, 661};
constexpr AtlasRect RECT_ESCAPE_PROMPT_TITLE = {393, 482, 472, 502};
constexpr AtlasRect RECT_AUTO_PROMPT_TITLE = {393, 506, 470, 525};
// The familiar's prompt to hand the field back; its title ends in the team command's label,
// so only the words before that are painted apart.
constexpr AtlasRect RECT_TURN_CHOICE_PROMPT_TITLE = {1470, 1022, 1607, 1042};
constexpr AtlasRect RECT_TURN_CHOICE_PROMPT_LEAD = {1470, 1022, 1566, 1042};
// A failed escape: a 284 by 25 box and its message, each centred across the screen.
constexpr AtlasRect RECT_ESCAPE_FAILED_FRAME = {635, 1154, 919, 1179};
constexpr AtlasRect RECT_ESCAPE_FAILED_MESSAGE = {1489, 427, 1754, 447};

constexpr AtlasRect RECT_TARGET_LIST_PANEL = {767, 930, 942, 1122};
// A 140 by 4 frame, and the rows the fill is cut from: party, then enemy.
constexpr AtlasRect RECT_TARGET_GAUGE_FRAME = {1746, 981, 1886, 985};
constexpr AtlasRect RECT_TARGET_GAUGE_FILL_PARTY = {1746, 987, 1886, 991};
constexpr AtlasRect RECT_TARGET_GAUGE_FILL_ENEMY = {1746, 993, 1886, 997};

// The unit's message box, 284 by 25, for a party unit and for an enemy, and its messages.
constexpr AtlasRect RECT_UNIT_MESSAGE_PARTY = {1010, 284, 1294, 309};
constexpr AtlasRect RECT_UNIT_MESSAGE_ENEMY = {1010, 311, 1294, 336};
constexpr AtlasRect RECT_DEFEND_MESSAGE = {748, 617, 878, 638};
constexpr AtlasRect RECT_CANNOT_ACT_MESSAGE = {766, 720, 912, 740};

// The name plate over a unit: an upper panel holding the name and a lower one, party and enemy.
constexpr AtlasRect RECT_NAME_PLATE_UPPER_PARTY = {499, 1063, 625, 1091};
constexpr AtlasRect RECT_NAME_PLATE_UPPER_ENEMY = {499, 1093, 625, 1121};
constexpr AtlasRect RECT_NAME_PLATE_LOWER_PARTY = {499, 1123, 625, 1151};
constexpr AtlasRect RECT_NAME_PLATE_LOWER_ENEMY = {499, 1153, 625, 1181};
