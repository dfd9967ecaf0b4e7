// World popups and damage numbers.
#include "render/world_popups.h"

#include <cmath>

#include "data/atlas_images.h"
#include "render/graphics_device.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

const float DIGIT_BOUNCE[DIGIT_BOUNCE_STEPS] = {-8, -6, -4, -2, -1, 0, 0, 1, 2, 4, 6, 8};

namespace {

void DrawWorldPopup(TaskSlot* slot) {
    const WorldPopupPayload* popup = TaskPayload<WorldPopupPayload>(slot);
    DrawSprite(popup->x, popup->y, popup->rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void DrawDamageDigit(TaskSlot* slot) {
    const DamageDigitPayload* digit = TaskPayload<DamageDigitPayload>(slot);
    DrawSprite(digit->x, digit->y, digit->rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

const AtlasRect* DigitSet(int style) {
    return style == 1 ? recoveryDigitRects : damageDigitRects;
}

}  // namespace

void ProjectToScreen(Vec3* out, const Vec3& point) {
    *out = ProjectToViewport(point, viewport, projectionTransform, viewTransform, MatrixIdentity());
}

void StepWorldPopup(WorldPopupPayload* popup) {
    popup->framesLeft -= 1;
    if (popup->framesLeft < 1) {
        popup->alive = 0;
        return;
    }
    popup->y -= 1.0f;
}

int SpawnWorldPopup(const Vec3& point, float left, float top, float right, float bottom) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_POPUP_FIRST, TASK_SLOT_POPUP_END);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_WORLD_POPUP, 0, RunStateTask<WorldPopupPayload>, DrawWorldPopup);
    Vec3 s;
    ProjectToScreen(&s, point);
    WorldPopupPayload* popup = TaskPayload<WorldPopupPayload>(slot);
    popup->alive = 1;
    popup->x = s.x - (right - left) / 2.0f;
    popup->y = s.y;
    popup->rect = AtlasRect{left, top, right, bottom};
    popup->framesLeft = POPUP_FRAMES;
    popup->state = StepWorldPopup;
    return 1;
}

void WaitDamageDigit(DamageDigitPayload* digit) {
    // Digit i waits 6i + 1 updates: it leaves once the count has gone below zero.
    digit->counter -= 1;
    if (digit->counter >= 0) {
        return;
    }
    digit->bounceIndex = 0;
    digit->state = BounceDamageDigit;
}

void BounceDamageDigit(DamageDigitPayload* digit) {
    digit->y += DIGIT_BOUNCE[digit->bounceIndex];
    digit->bounceIndex += 1;
    if (digit->bounceIndex >= DIGIT_BOUNCE_STEPS) {
        digit->bounceIndex = DIGIT_BOUNCE_STEPS - 1;
        digit->counter = DIGIT_HOLD_FRAMES;
        digit->state = HoldDamageDigit;
    }
}

void HoldDamageDigit(DamageDigitPayload* digit) {
    digit->counter -= 1;
    if (digit->counter < 1) {
        digit->alive = 0;
    }
}

int SpawnDamageDigit(float x, float y, int32_t delay, int digitValue, int style) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DIGIT_FIRST, TASK_SLOT_DIGIT_END);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_DAMAGE_DIGIT, 0, RunStateTask<DamageDigitPayload>, DrawDamageDigit);
    DamageDigitPayload* digit = TaskPayload<DamageDigitPayload>(slot);
    digit->alive = 1;
    digit->x = x;
    digit->y = y;
    digit->counter = delay;
    digit->bounceIndex = 0;
    digit->rect = DigitSet(style)[digitValue];
    digit->state = WaitDamageDigit;
    return 1;
}

void SpawnDamageNumber(const Vec3& point, float value, int style) {
    if (!(value > -1.0f && value < 10000000.0f)) {
        return;
    }
    Vec3 s;
    ProjectToScreen(&s, point);
    int digits[DIGITS_MAX];
    int count = SplitDigits(static_cast<int32_t>(std::trunc(value)), digits);
    if (count > DAMAGE_DIGITS_MAX) {
        count = DAMAGE_DIGITS_MAX;
    }
    const AtlasRect* set = DigitSet(style);
    float total = 0.0f;
    for (int i = 0; i < count; ++i) {
        total += RectWidth(set[digits[i]]);
    }
    float offset = 0.0f;
    for (int i = 0; i < count; ++i) {
        SpawnDamageDigit(s.x - total / 2.0f + offset, s.y, DIGIT_DELAY_STEP * i, digits[i], style);
        offset += RectWidth(set[digits[i]]);
    }
}

int ArePopupsActive() {
    return TaskKindExists(TASK_KIND_WORLD_POPUP) || TaskKindExists(TASK_KIND_DAMAGE_DIGIT) ? 1 : 0;
}
