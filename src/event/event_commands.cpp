// The event commands that act on the world: the screen cover, flags and conditional jumps,
// sounds, waits, the camera, map cells, objects found by tag, map changes, money and the
// event's own effects. The party's records and movement are in event_commands_party.cpp.
#include "event/event_commands.h"

#include <algorithm>

#include "battle/skill_effects.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "field/field_actor.h"
#include "field/game_start.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_objects.h"
#include "field/map_transfer.h"
#include "field/map_view.h"
#include "field/party.h"
#include "field/random_encounters.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"
#include "render/world_popups.h"

namespace {

constexpr float PAN_STEP = 0.5f;
constexpr int32_t OBJECT_STEPS_PER_CELL = 8;
constexpr int32_t EVENT_EFFECT_FRAMES = 30;
constexpr int32_t HEAL_RING_FRAMES = 90;
constexpr float HEAL_RING_RISE = 1.0f;
constexpr float HEAL_NUMBER = 999.0f;
constexpr int HEAL_NUMBER_STYLE = 1;
constexpr int8_t TILE_FIRST_WALL = 15;

// A cell off the loaded map is left alone by every command: writing it would land outside
// the layers or on another row, and an object put there would mark cells outside them.
bool IsOnMap(uint32_t column, uint32_t row) {
    return column < static_cast<uint32_t>(mapWidth) && row < static_cast<uint32_t>(mapHeight);
}

bool CellCentre(uint32_t column, uint32_t row, float* x, float* z) {
    if (!IsOnMap(column, row)) {
        return false;
    }
    CellToWorld(static_cast<int32_t>(column), static_cast<int32_t>(row), x, z);
    return true;
}

size_t CellIndex(uint32_t column, uint32_t row) {
    return static_cast<size_t>(row) * static_cast<size_t>(mapWidth) + column;
}

TaskSlot* FirstTaskWithTag(uint32_t tag) {
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        TaskSlot* slot = TaskAt(i);
        if (slot != nullptr && slot->inUse != 0 && slot->tag == tag) {
            return slot;
        }
    }
    return nullptr;
}

// The field camera, when one runs.
CameraPayload* FieldCamera() {
    TaskSlot* slot = TaskAt(TASK_SLOT_CAMERA);
    if (slot == nullptr || slot->inUse == 0 || slot->kind != TASK_KIND_CAMERA) {
        return nullptr;
    }
    CameraPayload* camera = TaskPayload<CameraPayload>(slot);
    return camera->alive != 0 ? camera : nullptr;
}

bool AtBlockEnd(const EventRunnerPayload* runner) {
    return runner->cursor >= EVENT_BLOCK_LAST;
}

}  // namespace

// Cover and flags.

void EventCmdSetScreenTint(EventRunnerPayload* runner) {
    runner->tintOn = ReadCommandNumber(runner) == 1 ? 1 : 0;
}

void EventCmdSetFlag(EventRunnerPayload* runner) {
    SetEventFlag(ReadCommandNumber(runner));
}

void EventCmdIfFlagJump(EventRunnerPayload* runner) {
    const uint32_t flag = ReadCommandNumber(runner);
    char label[EVENT_LABEL_BYTES];
    ReadCommandLabel(runner, label);
    if (IsEventFlagSet(flag)) {
        JumpToLabel(runner, GetEventText(runner), label);
    }
}

void EventCmdIfObjectMissingJump(EventRunnerPayload* runner) {
    const uint32_t tag = ReadCommandNumber(runner);
    char label[EVENT_LABEL_BYTES];
    ReadCommandLabel(runner, label);
    if (FirstTaskWithTag(tag) == nullptr) {
        JumpToLabel(runner, GetEventText(runner), label);
    }
}

void EventCmdPlaySound(EventRunnerPayload* runner) {
    const uint32_t sound = ReadCommandNumber(runner);
    if (sound < static_cast<uint32_t>(SOUND_COUNT)) {
        RequestSound(static_cast<int>(sound), 0);
    }
}

// Waiting.

void EventCmdWait(EventRunnerPayload* runner) {
    const uint32_t frames = ReadCommandNumber(runner);
    runner->waitFrames = static_cast<int32_t>(frames);
    runner->state = UpdateWait;
}

void UpdateWait(EventRunnerPayload* runner) {
    runner->waitFrames -= 1;
    if (runner->waitFrames <= 0) {
        runner->waitFrames = 0;
        runner->state = NextEventCommand;
    }
}

// The encounter swirl without its battle.

void EventCmdEncounterSwirl(EventRunnerPayload* runner) {
    StartEncounterSwirl(SWIRL_MODE_EVENT);
    runner->state = WaitSwirlEnded;
}

// Camera.

