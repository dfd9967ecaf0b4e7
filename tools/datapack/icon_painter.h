// The game's window icon: a crimson shield with a gold rim and a sword laid on it, on a
// rounded blue ground. Painted at build time into the SDL backend.
#pragma once

#include "platform/common/image.h"

// The icon at size by size pixels (16 and 32 are used), ARGB, transparent outside the ground.
RgbaImage PaintGameIcon(int size);
