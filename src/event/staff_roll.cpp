// The staff roll.
#include "event/staff_roll.h"

#include "data/atlas_images.h"
#include "data/atlas_sequences.h"
#include "engine/keyboard.h"
#include "menu/title_screen.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float END_SIGN_X = 560.0f;
constexpr float END_SIGN_Y = 450.0f;
constexpr float LINE_RISE = 1.0f;
constexpr float IDLE_LINE_Y = 500.0f;

void DrawStaffRoll(TaskSlot* slot) {
    const StaffRollPayload* roll = TaskPayload<StaffRollPayload>(slot);
    DrawTiledBackground(RECT_FADE_TILE.left, RECT_FADE_TILE.top, RECT_FADE_TILE.right,
                        RECT_FADE_TILE.bottom);
    for (const StaffRollLine& line : roll->lines) {
        if (line.active != 0) {
            DrawSpriteCentered(line.rect, line.y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
        }
    }
    if (roll->state == WaitStaffRollKey) {
        DrawSprite(END_SIGN_X, END_SIGN_Y, RECT_STAFF_ROLL_END, ATLAS_SIZE, ATLAS_SIZE,
                   COLOUR_WHITE, uiAtlas);
    }
}

}  // namespace

int CreateStaffRoll() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_STAFF_ROLL);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_STAFF_ROLL, 0, UpdateStaffRoll, DrawStaffRoll);
    StaffRollPayload* roll = TaskPayload<StaffRollPayload>(slot);
    roll->alive = 1;
    roll->nextLine = 0;
    roll->framesToNextLine = STAFF_ROLL_LINE_INTERVAL;
    roll->state = EmitStaffRollLines;
    for (StaffRollLine& line : roll->lines) {
        line.active = 0;
        line.y = IDLE_LINE_Y;
    }
    return 1;
}

int StartStaffRollLine(StaffRollPayload* roll, int32_t n) {
    if (n < 0 || n >= STAFF_ROLL_LINE_COUNT) {
        return 0;
    }
    for (StaffRollLine& line : roll->lines) {
        if (line.active == 0) {
            line.active = 1;
            line.y = STAFF_ROLL_LINE_START_Y;
            line.rect = staffRollLineRects[n];
            return 1;
        }
    }
    return 0;
}

void UpdateStaffRoll(TaskSlot* slot) {
    StaffRollPayload* roll = TaskPayload<StaffRollPayload>(slot);
    roll->state(roll);
    for (StaffRollLine& line : roll->lines) {
        if (line.active == 0) {
            continue;
        }
        line.y -= LINE_RISE;
        if (line.y < STAFF_ROLL_LINE_GONE_Y) {
            line.active = 0;
        }
    }
    if (roll->alive == 0) {
        slot->inUse = 0;
        KillAllTasks();
        CreateTitleScreen();
    }
}

void EmitStaffRollLines(StaffRollPayload* roll) {
    roll->framesToNextLine -= 1;
    if (roll->framesToNextLine < 1) {
        roll->framesToNextLine = STAFF_ROLL_LINE_INTERVAL;
        // A line that finds no free slot is passed over; with one line every 200 frames and
        // at most three on the screen at once, none is.
        StartStaffRollLine(roll, roll->nextLine);
        roll->nextLine += 1;
    }
    if (roll->nextLine >= STAFF_ROLL_LINE_COUNT) {
        roll->state = WaitStaffRollClear;
    }
}

void WaitStaffRollClear(StaffRollPayload* roll) {
    for (const StaffRollLine& line : roll->lines) {
        if (line.active != 0) {
            return;
        }
    }
    roll->state = WaitStaffRollKey;
}

void WaitStaffRollKey(StaffRollPayload* roll) {
    if (IsConfirmTriggered()) {
        roll->alive = 0;
    }
}