void EventCmdPanCamera(EventRunnerPayload* runner) {
    runner->panDirection = ReadCommandNumber(runner);
    runner->panFrames = static_cast<int32_t>(ReadCommandNumber(runner));
    runner->state = UpdatePanCamera;
}

void UpdatePanCamera(EventRunnerPayload* runner) {
    // Without a camera the frames still run out, or the event would never end.
    runner->panFrames -= 1;
    if (CameraPayload* camera = FieldCamera()) {
        switch (runner->panDirection) {
            case 0:
                camera->targetX += PAN_STEP;
                break;
            case 90:
                camera->targetZ += PAN_STEP;
                break;
            case 180:
                camera->targetX -= PAN_STEP;
                break;
            case 270:
                camera->targetZ -= PAN_STEP;
                break;
            default:
                break;
        }
    }
    if (runner->panFrames <= 0) {
        runner->state = NextEventCommand;
    }
}

void EventCmdFixCamera(EventRunnerPayload*) {
    if (CameraPayload* camera = FieldCamera()) {
        camera->mode = CameraModeFixed;
    }
}

void EventCmdCameraFollow(EventRunnerPayload* runner) {
    const uint32_t tag = ReadCommandNumber(runner);
    if (CameraPayload* camera = FieldCamera()) {
        camera->followTag = tag;
        camera->mode = CameraModeFollow;
    }
}

void EventCmdPlaceCamera(EventRunnerPayload* runner) {
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    const uint32_t followTag = ReadCommandNumber(runner);
    const uint32_t modeFlag = ReadCommandNumber(runner);
    float x = 0.0f;
    float z = 0.0f;
    CellToWorld(static_cast<int32_t>(column), static_cast<int32_t>(row), &x, &z);
    CreateFieldCamera(x, 0.0f, z, 270.0f, 60.0f, followTag,
                      modeFlag == 0 ? CameraModeFollow : CameraModeFixed);
    // A scene may set up its own camera on a map whose view already runs.
    CreateMapView();
}

// Map cells.

void EventCmdSetTile(EventRunnerPayload* runner) {
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    const uint32_t value = ReadCommandNumber(runner);
    if (!IsOnMap(column, row)) {
        return;
    }
    // Unlike a rebuilt layer, every tile from 15 up is a wall here, liquid included.
    const int8_t tile = static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF));
    tileLayer[CellIndex(column, row)] = tile;
    collisionLayer[CellIndex(column, row)] =
        tile >= TILE_FIRST_WALL ? COLLISION_WALL : COLLISION_FREE;
}

void EventCmdSetPassability(EventRunnerPayload* runner) {
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    const uint32_t value = ReadCommandNumber(runner);
    if (!IsOnMap(column, row)) {
        return;
    }
    int8_t collision = COLLISION_BLOCKED;
    if (value == 0) {
        collision = COLLISION_FREE;
    } else if (value == 1) {
        collision = COLLISION_WALL;
    }
    collisionLayer[CellIndex(column, row)] = collision;
}

void EventCmdRebuildCollision(EventRunnerPayload*) {
    BuildCollisionLayer();
}

// Objects by tag.

bool ApplyStep(Vec3* position, float* facing, uint32_t direction) {
    switch (direction) {
        case 0:
            position->x += STEP_LENGTH;
            break;
        case 90:
            position->z += STEP_LENGTH;
            break;
        case 180:
            position->x -= STEP_LENGTH;
            break;
        case 270:
            position->z -= STEP_LENGTH;
            break;
        default:
            return false;
    }
    if (facing != nullptr) {
        *facing = static_cast<float>(direction);
    }
    return true;
}

void StepObject(uint32_t tag, uint32_t direction, int32_t stepsLeft) {
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        TaskSlot* slot = TaskAt(i);
        if (slot == nullptr || slot->inUse == 0 || slot->tag != tag) {
            continue;
        }
        FieldActorHead* head = ActorHead(slot);
        if (head == nullptr) {
            continue;
        }
        if (stepsLeft % OBJECT_STEPS_PER_CELL == 0) {
            RoundPositionXZ(&head->position.x, &head->position.z);
        }
        FieldActor* actor = WalkingActor(slot);
        // A trigger or examine object has no facing; only its position moves.
        ApplyStep(&head->position, actor != nullptr ? &actor->facing : nullptr, direction);
        if (actor != nullptr) {
            head->previousPosition = head->position;
        }
    }
}

void SetObjectFacing(uint32_t tag, uint32_t facing) {
    if (facing != 0 && facing != 90 && facing != 180 && facing != 270) {
        return;
    }
    for (int i = 0; i < TASK_SLOT_DYNAMIC_END; ++i) {
        TaskSlot* slot = TaskAt(i);
        if (slot == nullptr || slot->inUse == 0 || slot->tag != tag) {
            continue;
        }
        if (FieldActor* actor = WalkingActor(slot)) {
            actor->facing = static_cast<float>(facing);
        }
    }
}

