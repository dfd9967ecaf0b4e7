// The picture screen and the model gallery.
#include "menu/galleries.h"

#include <cmath>

#include "data/atlas_gallery.h"
#include "data/atlas_messages.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "menu/title_screen.h"
#include "menu/yes_no_dialog.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

static_assert(GALLERY_MODEL_COUNT <= MESH_COUNT, "the gallery shows rows of the model table");

namespace {

// The gallery's fixed camera: in front of the ring, a little above it.
constexpr Vec3 GALLERY_EYE = {0.0f, 5.0f, -40.0f};
constexpr Vec3 GALLERY_TARGET = {0.0f, 0.0f, 0.0f};

constexpr float GALLERY_ARROW_Y = 448.0f;
constexpr float GALLERY_LEFT_ARROW_X = 32.0f;
constexpr float GALLERY_RIGHT_ARROW_X = 576.0f;
constexpr float GALLERY_COUNTER_Y = 460.0f;
constexpr float GALLERY_NUMBER_X = 276.0f;
constexpr float GALLERY_SLASH_X = 310.0f;
constexpr float GALLERY_SLASH_Y = 459.0f;
constexpr float GALLERY_TOTAL_X = 325.0f;

void ReopenTitle(PictureScreen*) {
    CreateTitleScreen();
}

void UpdatePictureScreen(TaskSlot* slot) {
    RunStateTask<PictureScreen, ReopenTitle>(slot);
}

// Unlike the plain state tasks, the sizes and the camera follow the state every frame, even
// the frame the gallery closes in.
void UpdateCarouselGallery(TaskSlot* slot) {
    CarouselGallery* gallery = TaskPayload<CarouselGallery>(slot);
    if (gallery->state != nullptr) {
        gallery->state(gallery);
    }
    UpdateCarouselSizes(gallery);
    SetViewAndProjection(GALLERY_TARGET, GALLERY_EYE);
    if (gallery->alive == 0) {
        slot->inUse = 0;
    }
}

void CloseGallery(CarouselGallery* gallery) {
    gallery->alive = 0;
    ReturnToTitle();
    RequestSound(SOUND_CURSOR, 0);
}

// Whole degrees keep the ring from drifting: every turn then moves each model by whole steps.
void RoundAngles(CarouselGallery* gallery) {
    for (float& angle : gallery->angle) {
        angle = std::round(angle);
    }
}

void StartTurn(CarouselGallery* gallery, TaskStateFn<CarouselGallery> turn) {
    RoundAngles(gallery);
    gallery->idle = 0;
    gallery->yaw = GALLERY_FRONT_ANGLE;
    gallery->state = turn;
    RequestSound(SOUND_CURSOR, 0);
}

void EndTurnAtFront(CarouselGallery* gallery) {
    float& front = gallery->angle[gallery->selected];
    if (std::fabs(GALLERY_FRONT_ANGLE - front) < gallery->speed) {
        front = GALLERY_FRONT_ANGLE;
        gallery->state = RunCarouselGallery;
    }
}

void DrawCarouselRing(const CarouselGallery* gallery) {
    SetWorldTransform(MatrixIdentity());
    for (int i = 0; i < GALLERY_MODEL_COUNT; ++i) {
        float x = 0.0f;
        float z = 0.0f;
        OffsetByAngle(&x, &z, 0.0f, 0.0f, gallery->angle[i], gallery->radius[i]);
        float yaw = i == gallery->selected ? gallery->yaw : GALLERY_FRONT_ANGLE;
        Mat4 world;
        BuildWorldMatrix(&world, Vec3{x, 0.0f, z}, &yaw);
        DrawMesh(&meshTable[i], world);
    }
}

void DrawGallerySprite(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

}  // namespace

int OpenPictureScreen() {
    return CreatePictureScreen();
}

int CreatePictureScreen() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_PICTURE);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_PICTURE, 0, UpdatePictureScreen, DrawPictureScreen);
    PictureScreen* picture = TaskPayload<PictureScreen>(slot);
    picture->alive = 1;
    picture->state = EnterPictureScreen;
    return 1;
}

void EnterPictureScreen(PictureScreen* picture) {
    picture->state = RunPictureScreen;
}

void RunPictureScreen(PictureScreen* picture) {
    if (IsConfirmTriggered() || IsKeyTriggered(KEY_ESCAPE)) {
        picture->alive = 0;
    }
}

void DrawPictureScreen(TaskSlot*) {
    DrawSprite(0, 0, RECT_PICTURE_SCREEN_IMAGE, GLYPH_ATLAS_WIDTH, GLYPH_ATLAS_HEIGHT, COLOUR_WHITE,
               glyphAtlas);
}

