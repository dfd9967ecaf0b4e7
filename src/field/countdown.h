// The two field overlays: the pulse veil that event command 29 lays over the screen, white
// brightening and fading without end, and the step countdown that the amulet starts, which
// keeps random encounters away while it runs and, once spent, holds the world on a banner
// until the player confirms.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

constexpr int32_t PULSE_ALPHA_MAX = 100;

struct PulseOverlayPayload {
    uint32_t alive;
    int32_t alpha;
    TaskStateFn<PulseOverlayPayload> state;
};

struct CountdownPayload {
    uint32_t alive;
    int32_t count;  // leader steps left; a liquid crossing may take it below 0
    TaskStateFn<CountdownPayload> state;
};

// In its fixed slot; false when the slot is taken.
bool CreatePulseOverlay();
void UpdatePulseOverlay(TaskSlot* slot);
void StepPulseUp(PulseOverlayPayload* pulse);
void StepPulseDown(PulseOverlayPayload* pulse);

// The amulet's countdown, from the item's value. A countdown that runs is replaced by the new
// one. 1 when created.
int CreateCountdown();
// A countdown of that many steps.
int StartCountdown(int32_t steps);
void UpdateCountdown(CountdownPayload* countdown);
void WaitTimeUpKey(CountdownPayload* countdown);
