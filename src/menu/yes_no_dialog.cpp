// The yes/no dialog, the quit question, the start menu, and the ways back to the title or out
// of the program.
#include "menu/yes_no_dialog.h"

#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "engine/keyboard.h"
#include "engine/program_shell.h"
#include "engine/sound.h"
#include "field/game_start.h"
#include "menu/title_screen.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

// Yes/no dialog layout: everything centred across, the cursor beside the choices.
constexpr float DIALOG_FRAME_Y = 190.0f;
constexpr float DIALOG_PROMPT_Y = 198.0f;
constexpr float DIALOG_CHOICE_Y[2] = {230.0f, 260.0f};
constexpr float DIALOG_CURSOR_INSET = 12.0f;

// Start menu layout.
constexpr float START_MENU_Y = 100.0f;
constexpr float START_QUESTION_Y = 130.0f;

const AtlasRect startEntryLabels[START_ENTRY_COUNT] = {
    RECT_START_ENTRY_BACK,
    RECT_START_ENTRY_SCENARIO_0,
    RECT_START_ENTRY_SCENARIO_1,
};
const int startEntryIds[START_ENTRY_COUNT] = {START_ENTRY_BACK, START_ENTRY_SCENARIO_0,
                                              START_ENTRY_SCENARIO_1};
const AtlasRect startQuestionRows[2] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
const int startQuestionIds[2] = {0, 1};

bool NextPressed() {
    return IsKeyTriggered(KEY_DOWN) || IsKeyTriggered(KEY_RIGHT);
}

bool PreviousPressed() {
    return IsKeyTriggered(KEY_UP) || IsKeyTriggered(KEY_LEFT);
}

void UpdateConfirmDialog(TaskSlot* slot) {
    RunStateTask<ConfirmDialog>(slot);
}

void UpdateStartMenu(TaskSlot* slot) {
    RunStateTask<StartMenu>(slot);
}

}  // namespace

float CenterXRounded(float width) {
    return RoundToPixel(CenteredX(width));
}

int CreateConfirmDialog(ConfirmCallback onFirst, ConfirmCallback onSecond, float left, float top,
                        float right, float bottom) {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_YES_NO);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_YES_NO, 0, UpdateConfirmDialog, DrawConfirmDialog);
    ConfirmDialog* dialog = TaskPayload<ConfirmDialog>(slot);
    dialog->alive = 1;
    dialog->choice = 0;
    dialog->prompt = AtlasRect{left, top, right, bottom};
    dialog->onFirst = onFirst;
    dialog->onSecond = onSecond;
    dialog->state = EnterConfirmDialog;
    return 1;
}

void EnterConfirmDialog(ConfirmDialog* dialog) {
    dialog->state = RunConfirmDialog;
}

void RunConfirmDialog(ConfirmDialog* dialog) {
    if (NextPressed()) {
        dialog->choice = WrapIndex(dialog->choice + 1, 2);
        RequestSound(SOUND_CURSOR, 0);
    } else if (PreviousPressed()) {
        dialog->choice = WrapIndex(dialog->choice - 1, 2);
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsConfirmTriggered()) {
        dialog->alive = 0;
        RequestSound(SOUND_CURSOR, 0);
        ConfirmCallback callback = dialog->choice == 1 ? dialog->onSecond : dialog->onFirst;
        // A dialog made without that callback simply closes.
        if (callback != nullptr) {
            callback();
        }
    }
}

