// The inn: a stay for the script's price restores the whole party at once behind a fade to
// black and back; without the money a message says so.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "event/event_runner.h"

constexpr int32_t REST_FADE_STEP = 10;
constexpr int32_t REST_HOLD_FRAMES = 50;

struct InnPayload {
    uint32_t alive;
    int32_t yesNoCursor;  // 0 no, 1 yes
    uint32_t price;
    int32_t holdFrames;
    int32_t restAlpha;  // 0..255
    TaskStateFn<InnPayload> state;
};

// Every party member's hit and magic points to their maximums and every status cleared,
// whatever the class.
void RestoreWholeParty();

// The runner's wait for the inn to close.
void WaitInnClosed(EventRunnerPayload* runner);

void BeginInn(InnPayload* inn);
void ConfirmInnStay(InnPayload* inn);
void FadeOutForRest(InnPayload* inn);
void HoldRestFade(InnPayload* inn);
void FadeInAfterRest(InnPayload* inn);
void WaitInnMessage(InnPayload* inn);
void DrawInn(TaskSlot* slot);
