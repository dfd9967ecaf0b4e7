// Title screen.
#include "menu/title_screen.h"

#include "engine/sound.h"
#include "engine/task_pool.h"

int32_t titleBackgroundVariant = 0;

namespace {

struct TitlePayload {
    uint32_t alive;
};

void UpdateTitle(TaskSlot*) {}
void DrawTitle(TaskSlot*) {}

}  // namespace

int CreateTitleScreen() {
    if (TaskKindExists(TASK_KIND_TITLE)) {
        return 0;
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_TITLE);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_TITLE, 0, UpdateTitle, DrawTitle);
    TaskPayload<TitlePayload>(slot)->alive = 1;
    PlayMusic(MUSIC_TITLE);
    return 1;
}
