// The save/load screen.
#include "menu/save_load.h"

#include "data/atlas_camp.h"
#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "field/map_view.h"
#include "menu/title_screen.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float LIST_X = 20.0f;
constexpr float PANEL_Y = 120.0f;
constexpr float SUMMARY_PANEL_X = 340.0f;
constexpr float LEVEL_X = 540.0f;
constexpr float SLOT_CURSOR_X = 24.0f;
constexpr float SLOT_CURSOR_Y = 144.0f;
constexpr float ROW_Y = 143.0f;
constexpr float ROW_PITCH = 28.0f;
constexpr float SLOT_NUMBER_X = 36.0f;
constexpr float TIMESTAMP_X = 44.0f;
constexpr float TIMESTAMP_INSET = 8.0f;
constexpr float SCENARIO_X = 348.0f;
constexpr float AREA_X = 408.0f;
constexpr float QUESTION_X = 247.0f;
constexpr float QUESTION_Y = 160.0f;
constexpr float SCREEN_TITLE_Y = 90.0f;
constexpr float MESSAGE_Y = 180.0f;
constexpr float KEY_HINT_X = 4.0f;
constexpr float KEY_HINT_Y = 4.0f;

const AtlasRect questionRows[2] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
const int questionIds[2] = {0, 1};

void DrawUi(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

// Leaves the screen: back to the frozen field, which runs again, or to a new title.
void CloseSaveLoadMenu(SaveLoadMenu* menu) {
    menu->alive = 0;
    if (menu->returnToField != 0) {
        SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
    } else {
        CreateTitleScreen();
    }
}

void ConfirmLoad(SaveLoadMenu* menu) {
    if (!SaveSlotExists(menu->cursor)) {
        menu->state = WaitNoDataMessage;
        RequestSound(SOUND_BUZZER, 0);
        return;
    }
    // Loaded or failed, the pool was cleared with this task in it: the payload is no longer
    // this screen's and must not be written.
    if (LoadSaveFile(menu->cursor) != SaveLoadResult::Refused) {
        return;
    }
    menu->state = WaitNoDataMessage;
    RequestSound(SOUND_BUZZER, 0);
}

void ConfirmSave(SaveLoadMenu* menu) {
    if (IsSaveForbidden()) {
        menu->state = WaitCannotSaveMessage;
        RequestSound(SOUND_BUZZER, 0);
        return;
    }
    const bool written = WriteSaveFile(menu->cursor);
    // The list shows what the folder holds now: the new save, or the old one kept.
    ScanSaveSlots(menu->slots);
    if (written) {
        menu->state = WaitSavedMessage;
        RequestSound(SOUND_SAVED, 0);
    } else {
        menu->state = WaitCannotSaveMessage;
        RequestSound(SOUND_BUZZER, 0);
    }
}

void UpdateSaveLoadMenu(TaskSlot* slot) {
    RunStateTask<SaveLoadMenu>(slot);
}

const AtlasRect* MessageOf(const SaveLoadMenu* menu) {
    if (menu->state == WaitSavedMessage) {
        return &RECT_SAVED_MESSAGE;
    }
    if (menu->state == WaitNoDataMessage) {
        return &RECT_NO_DATA_MESSAGE;
    }
    if (menu->state == WaitCannotSaveMessage) {
        return &RECT_CANNOT_SAVE_MESSAGE;
    }
    return nullptr;
}

void DrawSlotRow(float y, int slot, const SaveSlotSummary& summary) {
    DrawNumber(SLOT_NUMBER_X, y, slot + 1);
    DrawSlotTimestamp(TIMESTAMP_X, y, summary.exists, summary.lastWrite);
    if (summary.exists == 0) {
        return;
    }
    if (summary.scenario < 2) {
        DrawUi(SCENARIO_X, y, RECT_SAVE_SCENARIOS[summary.scenario]);
    }
    DrawAreaName(AREA_X, y, static_cast<int32_t>(summary.map));
    DrawNumber(LEVEL_X, y + 1.0f, static_cast<int32_t>(summary.summary));
}

}  // namespace

int CreateSaveLoadMenu(uint32_t mode, uint32_t returnToField) {
    if (TaskKindExists(TASK_KIND_SAVE_LOAD)) {
        return 0;
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_SAVE_LOAD);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_SAVE_LOAD, 0, UpdateSaveLoadMenu, DrawSaveLoadMenu);
    SaveLoadMenu* menu = TaskPayload<SaveLoadMenu>(slot);
    menu->alive = 1;
    menu->mode = mode;
    menu->cursor = 0;
    menu->choice = 0;
    menu->returnToField = returnToField;
    menu->state = EnterSaveLoadMenu;
    ScanSaveSlots(menu->slots);
    return 1;
}

