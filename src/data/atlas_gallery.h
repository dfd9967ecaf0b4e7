// The atlas rectangles of the model gallery: its caption, the two arrows either side of the
// counter and the counter's slash. The images are registered in data/atlas_gallery.cpp; the
// background tile is the options screen's, registered with the core images.
#pragma once

#include "data/atlas_rect.h"

constexpr AtlasRect RECT_GALLERY_BACKGROUND_TILE = {1469, 19, 1501, 51};
constexpr AtlasRect RECT_GALLERY_CAPTION = {642, 64, 846, 89};
constexpr AtlasRect RECT_GALLERY_ARROW_LEFT = {1401, 83, 1433, 115};
constexpr AtlasRect RECT_GALLERY_ARROW_RIGHT = {1435, 83, 1467, 115};
constexpr AtlasRect RECT_GALLERY_SLASH = {862, 1, 873, 23};
