// The staff roll that ends the story: on a black screen sixteen lines rise one after another
// from the bottom to the top; once the last has gone, an end sign waits for Return or Z, which
// leads back to the title.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
#include "engine/task_pool.h"

constexpr int STAFF_ROLL_SLOTS = 6;
constexpr int32_t STAFF_ROLL_LINE_INTERVAL = 200;
constexpr float STAFF_ROLL_LINE_START_Y = 510.0f;
constexpr float STAFF_ROLL_LINE_GONE_Y = -30.0f;  // a line above this has left the screen

struct StaffRollLine {
    uint32_t active;
    float y;  // the top of the line on the screen
    AtlasRect rect;
};

struct StaffRollPayload {
    uint32_t alive;
    int32_t nextLine;
    int32_t framesToNextLine;
    TaskStateFn<StaffRollPayload> state;
    StaffRollLine lines[STAFF_ROLL_SLOTS];
};

// In its fixed slot: 1, or 0 when the slot is taken.
int CreateStaffRoll();
// Line n in the first free line slot: 1, or 0 when all are showing.
int StartStaffRollLine(StaffRollPayload* roll, int32_t n);
void UpdateStaffRoll(TaskSlot* slot);
void EmitStaffRollLines(StaffRollPayload* roll);
void WaitStaffRollClear(StaffRollPayload* roll);
void WaitStaffRollKey(StaffRollPayload* roll);
