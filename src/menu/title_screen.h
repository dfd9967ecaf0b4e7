// The title screen: a still picture with one of three lower backgrounds and a menu of six
// items in two columns and three rows. Choosing an item removes every task and runs its action.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

constexpr int TITLE_COLUMNS = 2;
constexpr int TITLE_ROWS = 3;
constexpr int TITLE_ITEM_COUNT = TITLE_COLUMNS * TITLE_ROWS;
constexpr int TITLE_BACKGROUND_VARIANTS = 3;
// Each item's highlight and label are laid out in a column this wide.
constexpr float TITLE_ITEM_WIDTH = 184.0f;

// Item selections (column + 2 x row).
constexpr int TITLE_ITEM_START = 0;
constexpr int TITLE_ITEM_QUIT = 1;
constexpr int TITLE_ITEM_OPTIONS = 2;
constexpr int TITLE_ITEM_LOAD = 3;
constexpr int TITLE_ITEM_PICTURES = 4;
constexpr int TITLE_ITEM_GALLERY = 5;

// The payload of the title task.
struct TitleScreen {
    uint32_t alive;
    int32_t selection;  // column + 2 x row, recomputed every frame
    int32_t column;     // 0..1
    int32_t row;        // 0..2
    TaskStateFn<TitleScreen> state;
};

// Chooses the title's lower background image; advanced by each title action, never saved.
extern int32_t titleBackgroundVariant;

// 1 when created; 0 while a title task exists or its slot is taken. Plays the title music only
// when created. Other tasks are left alone: callers remove them first.
int CreateTitleScreen();

// The first update: only enters TitleMenuState, so the title reads no keys in its first frame.
void EnterTitleMenu(TitleScreen* title);
// Moves the highlight or runs the chosen item's action.
void TitleMenuState(TitleScreen* title);
void DrawTitleScreen(TaskSlot* slot);

// Draws that rectangle of the interface atlas at (x, y), untinted.
void DrawUiSprite(float x, float y, float left, float top, float right, float bottom);
