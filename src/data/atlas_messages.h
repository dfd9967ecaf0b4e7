// The atlas rectangles of the message window: the 26 portraits, the window frame and the
// choice bar on the interface atlas, and the full pictures that share the glyph sheet with the
// glyphs. The images are registered in data/atlas_messages.cpp.
#pragma once

#include "data/atlas_rect.h"

constexpr int FACE_COUNT = 26;
// Portrait n of event command 4; 0 to 3 are the party of four.
extern const AtlasRect faceRects[FACE_COUNT];

// A 512 x 96 panel; its inside is black, like the fade tile that lies within it.
constexpr AtlasRect RECT_MESSAGE_WINDOW = {1535, 19, 2047, 115};
constexpr AtlasRect RECT_MESSAGE_CHOICE_BAR = {0, 1928, 508, 1952};

// The picture screen's image, on the glyph sheet.
constexpr AtlasRect RECT_PICTURE_SCREEN_IMAGE = {0, 543, 640, 1023};
