// The camp menu.
#include "menu/camp_menu.h"

#include "data/atlas_camp_menu.h"
#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "field/game_state.h"
#include "menu/camp_widgets.h"
#include "menu/options.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float COMMAND_X = 20.0f;
constexpr float COMMAND_COLUMN_STEP = 150.0f;
constexpr float COMMAND_Y = 4.0f;
constexpr float COMMAND_ROW_STEP = 25.0f;
constexpr float CURSOR_X[CAMP_COLUMNS] = {4.0f, 146.0f};
constexpr float PARTY_LIST_Y = 250.0f;
constexpr float QUESTION_X = 234.0f;
constexpr float QUESTION_Y = 120.0f;
constexpr float OPTIONS_Y = 120.0f;
constexpr uint32_t OPTIONS_IN_GAME = 1;

using CampCommand = void (*)(CampMenuPayload* menu);

// By command index, column + 2 x row.
const CampCommand campCommands[CAMP_COMMAND_COUNT] = {
    EnterCampCloseConfirm, OpenMagicFromCamp, OpenStatusFromCamp,
    OpenItemsFromCamp,     OpenOrderFromCamp, OpenSettingsFromCamp,
};

const AtlasRect questionRows[2] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
const int questionIds[2] = {0, 1};

void UpdateCampMenu(TaskSlot* slot) {
    RunStateTask<CampMenuPayload>(slot);
}

void CloseCampMenu(CampMenuPayload* menu) {
    menu->alive = 0;
    RequestSound(SOUND_CURSOR, 0);
    SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
}

void HandOver(CampMenuPayload* menu, int opened) {
    if (opened != 0) {
        menu->alive = 0;
    } else {
        RequestSound(SOUND_BUZZER, 0);
    }
}

void DrawUi(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

}  // namespace

int OpenCampMenu() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_CAMP_MENU);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_CAMP_MENU, 0, UpdateCampMenu, DrawCampMenu);
    CampMenuPayload* menu = TaskPayload<CampMenuPayload>(slot);
    menu->alive = 1;
    menu->column = 0;
    menu->row = 0;
    menu->choice = 0;
    menu->state = EnterCampCommandSelect;
    return 1;
}

void EnterCampCommandSelect(CampMenuPayload* menu) {
    menu->column = 0;
    menu->row = 0;
    menu->state = SelectCampCommand;
}

void SelectCampCommand(CampMenuPayload* menu) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        CloseCampMenu(menu);
        return;
    }
    if (MoveCampCursor(menu) != 0) {
        campCommands[menu->column + CAMP_COLUMNS * menu->row](menu);
    }
}

int MoveCampCursor(CampMenuPayload* menu) {
    int confirmed = 0;
    if (IsKeyTriggered(KEY_RIGHT)) {
        menu->column = menu->column >= CAMP_COLUMNS - 1 ? 0 : menu->column + 1;
    } else if (IsKeyTriggered(KEY_LEFT)) {
        menu->column = menu->column < 1 ? CAMP_COLUMNS - 1 : menu->column - 1;
    } else if (IsKeyTriggered(KEY_DOWN)) {
        menu->row = menu->row >= CAMP_ROWS - 1 ? 0 : menu->row + 1;
    } else if (IsKeyTriggered(KEY_UP)) {
        menu->row = menu->row < 1 ? CAMP_ROWS - 1 : menu->row - 1;
    } else if (IsConfirmTriggered()) {
        confirmed = 1;
    } else {
        return 0;
    }
    RequestSound(SOUND_CURSOR, 0);
    return confirmed;
}

void EnterCampCloseConfirm(CampMenuPayload* menu) {
    menu->choice = 0;
    menu->state = ConfirmCampClose;
}

void ConfirmCampClose(CampMenuPayload* menu) {
    if (MoveMenuCursor(&menu->choice, 2) == 0) {
        return;
    }
    if (menu->choice == 0) {
        menu->state = SelectCampCommand;
    } else {
        CloseCampMenu(menu);
    }
}

void OpenMagicFromCamp(CampMenuPayload* menu) {
    HandOver(menu, OpenMagicMenu());
}

void OpenStatusFromCamp(CampMenuPayload* menu) {
    HandOver(menu, OpenStatusMenu());
}

void OpenItemsFromCamp(CampMenuPayload* menu) {
    HandOver(menu, OpenCampItemMenu());
}

void OpenOrderFromCamp(CampMenuPayload* menu) {
    HandOver(menu, OpenPartyOrderMenu());
}

void OpenSettingsFromCamp(CampMenuPayload* menu) {
    HandOver(menu, CreateOptionsScreen(OPTIONS_Y, OPTIONS_IN_GAME));
}

void DrawCampMenu(TaskSlot* slot) {
    const CampMenuPayload* menu = TaskPayload<CampMenuPayload>(slot);
    DrawCampCommands(menu);
    DrawPartyList(0.0f, PARTY_LIST_Y, partyRoster, partyCount, -1);
    if (menu->state == ConfirmCampClose) {
        DrawCampCloseConfirm(menu);
    }
}

void DrawCampCommands(const CampMenuPayload* menu) {
    DrawUi(0.0f, 0.0f, RECT_CAMP_COMMAND_PANEL);
    for (int i = 0; i < CAMP_COMMAND_COUNT; ++i) {
        const int column = i % CAMP_COLUMNS;
        const int row = i / CAMP_COLUMNS;
        DrawUi(COMMAND_X + COMMAND_COLUMN_STEP * static_cast<float>(column),
               COMMAND_Y + COMMAND_ROW_STEP * static_cast<float>(row), RECT_CAMP_COMMAND_LABELS[i]);
    }
    // The cursor is drawn only where it can stand: the payload is plain data anyone may write.
    if (menu->column >= 0 && menu->column < CAMP_COLUMNS && menu->row >= 0 &&
        menu->row < CAMP_ROWS) {
        DrawUi(CURSOR_X[menu->column], COMMAND_Y + COMMAND_ROW_STEP * static_cast<float>(menu->row),
               RECT_MENU_CURSOR);
    }
}

void DrawCampCloseConfirm(const CampMenuPayload* menu) {
    DrawMenuWindow(QUESTION_X, QUESTION_Y, menu->choice, 2, COLOUR_WHITE, RECT_SMALL_QUESTION_FRAME,
                   RECT_CAMP_CLOSE_TITLE, questionRows, questionIds);
}
