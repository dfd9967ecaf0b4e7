// The system menu.
#include "menu/system_menu.h"

#include "data/atlas_menus.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "menu/camp_menu.h"
#include "menu/save_load.h"
#include "menu/yes_no_dialog.h"
#include "render/screen_draw.h"

namespace {

constexpr float MENU_X = 2.0f;
constexpr float MENU_Y = 120.0f;
constexpr int MAIN_COUNT = 5;
constexpr int QUIT_COUNT = 2;

const int mainIds[MAIN_COUNT] = {SYSTEM_ENTRY_CLOSE, SYSTEM_ENTRY_CAMP, SYSTEM_ENTRY_SAVE,
                                 SYSTEM_ENTRY_LOAD, SYSTEM_ENTRY_QUIT};
const int quitIds[QUIT_COUNT] = {SYSTEM_ENTRY_QUIT_NO, SYSTEM_ENTRY_QUIT_YES};

const AtlasRect entryLabels[SYSTEM_ENTRY_COUNT] = {
    RECT_SYSTEM_ENTRY_CLOSE, RECT_SYSTEM_ENTRY_CAMP, RECT_SYSTEM_ENTRY_SAVE, RECT_SYSTEM_ENTRY_LOAD,
    RECT_SYSTEM_ENTRY_QUIT,  RECT_CHOICE_NO,         RECT_CHOICE_YES,
};
const AtlasRect refusedSaveEntryLabels[SYSTEM_ENTRY_COUNT] = {
    RECT_SYSTEM_ENTRY_CLOSE, RECT_SYSTEM_ENTRY_CAMP, RECT_SYSTEM_ENTRY_SAVE_REFUSED,
    RECT_SYSTEM_ENTRY_LOAD,  RECT_SYSTEM_ENTRY_QUIT, RECT_CHOICE_NO,
    RECT_CHOICE_YES,
};

void UpdateMenuTask(TaskSlot* slot) {
    RunStateTask<MenuTask>(slot);
}

bool ShiftOpensMenu() {
    return IsKeyTriggered(KEY_SHIFT) && !IsTaskSlotInUse(TASK_SLOT_BATTLE) &&
           !IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER);
}

// Closes the menu for the screen the opener made; the menu stays, buzzing, when none was made.
void HandOver(MenuTask* menu, bool opened) {
    if (opened) {
        menu->alive = 0;
    } else {
        RequestSound(SOUND_BUZZER, 0);
    }
}

}  // namespace

bool CheckOpenSystemMenu() {
    if (!ShiftOpensMenu() || !OpenSystemMenu(1)) {
        return false;
    }
    // Stopped first, so that the menu's own sound still plays.
    StopAllSoundEffects();
    RequestSound(SOUND_CURSOR, 0);
    return true;
}

bool TryOpenFieldMenu() {
    if (!ShiftOpensMenu() || !OpenSystemMenu(0)) {
        return false;
    }
    RequestSound(SOUND_CURSOR, 0);
    return true;
}

bool OpenSystemMenu(uint32_t saveAllowed) {
    // Frozen before the menu exists, or the menu would be frozen with the rest.
    SetTasksActiveExceptTransfer(TASK_ACTIVITY_STOP_UPDATE);
    SetTaskKindActive(TASK_KIND_MAP_VIEW, TASK_ACTIVITY_RESUME);
    if (CreateMenuTask(MENU_X, MENU_Y, MAIN_COUNT, saveAllowed, mainIds, COLOUR_WINDOW,
                       RECT_SYSTEM_MENU_FRAME, RECT_SYSTEM_MENU_TITLE) == 0) {
        SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
        return false;
    }
    return true;
}

int CreateMenuTask(float x, float y, int32_t count, uint32_t saveAllowed, const int* ids,
                   uint32_t colour, const AtlasRect& frame, const AtlasRect& title) {
    if (TaskKindExists(TASK_KIND_SYSTEM_MENU)) {
        return 0;
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_SYSTEM_MENU);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_SYSTEM_MENU, 0, UpdateMenuTask, DrawMenuTask);
    MenuTask* menu = TaskPayload<MenuTask>(slot);
    menu->alive = 1;
    menu->x = x;
    menu->y = y;
    menu->cursor = 0;
    menu->count = count;
    menu->ids = ids;
    menu->frame = frame;
    menu->colour = colour;
    menu->title = title;
    menu->saveAllowed = saveAllowed;
    menu->state = EnterSystemMenu;
    return 1;
}

void SetMenuEntries(MenuTask* menu, int32_t count, const int* ids, const AtlasRect& frame,
                    const AtlasRect& title) {
    menu->count = count;
    menu->ids = ids;
    menu->frame = frame;
    menu->title = title;
    menu->cursor = 0;
}

void EnterSystemMenu(MenuTask* menu) {
    menu->state = RunSystemMenuEntry;
}

void RunSystemMenuEntry(MenuTask* menu) {
    if (MoveMenuCursor(&menu->cursor, menu->count) == 0) {
        return;
    }
    switch (menu->ids[menu->cursor]) {
        case SYSTEM_ENTRY_CLOSE:
            menu->alive = 0;
            SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
            break;
        case SYSTEM_ENTRY_CAMP:
            HandOver(menu, OpenCampMenu() != 0);
            break;
        case SYSTEM_ENTRY_SAVE:
            if (menu->saveAllowed == 0) {
                RequestSound(SOUND_BUZZER, 0);
            } else {
                HandOver(menu, CreateSaveLoadMenu(SAVE_MODE_SAVE, 1) != 0);
            }
            break;
        case SYSTEM_ENTRY_LOAD:
            HandOver(menu, CreateSaveLoadMenu(SAVE_MODE_LOAD, 1) != 0);
            break;
        case SYSTEM_ENTRY_QUIT:
            SetMenuEntries(menu, QUIT_COUNT, quitIds, RECT_SMALL_QUESTION_FRAME, RECT_QUIT_PROMPT);
            break;
        case SYSTEM_ENTRY_QUIT_NO:
            SetMenuEntries(menu, MAIN_COUNT, mainIds, RECT_SYSTEM_MENU_FRAME,
                           RECT_SYSTEM_MENU_TITLE);
            break;
        case SYSTEM_ENTRY_QUIT_YES:
            // Every task goes, this one with them: nothing here is touched afterwards.
            ReturnToTitle();
            break;
        default:
            break;
    }
}

void DrawMenuTask(TaskSlot* slot) {
    const MenuTask* menu = TaskPayload<MenuTask>(slot);
    DrawMenuWindow(menu->x, menu->y, menu->cursor, menu->count, menu->colour, menu->frame,
                   menu->title, menu->saveAllowed != 0 ? entryLabels : refusedSaveEntryLabels,
                   menu->ids);
}