void SetObjectVisible(bool on, uint32_t tag) {
    if (TaskSlot* slot = FirstTaskWithTag(tag)) {
        slot->drawOn = on ? 1 : 0;
    }
}

void FreeObjectCell(const TaskSlot* slot) {
    // A step trigger never marks its cell, so it has none to free.
    const FieldActorHead* head = slot->kind != TASK_KIND_STEP_TRIGGER ? ActorHead(slot) : nullptr;
    if (head != nullptr) {
        SetCollisionCell(head->position.x, head->position.z, COLLISION_FREE);
    }
}

bool CreateEventNpc(float x, float y, float z, int32_t facing, uint32_t tag, int32_t model,
                    int32_t pattern) {
    return CreateNpc(x, y, z, tag, model, facing, pattern);
}

void EventCmdCreateNpcs(EventRunnerPayload* runner) {
    struct Entry {
        uint32_t tag, column, row, facing, model, pattern;
    };
    Entry entries[MOVE_SLOTS];
    const uint32_t count = ReadCommandNumber(runner);
    // Every entry is read so the script goes on after the command; only the first 20 are used.
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count && !AtBlockEnd(runner); ++i) {
        Entry e{};
        e.tag = ReadCommandNumber(runner);
        e.column = ReadCommandNumber(runner);
        e.row = ReadCommandNumber(runner);
        e.facing = ReadCommandNumber(runner);
        e.model = ReadCommandNumber(runner);
        e.pattern = ReadCommandNumber(runner);
        if (kept < static_cast<uint32_t>(MOVE_SLOTS)) {
            entries[kept++] = e;
        }
    }
    for (uint32_t i = 0; i < kept; ++i) {
        const Entry& e = entries[i];
        float x = 0.0f;
        float z = 0.0f;
        if (CellCentre(e.column, e.row, &x, &z)) {
            CreateEventNpc(x, FIELD_ACTOR_HEIGHT, z, static_cast<int32_t>(e.facing), e.tag,
                           static_cast<int32_t>(e.model), static_cast<int32_t>(e.pattern));
        }
    }
}

void EventCmdSetFacing(EventRunnerPayload* runner) {
    const uint32_t count = ReadCommandNumber(runner);
    if (count > static_cast<uint32_t>(MOVE_SLOTS)) {
        return;
    }
    uint32_t tags[MOVE_SLOTS];
    uint32_t facings[MOVE_SLOTS];
    for (uint32_t i = 0; i < count; ++i) {
        tags[i] = ReadCommandNumber(runner);
        facings[i] = ReadCommandNumber(runner);
    }
    for (uint32_t i = 0; i < count; ++i) {
        SetObjectFacing(tags[i], facings[i]);
    }
}

void EventCmdMoveObjects(EventRunnerPayload* runner) {
    const uint32_t count = ReadCommandNumber(runner);
    // Every entry is read so the script goes on after the command; the runner holds 20.
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count && !AtBlockEnd(runner); ++i) {
        const uint32_t tag = ReadCommandNumber(runner);
        const uint32_t direction = ReadCommandNumber(runner);
        const uint32_t steps = ReadCommandNumber(runner);
        if (kept < static_cast<uint32_t>(MOVE_SLOTS)) {
            runner->moveTags[kept] = tag;
            runner->moveDirections[kept] = direction;
            runner->moveFrames[kept] = static_cast<int32_t>(steps);
            kept += 1;
        }
    }
    runner->moveCount = kept;
    runner->state = UpdateMoveObjects;
    UpdateMoveObjects(runner);
}

void UpdateMoveObjects(EventRunnerPayload* runner) {
    const uint32_t count = std::min<uint32_t>(runner->moveCount, MOVE_SLOTS);
    bool moving = false;
    for (uint32_t i = 0; i < count; ++i) {
        if (runner->moveFrames[i] > 0) {
            StepObject(runner->moveTags[i], runner->moveDirections[i], runner->moveFrames[i]);
            runner->moveFrames[i] -= 1;
        }
        moving = moving || runner->moveFrames[i] >= 1;
    }
    if (!moving) {
        runner->state = NextEventCommand;
    }
}

