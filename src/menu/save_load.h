// The save/load screen: the five slots with each save's time, story, area and leader's level,
// a yes/no question, then the save or the load, each answered by a message.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "menu/save_file.h"

constexpr uint32_t SAVE_MODE_SAVE = 0;
constexpr uint32_t SAVE_MODE_LOAD = 1;

// The payload of the save/load task.
struct SaveLoadMenu {
    uint32_t alive;
    uint32_t mode;   // SAVE_MODE_SAVE or SAVE_MODE_LOAD
    int32_t cursor;  // slot 0..4
    int32_t choice;  // of the question: 0 no, 1 yes
    uint32_t returnToField;
    TaskStateFn<SaveLoadMenu> state;
    SaveSlotSummary slots[SAVE_SLOT_COUNT];
};

// The save/load screen: mode 0 saves, 1 loads; returnToField 1 when opened from the field
// (closing resumes the frozen world), 0 from the title (closing reopens the title). 1 when
// created, 0 while one exists.
int CreateSaveLoadMenu(uint32_t mode, uint32_t returnToField);

// The first update only enters the slot list.
void EnterSaveLoadMenu(SaveLoadMenu* menu);
void SelectSaveSlotState(SaveLoadMenu* menu);
void ConfirmSaveLoadState(SaveLoadMenu* menu);
// The messages, each waiting for Return or Z: saved and no data go back to the list, cannot
// save closes the screen.
void WaitSavedMessage(SaveLoadMenu* menu);
void WaitNoDataMessage(SaveLoadMenu* menu);
void WaitCannotSaveMessage(SaveLoadMenu* menu);
void DrawSaveLoadMenu(TaskSlot* slot);
// A slot's time from x + 8: year, month, day, hour and minute, each followed by its unit; the
// empty-slot image instead when the slot has no file.
void DrawSlotTimestamp(float x, float y, uint32_t exists, const SaveTime& time);
