// The objects a map's placement script puts on its event cells: NPCs that stand, wander or
// turn and start their event when the leader talks to them, invisible step triggers, examine
// objects, and the auto-run starter.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "field/field_actor.h"

constexpr int32_t NPC_PATTERN_STANDING = 0;
constexpr int32_t NPC_PATTERN_WANDERER = 1;
constexpr int32_t NPC_PATTERN_TURNER = 2;

// Each reads its arguments from the placement text at the cursor. False when no slot is free.
bool CreateMapNpc(float x, float y, float z, uint32_t eventNumber, uint32_t* cursor,
                  const char* text);
bool CreateStepTrigger(float x, float y, float z, uint32_t eventNumber);
bool CreateExamineObject(float x, float y, float z, uint32_t eventNumber, uint32_t* cursor,
                         const char* text);
bool CreateAutoRunEvent(uint32_t eventNumber);
