// The atlas rectangles of the battle screens. The images of the interface atlas are registered
// in data/atlas_battle.cpp.
#pragma once

#include "data/atlas_rect.h"

// The 32 x 32 tile behind the battle field on low ground (map tiles below 6); higher ground shows
// the plain dark tile of the fade overlay (RECT_FADE_TILE).
constexpr AtlasRect RECT_BATTLE_BACKGROUND_TILE = {1409, 119, 1441, 151};
// The battle's pause box asks whether to quit to the title, with the question's title and its
// no and yes labels (data/atlas_menus.h) in this frame.
constexpr AtlasRect RECT_BATTLE_PAUSE_FRAME = {476, 506, 648, 595};

// Unit gauges: one 40 by 6 frame for both bars, and the 36-pixel rows their fills are cut from.
constexpr AtlasRect RECT_GAUGE_FRAME = {125, 639, 165, 645};
constexpr AtlasRect RECT_HP_FILL_PARTY = {127, 647, 163, 649};
constexpr AtlasRect RECT_HP_FILL_ENEMY = {127, 651, 163, 653};
constexpr AtlasRect RECT_MP_FILL = {467, 641, 503, 643};
// The status icons above a unit and the buff icons below it.
constexpr AtlasRect RECT_UNIT_POISON_ICON = {642, 1509, 653, 1520};
constexpr AtlasRect RECT_UNIT_PARALYSIS_ICON = {658, 1509, 669, 1520};
constexpr AtlasRect RECT_DEFENCE_BUFF_ICON = {673, 1509, 703, 1520};
constexpr AtlasRect RECT_MAGIC_DEFENCE_BUFF_ICON = {706, 1509, 736, 1520};

// Melee popups: the miss image over the attacker. The status a blow passes on shows the camp's
// member status icons over the target (data/atlas_camp.h).
constexpr AtlasRect RECT_MISS_POPUP = {935, 2, 972, 19};
