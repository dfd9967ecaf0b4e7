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
