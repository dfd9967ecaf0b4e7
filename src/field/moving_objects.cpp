// Moving objects and their hop particles.
#include "field/moving_objects.h"

#include <algorithm>
#include <cmath>

#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/map_data.h"
#include "field/party.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

const float hopTable[HOP_TABLE_SIZE] = {
    1.0f, 0.2f,   0.2f,   0.2f,   0.1f,  0.1f,  0.1f,  0.05f, 0.05f, 0.05f, 0.0f,  0.0f,
    0.0f, -0.05f, -0.05f, -0.05f, -0.1f, -0.1f, -0.1f, -0.2f, -0.2f, -0.2f, -1.0f, -1.0f,
};

namespace {

constexpr float HOP_AHEAD = 1.0f;
constexpr float HOP_END_HEIGHT = -1.0f;
constexpr float CELL_SIZE = 2.0f;

bool IsGridFacing(float facing) {
    const long degrees = std::lround(facing);
    return degrees == 0 || degrees == 90 || degrees == 180 || degrees == 270;
}

bool OnMap(float x, float z) {
    int32_t column = 0;
    int32_t row = 0;
    return TryWorldToMapCell(x, z, &column, &row);
}

// Turns the object by its cell's instruction. True when it stops here: the cell says so, or
// it could not go on, since the next cell lies off the map (a path without a stop must not
// write past the layers) or its facing is none of the four (it would never move again, and a
// carrier would hold the party for good).
bool FollowInstruction(MovingObjectPayload* object) {
    switch (GetEventAt(object->position.x, object->position.z)) {
        case MOVER_TURN_90:
            object->facing = 90.0f;
            break;
        case MOVER_TURN_270:
            object->facing = 270.0f;
            break;
        case MOVER_TURN_180:
            object->facing = 180.0f;
            break;
        case MOVER_TURN_0:
            object->facing = 0.0f;
            break;
        case MOVER_STOP:
            return true;
        default:
            break;
    }
    if (!IsGridFacing(object->facing)) {
        return true;
    }
    float x = object->position.x;
    float z = object->position.z;
    OffsetByDirection(&x, &z, object->facing, CELL_SIZE);
    return !OnMap(x, z);
}

void LeaveWake(const MovingObjectPayload* object) {
    int32_t column = 0;
    int32_t row = 0;
    if (TryWorldToMapCell(object->position.x, object->position.z, &column, &row)) {
        const size_t index = static_cast<size_t>(row) * static_cast<size_t>(mapWidth) + column;
        tileLayer[index] = MOVER_WAKE_TILE;
        collisionLayer[index] = COLLISION_WALL;
    }
}

void HopAhead(const MovingObjectPayload* object) {
    float x = 0.0f;
    float z = 0.0f;
    OffsetByAngle(&x, &z, object->position.x, object->position.z, object->facing, HOP_AHEAD);
    CreateHopParticle(x, object->position.y, z);
}

void Advance(MovingObjectPayload* object) {
    OffsetByDirection(&object->position.x, &object->position.z, object->facing, MOVER_SPEED);
    object->frameCounter = (object->frameCounter + 1) % MOVER_FRAMES_PER_CELL;
}

void DrawMovingObject(TaskSlot* slot) {
    DrawPrimitiveMeshAt(&primitiveMeshes[PRIMITIVE_BLUE_SPHERE],
                        TaskPayload<MovingObjectPayload>(slot)->position);
}

void DrawHopParticle(TaskSlot* slot) {
    DrawPrimitiveMeshAt(&primitiveMeshes[PRIMITIVE_BLUE_SPHERE],
                        TaskPayload<HopParticlePayload>(slot)->position);
}

}  // namespace

bool CreateMovingObject(float x, float z, float facing, uint32_t kind) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_MOVING_OBJECT, 0, RunStateTask<MovingObjectPayload>,
              DrawMovingObject);
    MovingObjectPayload* object = TaskPayload<MovingObjectPayload>(slot);
    object->alive = 1;
    object->position = Vec3{x, MOVER_HEIGHT, z};
    object->facing = facing;
    object->frameCounter = 0;
    object->state = kind == MOVER_KIND_CARRIER ? StepCarrierObject : StepMovingObject;
    return true;
}

