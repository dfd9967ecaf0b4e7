// The two full-screen choosers of the title side: the yes/no dialog (with the title's quit
// question built on it) and the start menu with its two scenarios, each confirmed by a question
// of its own. Also the two ways out of a screen: back to the title, or ending the program.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
#include "engine/task_pool.h"

// A callback of the yes/no dialog.
using ConfirmCallback = void (*)();

// The payload of the yes/no task.
struct ConfirmDialog {
    uint32_t alive;
    int32_t choice;    // 0 or 1
    AtlasRect prompt;  // the question's image on the interface atlas
    ConfirmCallback onFirst;
    ConfirmCallback onSecond;
    TaskStateFn<ConfirmDialog> state;
};

constexpr int START_ENTRY_COUNT = 3;
// Start menu entry ids.
constexpr int START_ENTRY_BACK = 0;
constexpr int START_ENTRY_SCENARIO_0 = 1;
constexpr int START_ENTRY_SCENARIO_1 = 2;
// What each scenario entry starts: scenario 0 on map 0, scenario 1 on map 11.
constexpr int32_t START_SCENARIO_0_MAP = 0;
constexpr int32_t START_SCENARIO_1_MAP = 11;

// The payload of the start menu task.
struct StartMenu {
    uint32_t alive;
    int32_t cursor;
    int32_t choice;  // of the scenario question: 0 no, 1 yes
    int32_t count;   // entries shown
    int32_t scenario;
    int32_t map;
    TaskStateFn<StartMenu> state;
};

// 1 when created, 0 when its slot is taken. The dialog covers the whole screen, so callers
// remove the other tasks first. The callback of the confirmed choice runs inside the dialog's
// update.
int CreateConfirmDialog(ConfirmCallback onFirst, ConfirmCallback onSecond, float left, float top,
                        float right, float bottom);
// The title's quit question: No returns to the title, Yes ends the program.
void ConfirmQuit();
// Removes every task and opens the title.
void ReturnToTitle();
// Removes every task and ends the program at the end of the frame.
void QuitGame();
// The title's start action: the start menu with its three entries.
int OpenStartMenu();
// 1 when created, 0 when its slot is taken. The count is kept within 1..3, the entries there
// are images for.
int CreateStartMenu(int count);
// The left x that centres a width on the 640-pixel screen, rounded half away from zero.
float CenterXRounded(float width);

// The first update of each only enters its input state.
void EnterConfirmDialog(ConfirmDialog* dialog);
void RunConfirmDialog(ConfirmDialog* dialog);
void DrawConfirmDialog(TaskSlot* slot);
void EnterStartMenu(StartMenu* menu);
void SelectStartEntry(StartMenu* menu);
void ConfirmStartEntry(StartMenu* menu);
void DrawStartMenu(TaskSlot* slot);
