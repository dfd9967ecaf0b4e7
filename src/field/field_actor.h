// The leading payload layout that every map actor with a position shares (party members,
// NPCs, step triggers and examine objects), so that the camera, event commands and the save
// file read any of them the same way.
#pragma once

#include <cstdint>

#include "platform/common/math3d.h"

struct FieldActorHead {
    uint32_t alive;
    Vec3 position;
    Vec3 previousPosition;
};
