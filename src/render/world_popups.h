// Results shown where they happen: short-lived images rising above a world point, and numbers
// whose digits bounce in one after another. Both are tasks in slot ranges above the battle, so
// they run on while units wait for them to finish.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
#include "engine/task_pool.h"
#include "platform/common/math3d.h"

constexpr int32_t POPUP_FRAMES = 40;
constexpr int32_t DIGIT_DELAY_STEP = 6;
constexpr int32_t DIGIT_HOLD_FRAMES = 30;
constexpr int DAMAGE_DIGITS_MAX = 5;
constexpr int DIGIT_BOUNCE_STEPS = 12;
extern const float DIGIT_BOUNCE[DIGIT_BOUNCE_STEPS];

struct WorldPopupPayload {
    uint32_t alive;
    float x;  // screen position of the image's top-left corner
    float y;
    AtlasRect rect;
    int32_t framesLeft;
    TaskStateFn<WorldPopupPayload> state;
};
static_assert(sizeof(WorldPopupPayload) <= TASK_PAYLOAD_BYTES);

struct DamageDigitPayload {
    uint32_t alive;
    float x;
    float y;
    int32_t counter;  // the start delay, later the hold time
    int32_t bounceIndex;
    AtlasRect rect;
    TaskStateFn<DamageDigitPayload> state;
};
static_assert(sizeof(DamageDigitPayload) <= TASK_PAYLOAD_BYTES);

// The world point on the screen with the current view and projection: x, y in pixels, z the
// depth.
void ProjectToScreen(Vec3* out, const Vec3& point);
int SpawnWorldPopup(const Vec3& point, float left, float top, float right, float bottom);
// Style 0 draws damage digits, 1 recovery digits. Shows at most the first five digits;
// nothing for NaN, -1 or less, or 10,000,000 or more.
void SpawnDamageNumber(const Vec3& point, float value, int style);
int SpawnDamageDigit(float x, float y, int32_t delay, int digit, int style);
int ArePopupsActive();

void StepWorldPopup(WorldPopupPayload* popup);
void WaitDamageDigit(DamageDigitPayload* digit);
void BounceDamageDigit(DamageDigitPayload* digit);
void HoldDamageDigit(DamageDigitPayload* digit);
