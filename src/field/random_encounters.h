// Random encounters on the map and the swirl that leads into their battles: four sprites orbit
// the screen centre and close in on it, then the battle starts (or, for an event, nothing).
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "render/screen_draw.h"

struct EventRunnerPayload;

constexpr uint32_t SWIRL_MODE_ENCOUNTER = 0;  // a battle follows the swirl
constexpr uint32_t SWIRL_MODE_EVENT = 1;      // nothing follows
constexpr int SWIRL_SPRITE_COUNT = 4;

struct SwirlSprite {
    float centreX;
    float centreY;
    ScreenPoint corners[4];
    float angle;   // degrees: the place on the orbit and the spin alike
    float radius;  // pixels from the screen centre
};

struct EncounterSwirlPayload;
using SwirlStateFn = TaskStateFn<EncounterSwirlPayload>;

struct EncounterSwirlPayload {
    uint32_t alive;
    uint32_t mode;
    float centreX;
    float centreY;
    SwirlSprite sprites[SWIRL_SPRITE_COUNT];
    SwirlStateFn state;
};
static_assert(sizeof(SwirlSprite) == 48);
static_assert(sizeof(EncounterSwirlPayload) == 216);
static_assert(offsetof(EncounterSwirlPayload, alive) == 0);

// Run by the idle leader on each cell: true when an encounter started (the frame stops there).
bool CheckRandomEncounter(float x, float z);
// Claims the swirl's slot: false when a swirl already runs.
bool StartEncounterSwirl(uint32_t mode);
// Computes the sprite's corners around its centre; each corner turns the sprite by 10 degrees.
void UpdateSwirlSprite(SwirlSprite* sprite);
void ShrinkSwirl(EncounterSwirlPayload* swirl);
void UpdateEncounterSwirl(TaskSlot* slot);
void DrawEncounterSwirl(TaskSlot* slot);
// The position of the first party member in the party slots; 0, 0 and false without one.
bool GetPlayerPosition(float* x, float* z);
// The event runner's wait while an event's swirl runs.
void WaitSwirlEnded(EventRunnerPayload* runner);
