// The event screen fade: a darkening in the topmost slot that covers everything drawn and
// stays until an event command removes it.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

constexpr int32_t SCREEN_FADE_STEP = 5;

struct ScreenFadePayload {
    uint32_t alive;
    int32_t alpha;
    TaskStateFn<ScreenFadePayload> state;
};
static_assert(sizeof(ScreenFadePayload) <= TASK_PAYLOAD_BYTES);

// Starts the darkening; false when a fade already exists.
bool CreateScreenFade();
void FadeToBlack(ScreenFadePayload* fade);
