// Screen fade and its event commands.
#include "event/screen_fade.h"

#include "data/atlas_images.h"
#include "event/event_commands.h"
#include "render/screen_draw.h"

namespace {

void DrawScreenFade(TaskSlot* slot) {
    const ScreenFadePayload* fade = TaskPayload<ScreenFadePayload>(slot);
    DrawTiledBackgroundAlpha(RECT_FADE_TILE.left, RECT_FADE_TILE.top, RECT_FADE_TILE.right,
                             RECT_FADE_TILE.bottom, static_cast<uint32_t>(fade->alpha));
}

}  // namespace

bool CreateScreenFade() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_SCREEN_FADE);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_SCREEN_FADE, 0, RunStateTask<ScreenFadePayload>, DrawScreenFade);
    ScreenFadePayload* fade = TaskPayload<ScreenFadePayload>(slot);
    fade->alive = 1;
    fade->alpha = 0;
    fade->state = FadeToBlack;
    return true;
}

void FadeToBlack(ScreenFadePayload* fade) {
    fade->alpha += SCREEN_FADE_STEP;
    if (fade->alpha >= 255) {
        fade->alpha = 255;
    }
}

void EventCmdFadeOut(EventRunnerPayload*) {
    CreateScreenFade();
}

void EventCmdClearScreenFade(EventRunnerPayload*) {
    KillTasksOfKind(TASK_KIND_SCREEN_FADE);
}
