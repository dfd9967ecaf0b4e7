// The arrow trap of event command 25: a shot that waits a moment on its cell, then flies
// along a grid direction until it strikes the first party member within reach, who loses 10
// hit points (never below 1). The event waits until the shot is gone.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "event/event_runner.h"
#include "platform/common/math3d.h"

constexpr float TRAP_ARROW_HEIGHT = 2.0f;
constexpr float TRAP_ARROW_SPEED = 2.0f;
constexpr float TRAP_ARROW_REACH = 2.0f;
constexpr int32_t TRAP_ARROW_DELAY = 20;
constexpr int32_t TRAP_ARROW_FLASH_FRAMES = 50;
constexpr int32_t TRAP_ARROW_DAMAGE = 10;

struct TrapArrowPayload {
    uint32_t alive;
    Vec3 position;
    int32_t direction;  // 0, 90, 180 or 270; a shot with another does not move
    int32_t counter;
    uint32_t meshRow;  // the primitive drawn: the shot, then the hit flash
    TaskStateFn<TrapArrowPayload> state;
};

// A shot at the cell's centre; false when the cell is off the map or no slot is free.
bool CreateTrapArrow(int32_t column, int32_t row, int32_t direction);
void WaitTrapArrow(TrapArrowPayload* arrow);
void FlyTrapArrow(TrapArrowPayload* arrow);
void EndTrapArrow(TrapArrowPayload* arrow);
// The runner goes on once no shot is left.
void WaitTrapArrowDone(EventRunnerPayload* runner);
