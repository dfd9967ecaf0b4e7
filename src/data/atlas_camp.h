// The atlas rectangles of the camp screens' shared widgets: the party list panel, the status
// display and its icons. The images of the interface atlas are registered in
// data/atlas_camp.cpp; the list's cursor hand is the menu cursor (data/atlas_images.h).
#pragma once

#include "data/atlas_rect.h"

// The party list's backdrop and its captions over the hit point, magic point and level columns.
constexpr AtlasRect RECT_PARTY_LIST_BACKDROP = {0, 1346, 640, 1466};
constexpr AtlasRect RECT_PARTY_LIST_HP_CAPTION = {793, 424, 813, 441};
constexpr AtlasRect RECT_PARTY_LIST_MP_CAPTION = {815, 424, 835, 441};
constexpr AtlasRect RECT_PARTY_LIST_LEVEL_CAPTION = {837, 424, 858, 441};
// Between a number and its maximum.
constexpr AtlasRect RECT_SLASH = {758, 25, 768, 42};

// The status display: the image of a member with no status, and the two status icons.
constexpr AtlasRect RECT_STATUS_NORMAL = {767, 744, 807, 764};
constexpr AtlasRect RECT_MEMBER_POISON_ICON = {808, 744, 827, 764};
constexpr AtlasRect RECT_MEMBER_PARALYSIS_ICON = {829, 744, 870, 764};