void EnterSaveLoadMenu(SaveLoadMenu* menu) {
    menu->state = SelectSaveSlotState;
}

void SelectSaveSlotState(SaveLoadMenu* menu) {
    if (IsKeyTriggered(KEY_UP)) {
        menu->cursor = menu->cursor < 1 ? SAVE_SLOT_COUNT - 1 : menu->cursor - 1;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_DOWN)) {
        menu->cursor = menu->cursor >= SAVE_SLOT_COUNT - 1 ? 0 : menu->cursor + 1;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        menu->choice = 0;
        menu->state = ConfirmSaveLoadState;
    } else if (IsKeyTriggered(KEY_ESCAPE)) {
        RequestSound(SOUND_CURSOR, 0);
        CloseSaveLoadMenu(menu);
    }
}

void ConfirmSaveLoadState(SaveLoadMenu* menu) {
    if (IsKeyTriggered(KEY_UP)) {
        menu->choice = menu->choice < 1 ? 1 : 0;
        RequestSound(SOUND_CURSOR, 0);
        return;
    }
    if (IsKeyTriggered(KEY_DOWN)) {
        menu->choice = menu->choice >= 1 ? 0 : 1;
        RequestSound(SOUND_CURSOR, 0);
        return;
    }
    if (!IsConfirmTriggered()) {
        return;
    }
    RequestSound(SOUND_CURSOR, 0);
    if (menu->choice == 0) {
        menu->state = SelectSaveSlotState;
    } else if (menu->mode == SAVE_MODE_LOAD) {
        ConfirmLoad(menu);
    } else {
        ConfirmSave(menu);
    }
}

void WaitSavedMessage(SaveLoadMenu* menu) {
    if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        menu->state = SelectSaveSlotState;
    }
}

void WaitNoDataMessage(SaveLoadMenu* menu) {
    if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        menu->state = SelectSaveSlotState;
    }
}

void WaitCannotSaveMessage(SaveLoadMenu* menu) {
    if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        CloseSaveLoadMenu(menu);
    }
}

void DrawSlotTimestamp(float x, float y, uint32_t exists, const SaveTime& time) {
    x += TIMESTAMP_INSET;
    if (exists == 0) {
        DrawUi(x, y, RECT_SAVE_EMPTY_SLOT);
        return;
    }
    const int32_t parts[5] = {time.year, time.month, time.day, time.hour, time.minute};
    for (int i = 0; i < 5; ++i) {
        x += DrawNumber(x, y, parts[i]);
        x += DrawSpriteReturnWidth(x, y, RECT_TIME_UNITS[i], ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                                   uiAtlas);
    }
}

void DrawSaveLoadMenu(TaskSlot* slot) {
    const SaveLoadMenu* menu = TaskPayload<SaveLoadMenu>(slot);
    const bool saving = menu->mode == SAVE_MODE_SAVE;
    if (menu->returnToField == 0) {
        const AtlasRect& tile = RECT_SAVE_BACKGROUND_TILE;
        DrawTiledBackground(tile.left, tile.top, tile.right, tile.bottom);
    }
    DrawUi(LIST_X, PANEL_Y, RECT_SAVE_SLOT_PANEL);
    DrawUi(SUMMARY_PANEL_X, PANEL_Y, RECT_START_MENU_FRAME);
    DrawUi(LEVEL_X, PANEL_Y, RECT_PARTY_LIST_LEVEL_CAPTION);
    DrawUi(SLOT_CURSOR_X, SLOT_CURSOR_Y + ROW_PITCH * static_cast<float>(menu->cursor),
           RECT_MENU_CURSOR);
    for (int i = 0; i < SAVE_SLOT_COUNT; ++i) {
        DrawSlotRow(ROW_Y + ROW_PITCH * static_cast<float>(i), i, menu->slots[i]);
    }
    if (menu->state == ConfirmSaveLoadState) {
        DrawMenuWindow(QUESTION_X, QUESTION_Y, menu->choice, 2, COLOUR_WHITE, RECT_QUESTION_FRAME,
                       saving ? RECT_SAVE_QUESTION_TITLE_SAVE : RECT_SAVE_QUESTION_TITLE_LOAD,
                       questionRows, questionIds);
    }
    DrawSpriteCentered(saving ? RECT_SAVE_SCREEN_TITLE_SAVE : RECT_SAVE_SCREEN_TITLE_LOAD,
                       SCREEN_TITLE_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    if (const AtlasRect* message = MessageOf(menu)) {
        DrawSpriteCentered(*message, MESSAGE_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    }
    DrawUi(KEY_HINT_X, KEY_HINT_Y, RECT_SAVE_KEY_HINT);
}
