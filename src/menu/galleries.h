// The picture screen and the model gallery, two extra screens of the title menu.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"

// The gallery shows the first models of the model table on a ring seen from the front.
constexpr int GALLERY_MODEL_COUNT = 36;
// The ring's place nearest the viewer, where the chosen model stands.
constexpr float GALLERY_FRONT_ANGLE = 270.0f;
// A model's distance from the ring's centre: the chosen one slides out to the far value, the
// rest back to the near one, a unit per frame.
constexpr float GALLERY_RADIUS_MIN = 10.0f;
constexpr float GALLERY_RADIUS_MAX = 25.0f;
// Quiet frames are counted from this at creation; past the limit the chosen model turns.
constexpr int32_t GALLERY_IDLE_START = 18;
constexpr int32_t GALLERY_IDLE_LIMIT = 100;

// The payload of the picture task.
struct PictureScreen {
    uint32_t alive;
    TaskStateFn<PictureScreen> state;
};

// The payload of the gallery task.
struct CarouselGallery {
    uint32_t alive;
    int32_t count;                      // models on the ring
    int32_t selected;                   // the model at the front, 0..count-1
    int32_t idle;                       // frames without a key
    float speed;                        // ring rotation, degrees per frame
    float step;                         // degrees between neighbours
    float yaw;                          // the chosen model's own turning angle
    float angle[GALLERY_MODEL_COUNT];   // each model's place on the ring, degrees
    float radius[GALLERY_MODEL_COUNT];  // each model's distance from the centre
    TaskStateFn<CarouselGallery> state;
};

// The picture screen: one still image until a key is pressed, then the title. 1 when created.
int OpenPictureScreen();
// 1 when created, 0 when its slot is taken.
int CreatePictureScreen();
// Removes every task and opens the model gallery, which returns to the title. 1 when created.
int OpenCarouselGallery();
// 1 when created, 0 when its slot is taken.
int CreateCarouselGallery();

// The first update of each only enters its input state, so the key that opened the screen
// does not close it.
void EnterPictureScreen(PictureScreen* picture);
void RunPictureScreen(PictureScreen* picture);
void DrawPictureScreen(TaskSlot* slot);

void EnterCarouselGallery(CarouselGallery* gallery);
// Left and Right turn the ring one model; Escape, Return or Z go back to the title.
void RunCarouselGallery(CarouselGallery* gallery);
// One frame of a turn, reading no keys; the turn ends with the chosen model exactly in front.
void RotateCarouselForward(CarouselGallery* gallery);
void RotateCarouselBackward(CarouselGallery* gallery);
// Slides the chosen model out and every other model back in, one unit.
void UpdateCarouselSizes(CarouselGallery* gallery);
void DrawCarouselGallery(TaskSlot* slot);
