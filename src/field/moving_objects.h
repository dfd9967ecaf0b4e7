// Moving objects: spheres that run straight across the map at 0.5 a frame, turn or stop where
// the event layer says, throw up a hop particle at every cell and leave a wake of tile 44
// behind. A carrier (kind 0) takes the whole party along and sets it down where it stops.
#pragma once

#include <cstdint>
#include <type_traits>

#include "engine/task_pool.h"
#include "platform/common/math3d.h"

constexpr uint32_t MOVER_KIND_CARRIER = 0;
constexpr float MOVER_HEIGHT = 0.25f;
constexpr float MOVER_SPEED = 0.5f;
constexpr int32_t MOVER_FRAMES_PER_CELL = 4;
constexpr int8_t MOVER_WAKE_TILE = 44;
constexpr int HOP_TABLE_SIZE = 24;

struct MovingObjectPayload {
    uint32_t alive;
    Vec3 position;
    float facing;  // degrees; only 0, 90, 180 and 270 move
    int32_t frameCounter;
    TaskStateFn<MovingObjectPayload> state;
};
static_assert(std::is_trivially_copyable_v<MovingObjectPayload>);

struct HopParticlePayload {
    uint32_t alive;
    Vec3 position;
    int32_t hopIndex;
    TaskStateFn<HopParticlePayload> state;
};

extern const float hopTable[HOP_TABLE_SIZE];

// At (x, MOVER_HEIGHT, z) in the first free dynamic slot; false when none is free.
bool CreateMovingObject(float x, float z, float facing, uint32_t kind);
bool CreateHopParticle(float x, float y, float z);
// All four member tasks, shown or hidden, stand at (x, z) on the ground, idle, the leader
// under the player's control and the others following.
void ReleasePartyAt(float x, float z);

void StepCarrierObject(MovingObjectPayload* object);
void StepMovingObject(MovingObjectPayload* object);
void StepHopParticle(HopParticlePayload* particle);