void EventCmdRemoveObjects(EventRunnerPayload* runner) {
    const uint32_t count = ReadCommandNumber(runner);
    if (count > static_cast<uint32_t>(MOVE_SLOTS)) {
        return;
    }
    uint32_t tags[MOVE_SLOTS];
    for (uint32_t i = 0; i < count; ++i) {
        tags[i] = ReadCommandNumber(runner);
    }
    for (uint32_t i = 0; i < count; ++i) {
        TaskSlot* slot = FirstTaskWithTag(tags[i]);
        // Tag 0 reaches untagged tasks; the runner freeing itself would leave the world paused.
        if (slot != nullptr && slot->kind != TASK_KIND_EVENT_RUNNER) {
            slot->inUse = 0;
            FreeObjectCell(slot);
        }
    }
}

void EventCmdSetVisible(EventRunnerPayload* runner) {
    const uint32_t count = ReadCommandNumber(runner);
    const uint32_t on = ReadCommandNumber(runner);
    if (count > static_cast<uint32_t>(MOVE_SLOTS)) {
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        SetObjectVisible(on != 0, ReadCommandNumber(runner));
    }
}

void EventCmdDeleteTasksOfKind(EventRunnerPayload* runner) {
    const uint32_t kind = ReadCommandNumber(runner);
    // Freeing the runner from inside its own command would leave the world paused for good.
    if (kind != TASK_KIND_EVENT_RUNNER) {
        KillTasksOfKind(kind);
    }
}

// Map change.

void EventCmdChangeMap(EventRunnerPayload* runner) {
    const uint32_t map = ReadCommandNumber(runner);
    const uint32_t frozen = ReadCommandNumber(runner);
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    const uint32_t facing = ReadCommandNumber(runner);
    currentMap = static_cast<int32_t>(map);
    StopAllSoundEffects();
    StartMapTransfer(static_cast<int32_t>(column), static_cast<int32_t>(row),
                     static_cast<int32_t>(facing), static_cast<int32_t>(map), frozen != 0);
    // The transfer resumes the world when it is done.
    runner->alive = 0;
}

void EventCmdLoadMap(EventRunnerPayload* runner) {
    const uint32_t map = ReadCommandNumber(runner);
    // The runner's slot goes too; its payload stays alive, so its update resumes nothing.
    KillAllTasks();
    currentMap = static_cast<int32_t>(map);
    if (!LoadMap(static_cast<int32_t>(map))) {
        ShowNoDataFile();
    }
}

// Money.

void EventCmdAddGold(EventRunnerPayload* runner) {
    AddMoney(static_cast<int32_t>(ReadCommandNumber(runner)));
}

// Effects.

bool CreateEventEffect(float x, float y, float z) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return false;
    }
    // A projectile's burst after a hit, with nothing to hit: it lingers and goes.
    StartTask(slot, TASK_KIND_EFFECT, 0, UpdateProjectileTask, DrawProjectile);
    SkillProjectile* effect = TaskPayload<SkillProjectile>(slot);
    effect->active = 1;
    effect->position = Vec3{x, y, z};
    effect->orbitCentre = effect->position;
    effect->holdFrames = EVENT_EFFECT_FRAMES;
    effect->meshIndex = PRIMITIVE_RED_SPHERE;
    effect->skillId = -1;
    effect->stateFn = ProjectileLingerState;
    return true;
}

void EventCmdSpawnEffect(EventRunnerPayload* runner) {
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    float x = 0.0f;
    float z = 0.0f;
    if (CellCentre(column, row, &x, &z)) {
        CreateEventEffect(x, 0.0f, z);
    }
}

void EventCmdShowPartyHeal(EventRunnerPayload* runner) {
    Vec3 positions[PARTY_MAX];
    int found = 0;
    for (int i = 0; i < TASK_POOL_SIZE && found < PARTY_MAX; ++i) {
        const TaskSlot* slot = TaskAt(i);
        if (slot != nullptr && slot->inUse != 0 && slot->kind == TASK_KIND_PARTY_MEMBER) {
            positions[found++] = ActorHead(slot)->position;
        }
    }
    // Only the members that have a task on the map can be shown.
    const int shown = std::clamp(partyCount, 0, found);
    for (int i = 0; i < shown; ++i) {
        const Vec3& p = positions[i];
        CreateRingEffect(p.x, p.y + HEAL_RING_RISE, p.z, PRIMITIVE_TORUS, HEAL_RING_FRAMES);
        SpawnDamageNumber(p, HEAL_NUMBER, HEAL_NUMBER_STYLE);
    }
    runner->state = WaitEffects;
}

void WaitEffects(EventRunnerPayload* runner) {
    // Only effects that run count: one from before the event stands paused until it ends.
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        const TaskSlot* slot = TaskAt(i);
        if (slot != nullptr && slot->inUse != 0 && slot->kind == TASK_KIND_EFFECT &&
            slot->updateOn != 0) {
            return;
        }
    }
    runner->state = NextEventCommand;
}
