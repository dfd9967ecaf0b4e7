// The atlas rectangles of the camp menu: its command panel, the six command labels and its
// close question. The images of the interface atlas are registered in data/atlas_camp_menu.cpp;
// the cursor hand is the menu cursor (data/atlas_images.h).
#pragma once

#include "data/atlas_rect.h"

constexpr AtlasRect RECT_CAMP_COMMAND_PANEL = {1010, 162, 1300, 282};
// By command: close, magic, status, items, order, options.
constexpr AtlasRect RECT_CAMP_COMMAND_LABELS[6] = {
    {514, 1954, 553, 1974}, {828, 248, 869, 268}, {913, 225, 1003, 244},
    {705, 271, 785, 289},   {913, 248, 993, 268}, {931, 270, 971, 290},
};
// The close question's title is not painted apart: it takes in the close command's label.
constexpr AtlasRect RECT_CAMP_CLOSE_TITLE = {494, 1954, 615, 1974};
