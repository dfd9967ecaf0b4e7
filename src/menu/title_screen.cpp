// The title screen and its menu.
#include "menu/title_screen.h"

#include "data/atlas_menus.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "menu/galleries.h"
#include "menu/options.h"
#include "menu/save_load.h"
#include "menu/yes_no_dialog.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

int32_t titleBackgroundVariant = 0;

namespace {

struct TitleItem {
    float x;  // left edge of the item's column
    float y;
    AtlasRect label;
    void (*action)();
};

// The actions as the table calls them: the screens' results are not looked at, since the pool
// is empty when they are opened and none of them can be refused then.
void TitleStart() {
    OpenStartMenu();
}
void TitleQuit() {
    ConfirmQuit();
}
void TitleOptions() {
    CreateOptionsScreen(120.0f, 0);
}
void TitleLoad() {
    CreateSaveLoadMenu(SAVE_MODE_LOAD, 0);
}
void TitlePictures() {
    OpenPictureScreen();
}
void TitleGallery() {
    OpenCarouselGallery();
}

const TitleItem titleItems[TITLE_ITEM_COUNT] = {
    {138, 132, RECT_TITLE_LABEL_START, TitleStart},
    {321, 132, RECT_TITLE_LABEL_QUIT, TitleQuit},
    {138, 162, RECT_TITLE_LABEL_OPTIONS, TitleOptions},
    {321, 162, RECT_TITLE_LABEL_LOAD, TitleLoad},
    {138, 192, RECT_TITLE_LABEL_PICTURES, TitlePictures},
    {321, 192, RECT_TITLE_LABEL_GALLERY, TitleGallery},
};

constexpr float TITLE_LOGO_Y = 4.0f;
constexpr float TITLE_FOOTER_X = 2.0f;
constexpr float TITLE_FOOTER_Y = 465.0f;
constexpr float TITLE_MENU_FRAME_Y = 130.0f;

void UpdateTitleScreen(TaskSlot* slot) {
    RunStateTask<TitleScreen>(slot);
}

}  // namespace

int CreateTitleScreen() {
    if (TaskKindExists(TASK_KIND_TITLE)) {
        return 0;
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_TITLE);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_TITLE, 0, UpdateTitleScreen, DrawTitleScreen);
    TitleScreen* title = TaskPayload<TitleScreen>(slot);
    title->alive = 1;
    title->selection = 0;
    title->column = 0;
    title->row = 0;
    title->state = EnterTitleMenu;
    PlayMusic(MUSIC_TITLE);
    return 1;
}

void EnterTitleMenu(TitleScreen* title) {
    title->state = TitleMenuState;
}

void TitleMenuState(TitleScreen* title) {
    bool confirmed = false;
    if (IsKeyTriggered(KEY_RIGHT)) {
        title->column += 1;
        if (title->column > TITLE_COLUMNS - 1) {
            title->column = 0;
        }
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_LEFT)) {
        title->column -= 1;
        if (title->column < 0) {
            title->column = TITLE_COLUMNS - 1;
        }
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_DOWN)) {
        title->row += 1;
        if (title->row > TITLE_ROWS - 1) {
            title->row = 0;
        }
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_UP)) {
        title->row -= 1;
        if (title->row < 0) {
            title->row = TITLE_ROWS - 1;
        }
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsConfirmTriggered()) {
        confirmed = true;
    }
    title->selection = title->column + TITLE_COLUMNS * title->row;
    if (!confirmed) {
        return;
    }
    void (*action)() = titleItems[title->selection].action;
    title->alive = 0;
    RequestSound(SOUND_CURSOR, 0);
    KillAllTasks();
    titleBackgroundVariant += 1;
    if (titleBackgroundVariant > TITLE_BACKGROUND_VARIANTS - 1) {
        titleBackgroundVariant = 0;
    }
    // Nothing touches the payload after the action: one that reopens the title at once
    // reuses this very slot.
    action();
}

void DrawUiSprite(float x, float y, float left, float top, float right, float bottom) {
    DrawSprite(x, y, AtlasRect{left, top, right, bottom}, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
               uiAtlas);
}

void DrawTitleScreen(TaskSlot* slot) {
    const TitleScreen* title = TaskPayload<TitleScreen>(slot);
    DrawSprite(0, 0, RECT_TITLE_PICTURE, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    // The variant is a plain global that anything may write; one outside 0..2 shows the first
    // background rather than reading past the table.
    int variant = titleBackgroundVariant;
    if (variant < 0 || variant > TITLE_BACKGROUND_VARIANTS - 1) {
        variant = 0;
    }
    const AtlasRect& lower = RECT_TITLE_LOWER_BACKGROUNDS[variant];
    DrawSprite(0, SCREEN_PIXEL_HEIGHT - RectHeight(lower), lower, GLYPH_ATLAS_WIDTH,
               GLYPH_ATLAS_HEIGHT, COLOUR_WHITE, glyphAtlas);
    DrawSpriteCentered(RECT_TITLE_LOGO, TITLE_LOGO_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
    DrawSprite(TITLE_FOOTER_X, TITLE_FOOTER_Y, RECT_TITLE_FOOTER, ATLAS_SIZE, ATLAS_SIZE,
               COLOUR_WHITE, uiAtlas);
    DrawSpriteCentered(RECT_TITLE_MENU_FRAME, TITLE_MENU_FRAME_Y, ATLAS_SIZE, ATLAS_SIZE,
                       COLOUR_WHITE, uiAtlas);
    for (int i = 0; i < TITLE_ITEM_COUNT; ++i) {
        const TitleItem& item = titleItems[i];
        if (i == title->selection) {
            DrawSprite(item.x, item.y, RECT_TITLE_HIGHLIGHT, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
        }
        DrawSprite(item.x + (TITLE_ITEM_WIDTH - RectWidth(item.label)) / 2.0f, item.y, item.label,
                   ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    }
}
