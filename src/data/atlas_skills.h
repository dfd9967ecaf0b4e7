// The atlas rectangles of skills and of items used in battle: the skills' names and description
// lines, the skill and item windows over the bottom of the screen, the casting prompt, and the
// popups of cures and buffs. The images of the interface atlas are registered in
// data/atlas_skills.cpp.
#pragma once

#include "data/atlas_rect.h"

// The skills' name labels, by skill id. The magic-defence skill's name is the defence skill's
// with a word in front: it covers that word and the defence skill's own label.
constexpr AtlasRect RECT_SKILL_NAMES[16] = {
    {1023, 0, 1102, 21},     {1104, 0, 1225, 20},    {1227, 0, 1348, 20},
    {1023, 23, 1145, 44},    {1152, 22, 1228, 42},   {1023, 45, 1151, 64},
    {1234, 23, 1345, 42},    {1155, 46, 1324, 65},   {1489, 451, 1587, 471},
    {1591, 451, 1704, 470},  {715, 1398, 819, 1416}, {642, 1398, 819, 1416},
    {642, 1757, 808, 1776},  {642, 1734, 821, 1753}, {642, 1712, 763, 1732},
    {1471, 1044, 1575, 1063}};
// The description lines; the two single shots share one.
constexpr AtlasRect RECT_SKILL_DETAIL_SHOT = {1894, 269, 2047, 290};
constexpr AtlasRect RECT_SKILL_DETAIL_TRIPLE = {1749, 292, 2047, 313};
constexpr AtlasRect RECT_SKILL_DETAIL_VOLLEY = {1646, 269, 1892, 290};
constexpr AtlasRect RECT_SKILL_DETAIL_HEAL = {1881, 314, 2047, 334};
constexpr AtlasRect RECT_SKILL_DETAIL_HEAL_ALL = {1865, 336, 2047, 356};
constexpr AtlasRect RECT_SKILL_DETAIL_GREAT_HEAL = {1901, 358, 2047, 378};
constexpr AtlasRect RECT_SKILL_DETAIL_GREAT_HEAL_ALL = {1886, 380, 2047, 400};
constexpr AtlasRect RECT_SKILL_DETAIL_CURE_POISON = {1873, 402, 2047, 422};
constexpr AtlasRect RECT_SKILL_DETAIL_CURE_PARALYSIS = {1853, 425, 2047, 445};
constexpr AtlasRect RECT_SKILL_DETAIL_GUARD = {642, 1440, 856, 1460};
constexpr AtlasRect RECT_SKILL_DETAIL_WARD = {642, 1463, 869, 1483};
constexpr AtlasRect RECT_SKILL_DETAIL_GUARD_ALL = {642, 1545, 866, 1565};
constexpr AtlasRect RECT_SKILL_DETAIL_WARD_ALL = {642, 1589, 865, 1609};
constexpr AtlasRect RECT_SKILL_DETAIL_BULWARK = {642, 1635, 909, 1655};
constexpr AtlasRect RECT_SKILL_DETAIL_SUMMON = {1464, 1066, 1712, 1086};

// The window over the bottom of the screen that both lists share, and its detail bar.
constexpr AtlasRect RECT_SKILL_WINDOW_PANEL = {1407, 117, 2047, 233};
constexpr AtlasRect RECT_SKILL_DETAIL_PANEL = {1407, 235, 2047, 267};
constexpr AtlasRect RECT_SKILL_EMPTY_CELL = {642, 1658, 762, 1674};
constexpr AtlasRect RECT_ITEM_EMPTY_CELL = {785, 669, 910, 690};
// Between the page number and the page count.
constexpr AtlasRect RECT_PAGE_SLASH = {760, 47, 767, 59};
constexpr AtlasRect RECT_SKILL_COST_LABEL = {1407, 269, 1468, 289};
constexpr AtlasRect RECT_SKILL_MP_LABEL = {1470, 269, 1571, 289};

// The casting prompt in the pause box's frame: its title, then go back and cast.
constexpr AtlasRect RECT_SKILL_PROMPT_TITLE = {500, 483, 635, 503};
constexpr AtlasRect RECT_SKILL_PROMPT_ENTRIES[2] = {{398, 573, 459, 592}, {398, 594, 438, 612}};
constexpr AtlasRect RECT_NOT_ENOUGH_MP = {435, 1317, 588, 1344};

// Popups over a unit: cured, and raised defence.
constexpr AtlasRect RECT_POISON_CURED_POPUP = {814, 698, 854, 718};
constexpr AtlasRect RECT_PARALYSIS_CURED_POPUP = {767, 766, 828, 786};
constexpr AtlasRect RECT_GUARD_POPUP = {643, 1486, 728, 1506};
constexpr AtlasRect RECT_WARD_POPUP = {730, 1486, 816, 1506};
// The skill that raises both shows its own copy of the first and, for the second, one pixel:
// its magic defence rises without a picture worth the name.
constexpr AtlasRect RECT_BULWARK_GUARD_POPUP = {755, 1567, 834, 1587};
constexpr AtlasRect RECT_BULWARK_WARD_POPUP = {747, 1568, 748, 1569};
// The word in front of the defence skill's name that makes the magic-defence skill's.
constexpr AtlasRect RECT_SKILL_NAME_MAGIC_PREFIX = {642, 1398, 715, 1416};
