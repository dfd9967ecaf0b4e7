// Random encounters and the swirl transition.
#include "field/random_encounters.h"

#include "battle/battle_controller.h"
#include "engine/sound.h"
#include "event/event_runner.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/party.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float SWIRL_CENTRE_X = 320.0f;
constexpr float SWIRL_CENTRE_Y = 240.0f;
constexpr float SWIRL_START_RADIUS = 640.0f;
constexpr float SWIRL_RADIUS_STEP = 32.0f;
constexpr float SWIRL_SPRITE_SPACING = 90.0f;
constexpr float SWIRL_CORNER_DISTANCE = 452.0f;
constexpr float SWIRL_CORNER_TURN = 10.0f;
constexpr float SWIRL_CORNER_OFFSETS[4] = {45.0f, -45.0f, -135.0f, -225.0f};
// Not a rectangle of the atlas: the second point stays at 1539, short of the band's 1558.
constexpr ScreenPoint SWIRL_TEXELS[4] = {
    {1537.0f, 21.0f}, {1539.0f, 21.0f}, {1558.0f, 53.0f}, {1537.0f, 53.0f}};

void PlaceSwirlSprite(const EncounterSwirlPayload* swirl, SwirlSprite* sprite) {
    OffsetByAngle(&sprite->centreX, &sprite->centreY, swirl->centreX, swirl->centreY, sprite->angle,
                  sprite->radius);
}

// The swirl is over: an encounter hands the hidden, paused world over to its battle.
void EndEncounterSwirl(EncounterSwirlPayload* swirl) {
    if (swirl->mode != SWIRL_MODE_ENCOUNTER) {
        return;
    }
    SetAllTasksActive(TASK_ACTIVITY_STOP_DRAW);
    float x = 0.0f;
    float z = 0.0f;
    GetPlayerPosition(&x, &z);
    if (StartRandomBattle(x, z) == 0) {
        // No battle could start: the world must not stay frozen and hidden.
        SetAllTasksActive(TASK_ACTIVITY_RESUME);
    }
}

}  // namespace

bool CheckRandomEncounter(float x, float z) {
    if (encounterStepsLeft > 0) {
        return false;
    }
    if (GetEventAt(x, z) != 0 || IsTaskSlotInUse(TASK_SLOT_SYSTEM_MENU) ||
        IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER)) {
        return false;
    }
    encounterStepsLeft = encounterInterval;
    SetAllTasksActive(TASK_ACTIVITY_STOP_UPDATE);
    RequestSound(SOUND_ENCOUNTER, 0);
    if (!StartEncounterSwirl(SWIRL_MODE_ENCOUNTER)) {
        SetAllTasksActive(TASK_ACTIVITY_RESUME);
        return false;
    }
    return true;
}

bool StartEncounterSwirl(uint32_t mode) {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_ENCOUNTER_SWIRL);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_ENCOUNTER_SWIRL, 0, UpdateEncounterSwirl, DrawEncounterSwirl);
    EncounterSwirlPayload* swirl = TaskPayload<EncounterSwirlPayload>(slot);
    swirl->alive = 1;
    swirl->mode = mode;
    swirl->centreX = SWIRL_CENTRE_X;
    swirl->centreY = SWIRL_CENTRE_Y;
    for (int i = 0; i < SWIRL_SPRITE_COUNT; ++i) {
        SwirlSprite* sprite = &swirl->sprites[i];
        sprite->angle = SWIRL_SPRITE_SPACING * static_cast<float>(i);
        sprite->radius = SWIRL_START_RADIUS;
        PlaceSwirlSprite(swirl, sprite);
        UpdateSwirlSprite(sprite);
    }
    swirl->state = ShrinkSwirl;
    return true;
}

void UpdateSwirlSprite(SwirlSprite* sprite) {
    for (int k = 0; k < 4; ++k) {
        float a = sprite->angle + 90.0f + SWIRL_CORNER_OFFSETS[k];
        if (a >= 360.0f) {
            a -= 360.0f;
        }
        if (a < 0.0f) {
            a += 360.0f;
        }
        OffsetByAngle(&sprite->corners[k].x, &sprite->corners[k].y, sprite->centreX,
                      sprite->centreY, a, SWIRL_CORNER_DISTANCE);
        // The angle moves on between corners, so one call turns the sprite by 40 degrees.
        sprite->angle += SWIRL_CORNER_TURN;
        if (sprite->angle >= 360.0f) {
            sprite->angle -= 360.0f;
        }
    }
}

void ShrinkSwirl(EncounterSwirlPayload* swirl) {
    for (SwirlSprite& sprite : swirl->sprites) {
        PlaceSwirlSprite(swirl, &sprite);
    }
    for (SwirlSprite& sprite : swirl->sprites) {
        UpdateSwirlSprite(&sprite);
    }
    for (SwirlSprite& sprite : swirl->sprites) {
        sprite.radius -= SWIRL_RADIUS_STEP;
        if (sprite.radius <= SWIRL_RADIUS_STEP) {
            sprite.radius = SWIRL_RADIUS_STEP;
            swirl->alive = 0;
        }
    }
}

void UpdateEncounterSwirl(TaskSlot* slot) {
    RunStateTask<EncounterSwirlPayload, EndEncounterSwirl>(slot);
}

void DrawEncounterSwirl(TaskSlot* slot) {
    const EncounterSwirlPayload* swirl = TaskPayload<EncounterSwirlPayload>(slot);
    for (const SwirlSprite& sprite : swirl->sprites) {
        DrawScreenQuad(sprite.corners, SWIRL_TEXELS, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    }
}

bool GetPlayerPosition(float* x, float* z) {
    for (int i = TASK_SLOT_PARTY_FIRST; i < TASK_SLOT_PARTY_END; ++i) {
        if (const PartyMemberPayload* member = PartyMemberAt(i)) {
            *x = member->actor.head.position.x;
            *z = member->actor.head.position.z;
            return true;
        }
    }
    *x = 0.0f;
    *z = 0.0f;
    return false;
}

void WaitSwirlEnded(EventRunnerPayload* runner) {
    if (!IsTaskSlotInUse(TASK_SLOT_ENCOUNTER_SWIRL)) {
        runner->state = NextEventCommand;
    }
}
