// The camp menu: the field's out-of-battle menu of six commands in three rows and two columns
// (close, magic, status, items, order, options) over the party list. Four commands hand over to
// a camp screen that brings back a fresh camp menu when it closes; options hands over to the
// options screen, which does not come back. Only the camp menu itself resumes the world.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

constexpr int CAMP_COLUMNS = 2;
constexpr int CAMP_ROWS = 3;
constexpr int CAMP_COMMAND_COUNT = CAMP_COLUMNS * CAMP_ROWS;

// The payload of the camp menu task.
struct CampMenuPayload {
    uint32_t alive;
    int32_t column;  // 0..1
    int32_t row;     // 0..2
    int32_t choice;  // of the close question: 0 no, 1 yes
    TaskStateFn<CampMenuPayload> state;
};

// 1 when opened, 0 while its slot is taken. Pauses and resumes nothing: the world is already
// frozen by whoever opens it.
int OpenCampMenu();

// The end action of every camp screen: a fresh camp menu, cursor on command 0.
template <typename P>
void ReturnToCampMenu(P*) {
    OpenCampMenu();
}

// The camp screens the commands open, each in its own slot above the camp menu's. 1 when
// opened, 0 while the slot is taken.
int OpenMagicMenu();
int OpenStatusMenu();
int OpenCampItemMenu();
int OpenPartyOrderMenu();

// The states: the first update only enters the command selection.
void EnterCampCommandSelect(CampMenuPayload* menu);
void SelectCampCommand(CampMenuPayload* menu);
void EnterCampCloseConfirm(CampMenuPayload* menu);
void ConfirmCampClose(CampMenuPayload* menu);
// Moves the command cursor with the first newly pressed of Right, Left, Down and Up (each
// wrapping), or confirms with Z or Return: 1 on a confirm.
int MoveCampCursor(CampMenuPayload* menu);
// Commands 1 to 5: each ends the camp menu once its screen is open; when the screen cannot
// open, the menu stays with the buzzer.
void OpenMagicFromCamp(CampMenuPayload* menu);
void OpenStatusFromCamp(CampMenuPayload* menu);
void OpenItemsFromCamp(CampMenuPayload* menu);
void OpenOrderFromCamp(CampMenuPayload* menu);
void OpenSettingsFromCamp(CampMenuPayload* menu);

void DrawCampMenu(TaskSlot* slot);
void DrawCampCommands(const CampMenuPayload* menu);
void DrawCampCloseConfirm(const CampMenuPayload* menu);
