// The atlas rectangles of what the battle draws over the field: the top bar with the unit
// counts, the party's status panels, the automatic-battle icon and the bottom bar with the
// camera readings. The images of the interface atlas are registered in data/atlas_battle_hud.cpp.
#pragma once

#include "data/atlas_field.h"
#include "data/atlas_menus.h"
#include "data/atlas_rect.h"

constexpr AtlasRect RECT_TOP_BAR_PANEL = {181, 596, 245, 637};
constexpr AtlasRect RECT_TOP_BAR_PARTY_ICON = {181, 639, 208, 653};
constexpr AtlasRect RECT_TOP_BAR_ENEMY_ICON = {212, 639, 226, 653};

// A member's status panel is the question frame.
constexpr AtlasRect RECT_UNIT_STATUS_PANEL = RECT_QUESTION_FRAME;
constexpr AtlasRect RECT_PANEL_HP_LABEL = {125, 596, 146, 613};
constexpr AtlasRect RECT_PANEL_MP_LABEL = {156, 596, 177, 613};
// The gauge's empty strip, and the row its fill is cut from (140 by 4 each).
constexpr AtlasRect RECT_PANEL_GAUGE_EMPTY = {125, 584, 265, 588};
constexpr AtlasRect RECT_PANEL_GAUGE_FILL = {125, 590, 265, 594};
// One pixel wider than the party list's slash, over the same picture.
constexpr AtlasRect RECT_PANEL_SLASH = {757, 25, 768, 41};

constexpr AtlasRect RECT_AUTO_ICON = {247, 596, 276, 608};

// The field's money bar strip, one pixel in, under labels that begin with its Shift hint; then
// the camera turn, the angle's caption (before its number), the height's caption (before its
// number), and the information and automatic-battle hints.
constexpr AtlasRect RECT_BOTTOM_BAR = {1408, 1, 2047, 17};
constexpr AtlasRect RECT_BOTTOM_LABELS[6] = {RECT_MONEY_BAR_HINT,    {771, 40, 875, 54},
                                             {879, 27, 976, 41},     {878, 43, 940, 57},
                                             {1167, 429, 1228, 442}, {1076, 428, 1162, 442}};
