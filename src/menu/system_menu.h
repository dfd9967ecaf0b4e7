// The system menu opened from the map with Shift: close, camp menu, save, load and quit to the
// title, over the frozen map, on a small menu task that can swap its entry list in place (the
// quit question is such a swap).
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
#include "engine/task_pool.h"

// Entry ids: the main list shows 0..4, the quit question 5 and 6.
constexpr int SYSTEM_ENTRY_CLOSE = 0;
constexpr int SYSTEM_ENTRY_CAMP = 1;
constexpr int SYSTEM_ENTRY_SAVE = 2;
constexpr int SYSTEM_ENTRY_LOAD = 3;
constexpr int SYSTEM_ENTRY_QUIT = 4;
constexpr int SYSTEM_ENTRY_QUIT_NO = 5;
constexpr int SYSTEM_ENTRY_QUIT_YES = 6;
constexpr int SYSTEM_ENTRY_COUNT = 7;

// The payload of the menu task.
struct MenuTask {
    uint32_t alive;
    float x;
    float y;
    int32_t count;
    int32_t cursor;
    const int* ids;  // the entry id of each row
    AtlasRect frame;
    uint32_t colour;
    AtlasRect title;
    TaskStateFn<MenuTask> state;
    uint32_t saveAllowed;
};

// Run by the idle leader: true when Shift opened the system menu this frame.
bool CheckOpenSystemMenu();
// Run on the walk marker: the same without saving; true when it opened.
bool TryOpenFieldMenu();
// Freezes every task but the map view and map transfers, then opens the menu; when the menu
// cannot be made, everything runs again. True when it opened.
bool OpenSystemMenu(uint32_t saveAllowed);
// 1 when made, 0 while a menu task exists or its slot is taken.
int CreateMenuTask(float x, float y, int32_t count, uint32_t saveAllowed, const int* ids,
                   uint32_t colour, const AtlasRect& frame, const AtlasRect& title);
// Shows another entry list, frame and title, the cursor on the first row.
void SetMenuEntries(MenuTask* menu, int32_t count, const int* ids, const AtlasRect& frame,
                    const AtlasRect& title);

// The first update only enters RunSystemMenuEntry.
void EnterSystemMenu(MenuTask* menu);
void RunSystemMenuEntry(MenuTask* menu);
void DrawMenuTask(TaskSlot* slot);
