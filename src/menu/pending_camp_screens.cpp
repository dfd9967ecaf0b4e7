// The camp screens that are not built yet. Each keeps its final name, slot and kind, and closes
// on its first update the way the finished screen closes: it frees its slot and opens a fresh
// camp menu. Each goes when its own screen arrives.
#include "menu/camp_menu.h"

namespace {

struct PendingCampScreen {
    uint32_t alive;
    TaskStateFn<PendingCampScreen> state;
};

void CloseAtOnce(PendingCampScreen* screen) {
    screen->alive = 0;
}

void UpdatePendingCampScreen(TaskSlot* slot) {
    RunStateTask<PendingCampScreen, ReturnToCampMenu<PendingCampScreen>>(slot);
}

int OpenPendingCampScreen(int slotIndex, uint32_t kind) {
    TaskSlot* slot = AllocTaskAt(slotIndex);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, kind, 0, UpdatePendingCampScreen, nullptr);
    PendingCampScreen* screen = TaskPayload<PendingCampScreen>(slot);
    screen->alive = 1;
    screen->state = CloseAtOnce;
    return 1;
}

}  // namespace

int OpenMagicMenu() {
    return OpenPendingCampScreen(TASK_SLOT_MAGIC_MENU, TASK_KIND_MAGIC_MENU);
}

int OpenStatusMenu() {
    return OpenPendingCampScreen(TASK_SLOT_STATUS_MENU, TASK_KIND_STATUS_MENU);
}

int OpenCampItemMenu() {
    return OpenPendingCampScreen(TASK_SLOT_ITEM_MENU, TASK_KIND_ITEM_MENU);
}

int OpenPartyOrderMenu() {
    return OpenPendingCampScreen(TASK_SLOT_ORDER_MENU, TASK_KIND_ORDER_MENU);
}
