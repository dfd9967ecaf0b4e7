// The five display and sound settings, in memory only, the options screen that edits them, and
// the window-mode switch.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

struct Options {
    uint32_t optionWindowed;
    uint32_t optionVsync;
    uint32_t optionDepth24;
    uint32_t optionMusic;
    uint32_t optionSoundEffects;
    // The three display settings as they were when the options screen last opened: those the
    // device was made with, since every change of them makes the device anew.
    uint32_t appliedWindowed;
    uint32_t appliedVsync;
    uint32_t appliedDepth24;
};

extern Options options;

// The screen's rows, top to bottom: windowed, vertical sync, 24-bit depth, music, effects.
constexpr int OPTION_ROW_COUNT = 5;

// Where the screen was opened from, and so where closing it leads.
constexpr uint32_t OPTIONS_FROM_TITLE = 0;  // back to a new title
constexpr uint32_t OPTIONS_FROM_GAME = 1;   // back to the running world

// The payload of the options task.
struct OptionsScreen {
    uint32_t alive;
    float y;         // the panel's top edge
    int32_t cursor;  // row, 0..4
    uint32_t mode;   // OPTIONS_FROM_TITLE or OPTIONS_FROM_GAME
    uint32_t* settings[OPTION_ROW_COUNT];
    uint32_t values[OPTION_ROW_COUNT];  // the edits, written to the settings on closing
    TaskStateFn<OptionsScreen> state;
};

void InitOptions();
// The options screen with its panel's top edge at y. 1 when created, 0 while one exists or its
// slot is taken.
int CreateOptionsScreen(float y, uint32_t mode);
// Starts or stops the music for the mode, and makes the device anew when a display setting
// changed since the screen opened. Should that fail, the previous display settings are put
// back and tried once more; only when they fail too does the program end, with the message of
// a failed graphics start.
void ApplyOptions(uint32_t mode);
// Sizes and shows the main window for the windowed setting: 640 by 480 centred, or the whole
// screen.
void ApplyWindowMode();

// The first update only enters RunOptionsScreen, so the keys of the frame that opened the
// screen are not read again.
void EnterOptionsScreen(OptionsScreen* screen);
// Moves between the rows, switches the row's value, or closes keeping the edits: there is no
// cancel, Escape keeps them as Return and Z do.
void RunOptionsScreen(OptionsScreen* screen);
void DrawOptionsScreen(TaskSlot* slot);