bool CreateHopParticle(float x, float y, float z) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_HOP_PARTICLE, 0, RunStateTask<HopParticlePayload>, DrawHopParticle);
    HopParticlePayload* particle = TaskPayload<HopParticlePayload>(slot);
    particle->alive = 1;
    particle->position = Vec3{x, y, z};
    particle->hopIndex = 0;
    particle->state = StepHopParticle;
    return true;
}

void ReleasePartyAt(float x, float z) {
    // The hidden members too: one left behind where the ride began would hold up the next
    // liquid crossing, which waits for all four on one cell.
    for (int slot = TASK_SLOT_PARTY_FIRST; slot < TASK_SLOT_PARTY_END; ++slot) {
        PartyMemberPayload* member = PartyMemberAt(slot);
        if (member == nullptr) {
            continue;
        }
        FieldActor& actor = member->actor;
        actor.head.position = Vec3{x, FIELD_ACTOR_HEIGHT, z};
        actor.head.previousPosition = actor.head.position;
        actor.subStepCounter = 0;
        actor.stepFn = slot == TASK_SLOT_PARTY_FIRST ? StepPlayerControl : StepFollowLeader;
    }
}

// The particle and the sound come before the cell is read, so the stop cell gets both but no
// wake.
void StepCarrierObject(MovingObjectPayload* object) {
    if (object->frameCounter == 0) {
        HopAhead(object);
        RequestSound(SOUND_MOVER_STEP, 0);
        if (FollowInstruction(object)) {
            object->alive = 0;
            ReleasePartyAt(object->position.x, object->position.z);
            return;
        }
        LeaveWake(object);
    }
    Advance(object);
    for (int slot = TASK_SLOT_PARTY_FIRST; slot < TASK_SLOT_PARTY_END; ++slot) {
        if (PartyMemberPayload* member = PartyMemberAt(slot)) {
            member->actor.head.position = object->position;
            member->actor.head.previousPosition = object->position;
        }
    }
}

void StepMovingObject(MovingObjectPayload* object) {
    if (object->frameCounter == 0) {
        if (FollowInstruction(object)) {
            object->alive = 0;
            return;
        }
        LeaveWake(object);
        HopAhead(object);
    }
    Advance(object);
}

void StepHopParticle(HopParticlePayload* particle) {
    particle->position.y += hopTable[std::clamp(particle->hopIndex, 0, HOP_TABLE_SIZE - 1)];
    particle->hopIndex = std::min(particle->hopIndex + 1, HOP_TABLE_SIZE - 1);
    if (particle->position.y < HOP_END_HEIGHT) {
        particle->alive = 0;
    }
}

void EventCmdSpawnMovingObjects(EventRunnerPayload* runner) {
    const uint32_t count = ReadCommandNumber(runner);
    const float facing = static_cast<float>(ReadCommandNumber(runner));
    // No more objects than the dynamic slots hold; the runner's scan for the next command
    // passes over any triples left unread.
    const uint32_t objects =
        std::min<uint32_t>(count, TASK_SLOT_DYNAMIC_END - TASK_SLOT_DYNAMIC_FIRST);
    for (uint32_t i = 0; i < objects; ++i) {
        const uint32_t column = ReadCommandNumber(runner);
        const uint32_t row = ReadCommandNumber(runner);
        const uint32_t kind = ReadCommandNumber(runner);
        if (column >= static_cast<uint32_t>(mapWidth) || row >= static_cast<uint32_t>(mapHeight)) {
            continue;
        }
        float x = 0.0f;
        float z = 0.0f;
        CellToWorld(static_cast<int32_t>(column), static_cast<int32_t>(row), &x, &z);
        CreateMovingObject(x, z, facing, kind);
    }
}
