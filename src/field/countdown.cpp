// The pulse veil and the step countdown.
#include "field/countdown.h"

#include <algorithm>
#include <limits>

#include "battle/inventory.h"
#include "data/atlas_sequences.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/game_state.h"
#include "field/party.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float TIME_UP_BANNER_Y = 200.0f;
constexpr float COUNTDOWN_LABEL_X = 250.0f;
constexpr float COUNTDOWN_LABEL_Y = 4.0f;
constexpr float COUNTDOWN_NUMBER_X = 350.0f;
constexpr float COUNTDOWN_NUMBER_Y = 5.0f;

// A veil killed by a screen change leaves its sound to run out; only its own end stops it.
void StopPulseSound(PulseOverlayPayload*) {
    StopSound(SOUND_PULSE);
}

void DrawPulseOverlay(TaskSlot* slot) {
    const int32_t alpha =
        std::clamp(TaskPayload<PulseOverlayPayload>(slot)->alpha, 0, PULSE_ALPHA_MAX);
    DrawTiledBackgroundAlpha(RECT_PULSE_TILE.left, RECT_PULSE_TILE.top, RECT_PULSE_TILE.right,
                             RECT_PULSE_TILE.bottom, static_cast<uint32_t>(alpha));
}

void DrawCountdown(TaskSlot* slot) {
    const CountdownPayload* countdown = TaskPayload<CountdownPayload>(slot);
    if (countdown->state == WaitTimeUpKey) {
        DrawSpriteCentered(RECT_TIME_UP_BANNER, TIME_UP_BANNER_Y, ATLAS_SIZE, ATLAS_SIZE,
                           COLOUR_WHITE, uiAtlas);
    }
    DrawSprite(COUNTDOWN_LABEL_X, COUNTDOWN_LABEL_Y, RECT_COUNTDOWN_LABEL, ATLAS_SIZE, ATLAS_SIZE,
               COLOUR_WHITE, uiAtlas);
    // A count below 0 (steps taken on a crossing) shows no digits.
    DrawNumberSmall(COUNTDOWN_NUMBER_X, COUNTDOWN_NUMBER_Y, countdown->count);
}

}  // namespace

// Pulse veil.

bool CreatePulseOverlay() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_PULSE_OVERLAY);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_PULSE_OVERLAY, 0, UpdatePulseOverlay, DrawPulseOverlay);
    PulseOverlayPayload* pulse = TaskPayload<PulseOverlayPayload>(slot);
    pulse->alive = 1;
    pulse->alpha = 0;
    pulse->state = StepPulseUp;
    return true;
}

void UpdatePulseOverlay(TaskSlot* slot) {
    RunStateTask<PulseOverlayPayload, StopPulseSound>(slot);
}

void StepPulseUp(PulseOverlayPayload* pulse) {
    pulse->alpha += 1;
    RequestSound(SOUND_PULSE, 1);
    if (pulse->alpha > PULSE_ALPHA_MAX) {
        pulse->alpha = PULSE_ALPHA_MAX;
        pulse->state = StepPulseDown;
    }
}

void StepPulseDown(PulseOverlayPayload* pulse) {
    pulse->alpha -= 1;
    if (pulse->alpha < 0) {
        pulse->alpha = 0;
        pulse->state = StepPulseUp;
    }
}

void EventCmdSetEncounterInterval(EventRunnerPayload* runner) {
    const uint32_t steps =
        std::min<uint32_t>(ReadCommandNumber(runner), std::numeric_limits<int32_t>::max());
    encounterInterval = static_cast<int32_t>(steps);
    encounterStepsLeft = encounterInterval;
    CreatePulseOverlay();
}

// Countdown.

int CreateCountdown() {
    return StartCountdown(itemTable[ITEM_AMULET].value);
}

int StartCountdown(int32_t steps) {
    // A countdown that runs gives way to the new one.
    TaskSlot* slot = ReclaimTaskAt(TASK_SLOT_COUNTDOWN);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_COUNTDOWN, 0, RunStateTask<CountdownPayload>, DrawCountdown);
    CountdownPayload* countdown = TaskPayload<CountdownPayload>(slot);
    countdown->alive = 1;
    countdown->count = steps;
    countdown->state = UpdateCountdown;
    return 1;
}

void UpdateCountdown(CountdownPayload* countdown) {
    if (IsTaskSlotInUse(TASK_SLOT_BATTLE)) {
        countdown->alive = 0;
        return;
    }
    if (TaskSlot* slot = FindTaskByKind(TASK_KIND_PARTY_MEMBER)) {
        const FieldActor& leader = TaskPayload<PartyMemberPayload>(slot)->actor;
        // Once per step, in the frame the step has one sub-step left; the banner waits for
        // the step to end, so a crossing of liquid may take the count below 0 meanwhile.
        if (leader.subStepCounter == 1) {
            countdown->count -= 1;
        }
        if (countdown->count < 1 && leader.subStepCounter == 0) {
            countdown->state = WaitTimeUpKey;
            SetTasksActiveExceptTransfer(TASK_ACTIVITY_STOP_UPDATE);
            SetTaskKindActive(TASK_KIND_COUNTDOWN, TASK_ACTIVITY_RESUME);
        }
    }
    encounterStepsLeft = encounterInterval;
}

void WaitTimeUpKey(CountdownPayload* countdown) {
    if (IsConfirmTriggered()) {
        countdown->alive = 0;
        SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
    }
}
