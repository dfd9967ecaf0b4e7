// The amount entry: the player sets a sum of up to four digits, which is paid when it is at
// least the script's minimum and no more than the money held. The script goes on at its success
// label when paid, else (or when the player backs out) at its failure label.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "event/event_runner.h"

constexpr int AMOUNT_DIGITS = 4;

struct AmountEntryPayload {
    uint32_t alive;
    int32_t amount;                 // set on confirmation
    int32_t cursor;                 // 0..3, the digit under the cursor, 3 the units
    uint8_t digits[AMOUNT_DIGITS];  // most significant first, each 0..9
    TaskStateFn<AmountEntryPayload> state;
    uint32_t minimum;
    char successLabel[EVENT_LABEL_BYTES];
    char failureLabel[EVENT_LABEL_BYTES];
};

// The runner's wait for the entry's slot to be free.
void WaitAmountEntryClosed(EventRunnerPayload* runner);

void BeginAmountEntryInput(AmountEntryPayload* entry);
void HandleAmountEntryInput(AmountEntryPayload* entry);
void DrawAmountEntryWindow(TaskSlot* slot);