void DrawConfirmDialog(TaskSlot* slot) {
    const ConfirmDialog* dialog = TaskPayload<ConfirmDialog>(slot);
    const AtlasRect& tile = RECT_YES_NO_BACKGROUND_TILE;
    DrawTiledBackground(tile.left, tile.top, tile.right, tile.bottom);
    float frameX = DrawSpriteCentered(RECT_QUESTION_FRAME, DIALOG_FRAME_Y, ATLAS_SIZE, ATLAS_SIZE,
                                      COLOUR_WHITE, uiAtlas);
    DrawSpriteCentered(dialog->prompt, DIALOG_PROMPT_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
    DrawSpriteCentered(RECT_CHOICE_NO, DIALOG_CHOICE_Y[0], ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
    DrawSpriteCentered(RECT_CHOICE_YES, DIALOG_CHOICE_Y[1], ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
    DrawSprite(frameX + DIALOG_CURSOR_INSET, DIALOG_CHOICE_Y[dialog->choice == 1 ? 1 : 0],
               RECT_MENU_CURSOR, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void ConfirmQuit() {
    KillAllTasks();
    CreateConfirmDialog(ReturnToTitle, QuitGame, RECT_QUIT_PROMPT.left, RECT_QUIT_PROMPT.top,
                        RECT_QUIT_PROMPT.right, RECT_QUIT_PROMPT.bottom);
}

void ReturnToTitle() {
    KillAllTasks();
    CreateTitleScreen();
}

void QuitGame() {
    KillAllTasks();
    isRunning = 0;
}

int OpenStartMenu() {
    return CreateStartMenu(START_ENTRY_COUNT);
}

int CreateStartMenu(int count) {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_START_MENU);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_START_MENU, 0, UpdateStartMenu, DrawStartMenu);
    StartMenu* menu = TaskPayload<StartMenu>(slot);
    menu->alive = 1;
    menu->cursor = 0;
    menu->choice = 0;
    menu->scenario = 0;
    menu->map = 0;
    // The window draws one label per entry from a table of three: more would read past it.
    menu->count = count < 1 ? 1 : (count > START_ENTRY_COUNT ? START_ENTRY_COUNT : count);
    menu->state = EnterStartMenu;
    return 1;
}

void EnterStartMenu(StartMenu* menu) {
    menu->state = SelectStartEntry;
}

void SelectStartEntry(StartMenu* menu) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        menu->alive = 0;
        RequestSound(SOUND_CURSOR, 0);
        CreateTitleScreen();
    } else if (NextPressed()) {
        menu->cursor = WrapIndex(menu->cursor + 1, menu->count);
        RequestSound(SOUND_CURSOR, 0);
    } else if (PreviousPressed()) {
        menu->cursor = WrapIndex(menu->cursor - 1, menu->count);
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsConfirmTriggered()) {
        switch (menu->cursor) {
            case START_ENTRY_BACK:
                // The one confirm of the game without a sound.
                menu->alive = 0;
                CreateTitleScreen();
                return;
            case START_ENTRY_SCENARIO_0:
                menu->scenario = 0;
                menu->map = START_SCENARIO_0_MAP;
                break;
            case START_ENTRY_SCENARIO_1:
                menu->scenario = 1;
                menu->map = START_SCENARIO_1_MAP;
                break;
            default:
                return;
        }
        menu->choice = 0;
        menu->state = ConfirmStartEntry;
        RequestSound(SOUND_CURSOR, 0);
    }
}

void ConfirmStartEntry(StartMenu* menu) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        menu->choice = 0;
        menu->state = SelectStartEntry;
        RequestSound(SOUND_CURSOR, 0);
    } else if (NextPressed()) {
        menu->choice = WrapIndex(menu->choice + 1, 2);
        RequestSound(SOUND_CURSOR, 0);
    } else if (PreviousPressed()) {
        menu->choice = WrapIndex(menu->choice - 1, 2);
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        if (menu->choice == 0) {
            menu->state = SelectStartEntry;
            return;
        }
        menu->alive = 0;
        StartGameAtMap(menu->scenario, menu->map);
    }
}

void DrawStartMenu(TaskSlot* slot) {
    const StartMenu* menu = TaskPayload<StartMenu>(slot);
    const AtlasRect& tile = RECT_START_MENU_BACKGROUND_TILE;
    DrawTiledBackground(tile.left, tile.top, tile.right, tile.bottom);
    DrawMenuWindow(CenterXRounded(RectWidth(RECT_START_MENU_FRAME)), START_MENU_Y, menu->cursor,
                   menu->count, COLOUR_WHITE, RECT_START_MENU_FRAME, RECT_START_MENU_TITLE,
                   startEntryLabels, startEntryIds);
    if (menu->state == ConfirmStartEntry) {
        DrawMenuWindow(CenterXRounded(RectWidth(RECT_QUESTION_FRAME)), START_QUESTION_Y,
                       menu->choice, 2, COLOUR_WHITE, RECT_QUESTION_FRAME,
                       RECT_START_QUESTION_TITLE, startQuestionRows, startQuestionIds);
    }
}