int OpenCarouselGallery() {
    KillAllTasks();
    return CreateCarouselGallery();
}

int CreateCarouselGallery() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_GALLERY);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_GALLERY, 0, UpdateCarouselGallery, DrawCarouselGallery);
    CarouselGallery* gallery = TaskPayload<CarouselGallery>(slot);
    gallery->alive = 1;
    gallery->count = GALLERY_MODEL_COUNT;
    gallery->selected = 0;
    gallery->idle = GALLERY_IDLE_START;
    gallery->step = std::round(360.0f / static_cast<float>(gallery->count));
    // The ring turns a whole number of degrees per frame, so a turn of one step lands exactly
    // on the front place.
    gallery->speed = std::round(static_cast<float>(gallery->idle) / gallery->step);
    gallery->yaw = GALLERY_FRONT_ANGLE;
    for (int i = 0; i < GALLERY_MODEL_COUNT; ++i) {
        gallery->angle[i] =
            std::fmod(GALLERY_FRONT_ANGLE + gallery->step * static_cast<float>(i), 360.0f);
        gallery->radius[i] = GALLERY_RADIUS_MIN;
    }
    gallery->state = EnterCarouselGallery;
    return 1;
}

void EnterCarouselGallery(CarouselGallery* gallery) {
    gallery->state = RunCarouselGallery;
}

void RunCarouselGallery(CarouselGallery* gallery) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        CloseGallery(gallery);
        return;
    }
    if (IsKeyTriggered(KEY_LEFT)) {
        gallery->selected -= 1;
        if (gallery->selected < 0) {
            gallery->selected = gallery->count - 1;
        }
        StartTurn(gallery, RotateCarouselForward);
        return;
    }
    if (IsKeyTriggered(KEY_RIGHT)) {
        gallery->selected += 1;
        if (gallery->selected > gallery->count - 1) {
            gallery->selected = 0;
        }
        StartTurn(gallery, RotateCarouselBackward);
        return;
    }
    if (IsConfirmTriggered()) {
        CloseGallery(gallery);
        return;
    }
    gallery->idle += 1;
    if (gallery->idle > GALLERY_IDLE_LIMIT) {
        gallery->idle = GALLERY_IDLE_LIMIT;
        gallery->yaw += 1.0f;
        if (gallery->yaw > 360.0f) {
            gallery->yaw -= 360.0f;
        }
    }
}

void RotateCarouselForward(CarouselGallery* gallery) {
    for (float& angle : gallery->angle) {
        angle += gallery->speed;
        if (angle >= 360.0f) {
            angle -= 360.0f;
        }
        angle = std::round(angle);
    }
    EndTurnAtFront(gallery);
}

void RotateCarouselBackward(CarouselGallery* gallery) {
    for (float& angle : gallery->angle) {
        angle -= gallery->speed;
        if (angle < 0.0f) {
            angle += 360.0f;
        }
        angle = std::round(angle);
    }
    EndTurnAtFront(gallery);
}

void UpdateCarouselSizes(CarouselGallery* gallery) {
    for (int i = 0; i < GALLERY_MODEL_COUNT; ++i) {
        float& radius = gallery->radius[i];
        if (i == gallery->selected) {
            radius = std::fmin(radius + 1.0f, GALLERY_RADIUS_MAX);
        } else {
            radius = std::fmax(radius - 1.0f, GALLERY_RADIUS_MIN);
        }
    }
}

void DrawCarouselGallery(TaskSlot* slot) {
    const CarouselGallery* gallery = TaskPayload<CarouselGallery>(slot);
    // The backdrop is drawn at the nearest depth; with the test off it writes no depth, so the
    // models drawn next are not hidden behind it.
    SetDepthTest(0);
    const AtlasRect& tile = RECT_GALLERY_BACKGROUND_TILE;
    DrawTiledBackground(tile.left, tile.top, tile.right, tile.bottom);
    SetDepthTest(1);
    DrawCarouselRing(gallery);
    DrawGallerySprite(0, 0, RECT_GALLERY_CAPTION);
    DrawGallerySprite(GALLERY_LEFT_ARROW_X, GALLERY_ARROW_Y, RECT_GALLERY_ARROW_LEFT);
    DrawGallerySprite(GALLERY_RIGHT_ARROW_X, GALLERY_ARROW_Y, RECT_GALLERY_ARROW_RIGHT);
    DrawNumberLarge(GALLERY_NUMBER_X, GALLERY_COUNTER_Y, gallery->selected + 1);
    DrawGallerySprite(GALLERY_SLASH_X, GALLERY_SLASH_Y, RECT_GALLERY_SLASH);
    DrawNumberLarge(GALLERY_TOTAL_X, GALLERY_COUNTER_Y, gallery->count);
}
