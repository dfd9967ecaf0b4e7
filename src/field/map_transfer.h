// Map transfer: the party to a cell of another map behind a fade to black. The transfer task is
// the one task the world's pause and resume leave alone.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

constexpr int32_t TRANSFER_FADE_STEP = 10;

struct MapTransferPayload {
    uint32_t alive;
    int32_t alpha;  // 0..255
    uint32_t frozen;
    int32_t map;
    int32_t cellX;
    int32_t cellZ;
    int32_t facing;
    TaskStateFn<MapTransferPayload> state;
};
static_assert(sizeof(MapTransferPayload) <= TASK_PAYLOAD_BYTES);

// False while a transfer is under way.
bool StartMapTransfer(int32_t cellX, int32_t cellZ, int32_t facing, int32_t map, bool frozen);
void StepFadeOut(MapTransferPayload* transfer);
void LoadTransferTarget(MapTransferPayload* transfer);
void StepFadeIn(MapTransferPayload* transfer);
