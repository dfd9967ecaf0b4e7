// Options, the options screen and the window mode.
#include "menu/options.h"

#include "data/atlas_images.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/program_shell.h"
#include "engine/sound.h"
#include "menu/title_screen.h"
#include "platform/window.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

Options options;

namespace {

constexpr float SCREEN_TITLE_Y = 50.0f;
constexpr float CAPTION_OFFSET_Y = 208.0f;
constexpr float FIRST_ROW_OFFSET_Y = 32.0f;
constexpr float ROW_STEP = 25.0f;
constexpr float CURSOR_X = 80.0f;
constexpr float LABEL_X = 100.0f;
constexpr float VALUE_X = 400.0f;

// Runs once the slot is free, so the title can be made whatever slot it takes.
void AfterOptionsScreen(OptionsScreen* screen) {
    if (screen->mode == OPTIONS_FROM_TITLE) {
        CreateTitleScreen();
    }
}

void UpdateOptionsScreen(TaskSlot* slot) {
    RunStateTask<OptionsScreen, AfterOptionsScreen>(slot);
}

bool DisplayChanged() {
    return options.optionWindowed != options.appliedWindowed ||
           options.optionVsync != options.appliedVsync ||
           options.optionDepth24 != options.appliedDepth24;
}

void RememberDisplay() {
    options.appliedWindowed = options.optionWindowed;
    options.appliedVsync = options.optionVsync;
    options.appliedDepth24 = options.optionDepth24;
}

void DrawUi(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

}  // namespace

void InitOptions() {
    ZeroMemoryBlock(&options, sizeof options);
    options.optionWindowed = 1;
    options.optionVsync = 1;
    options.optionDepth24 = 1;
    options.optionMusic = 1;
    options.optionSoundEffects = 1;
    RememberDisplay();
}

int CreateOptionsScreen(float y, uint32_t mode) {
    if (TaskKindExists(TASK_KIND_OPTIONS)) {
        return 0;
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_OPTIONS);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_OPTIONS, 0, UpdateOptionsScreen, DrawOptionsScreen);
    OptionsScreen* screen = TaskPayload<OptionsScreen>(slot);
    screen->alive = 1;
    screen->y = y;
    screen->cursor = 0;
    screen->mode = mode;
    uint32_t* const settings[OPTION_ROW_COUNT] = {
        &options.optionWindowed, &options.optionVsync,        &options.optionDepth24,
        &options.optionMusic,    &options.optionSoundEffects,
    };
    for (int row = 0; row < OPTION_ROW_COUNT; ++row) {
        screen->settings[row] = settings[row];
        screen->values[row] = *settings[row];
    }
    screen->state = EnterOptionsScreen;
    RememberDisplay();
    return 1;
}

void ApplyOptions(uint32_t mode) {
    if (options.optionMusic == 0) {
        StopMusic();
    } else {
        PlayMusic(mode == OPTIONS_FROM_GAME ? MUSIC_FIELD : MUSIC_TITLE);
    }
    if (!DisplayChanged() || !GraphicsDeviceExists() || RecreateDevice()) {
        return;
    }
    // A mode this machine cannot make must not cost the player the game: the settings the
    // device was made with worked a moment ago.
    options.optionWindowed = options.appliedWindowed;
    options.optionVsync = options.appliedVsync;
    options.optionDepth24 = options.appliedDepth24;
    if (!RecreateDevice()) {
        EndAfterGraphicsFailure();
    }
}

void ApplyWindowMode() {
    WindowPlacement placement{};
    if (options.optionWindowed == 1) {
        placement.fullScreen = false;
        placement.width = CLIENT_WIDTH;
        placement.height = CLIENT_HEIGHT;
        CenterOnDesktop(placement.width, placement.height, &placement.x, &placement.y);
    } else {
        placement.fullScreen = true;
        placement.x = 0;
        placement.y = 0;
        if (!PlatformDesktopSize(&placement.width, &placement.height)) {
            placement.width = CLIENT_WIDTH;
            placement.height = CLIENT_HEIGHT;
        }
    }
    PlatformPlaceWindow(placement);
}

void EnterOptionsScreen(OptionsScreen* screen) {
    screen->state = RunOptionsScreen;
}

void RunOptionsScreen(OptionsScreen* screen) {
    if (IsKeyTriggered(KEY_UP)) {
        screen->cursor = screen->cursor < 1 ? OPTION_ROW_COUNT - 1 : screen->cursor - 1;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_DOWN)) {
        screen->cursor = screen->cursor >= OPTION_ROW_COUNT - 1 ? 0 : screen->cursor + 1;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_LEFT) || IsKeyTriggered(KEY_RIGHT)) {
        // The payload is plain data anyone may write: a cursor off the rows switches nothing.
        if (screen->cursor >= 0 && screen->cursor < OPTION_ROW_COUNT) {
            screen->values[screen->cursor] = 1 - screen->values[screen->cursor];
        }
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_ESCAPE) || IsConfirmTriggered()) {
        for (int row = 0; row < OPTION_ROW_COUNT; ++row) {
            *screen->settings[row] = screen->values[row];
        }
        ApplyOptions(screen->mode);
        screen->alive = 0;
        RequestSound(SOUND_CURSOR, 0);
        if (screen->mode == OPTIONS_FROM_GAME) {
            SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
        }
    }
}

void DrawOptionsScreen(TaskSlot* slot) {
    const OptionsScreen* screen = TaskPayload<OptionsScreen>(slot);
    if (screen->mode == OPTIONS_FROM_TITLE) {
        const AtlasRect& tile = RECT_OPTIONS_BACKGROUND_TILE;
        DrawTiledBackground(tile.left, tile.top, tile.right, tile.bottom);
        DrawSpriteCentered(RECT_OPTIONS_TITLE, SCREEN_TITLE_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                           uiAtlas);
    }
    const float top = screen->y;
    DrawUi(0.0f, top, RECT_OPTIONS_PANEL);
    DrawSpriteCentered(RECT_OPTIONS_CAPTION, top + CAPTION_OFFSET_Y, ATLAS_SIZE, ATLAS_SIZE,
                       COLOUR_WHITE, uiAtlas);
    for (int row = 0; row < OPTION_ROW_COUNT; ++row) {
        const float y = top + FIRST_ROW_OFFSET_Y + ROW_STEP * static_cast<float>(row);
        DrawUi(LABEL_X, y, optionLabelRects[row]);
        if (row == screen->cursor) {
            DrawUi(CURSOR_X, y, RECT_MENU_CURSOR);
        }
        DrawUi(VALUE_X, y, optionValueRects[row][screen->values[row] == 0 ? 0 : 1]);
    }
}
