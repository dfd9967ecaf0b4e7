// Map transfer.
#include "field/map_transfer.h"

#include "field/game_start.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_view.h"
#include "field/party.h"
#include "render/camera.h"
#include "render/number_draw.h"

namespace {

void DrawMapTransfer(TaskSlot* slot) {
    DrawFadeOverlay(TaskPayload<MapTransferPayload>(slot)->alpha);
}

}  // namespace

bool StartMapTransfer(int32_t cellX, int32_t cellZ, int32_t facing, int32_t map, bool frozen) {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_MAP_TRANSFER);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_MAP_TRANSFER, 0, RunStateTask<MapTransferPayload>, DrawMapTransfer);
    MapTransferPayload* transfer = TaskPayload<MapTransferPayload>(slot);
    transfer->alive = 1;
    transfer->alpha = 0;
    transfer->frozen = frozen ? 1 : 0;
    transfer->map = map;
    transfer->cellX = cellX;
    transfer->cellZ = cellZ;
    transfer->facing = facing;
    transfer->state = StepFadeOut;
    return true;
}

void StepFadeOut(MapTransferPayload* transfer) {
    transfer->alpha += TRANSFER_FADE_STEP;
    if (transfer->alpha >= 256) {
        transfer->alpha = 255;
        LoadTransferTarget(transfer);
        transfer->state = StepFadeIn;
    }
}

void LoadTransferTarget(MapTransferPayload* transfer) {
    KillTasksExceptKind(TASK_KIND_MAP_TRANSFER);
    if (!LoadMap(transfer->map)) {
        transfer->alive = 0;
        ShowNoDataFile();
        return;
    }
    float x = 0.0f;
    float z = 0.0f;
    CellToWorld(transfer->cellX, transfer->cellZ, &x, &z);
    CreatePartyTasks(partyCount, x, FIELD_ACTOR_HEIGHT, z, static_cast<float>(transfer->facing),
                     transfer->frozen != 0);
    CreateMapView();
    CreateFieldCamera(x, 0.0f, z, 90.0f, 60.0f, PARTY_TAG_FIRST, CameraModeFollow);
    encounterStepsLeft = encounterInterval;
    // The new map is drawn but holds still until the fade-in is over.
    SetTasksActiveExceptTransfer(TASK_ACTIVITY_STOP_UPDATE);
    SetTaskKindActive(TASK_KIND_MAP_TRANSFER, TASK_ACTIVITY_RESUME);
    SetTaskKindActive(TASK_KIND_CAMERA, TASK_ACTIVITY_RESUME);
}

void StepFadeIn(MapTransferPayload* transfer) {
    transfer->alpha -= TRANSFER_FADE_STEP;
    if (transfer->alpha < 0) {
        transfer->alpha = 0;
        transfer->alive = 0;
        SetTasksActiveExceptTransfer(TASK_ACTIVITY_RESUME);
    }
}
