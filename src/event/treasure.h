// Treasure chests: an event gives gold or one item, a popup says so until the player confirms,
// and the chest goes for good (its cell freed, its flag set). With no room for the item the
// popup says that instead and the chest stays.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "event/event_runner.h"

constexpr uint32_t TREASURE_KIND_GOLD = 0;
constexpr uint32_t TREASURE_KIND_ITEM = 1;

struct TreasurePayload {
    uint32_t alive;
    uint32_t kind;
    uint32_t gold;
    uint32_t itemId;
    uint32_t cellX;
    uint32_t cellZ;
    uint32_t chestTag;
    uint32_t flag;
    TaskStateFn<TreasurePayload> state;
};

// Whether n more of the item fit: into the free room of the stacks holding it, or else into an
// empty slot (as one new stack).
bool HasRoomForItem(int32_t itemId, int32_t n);
// One more of the item: on its first stack below 99, else in the first empty slot, else nowhere.
void AddTreasureItem(int32_t itemId);
// The width of n drawn with the medium digits, without the gaps between them.
float MeasureNumberWidth(int32_t n);

// The runner's wait for the popup's slot to be free.
void WaitTreasurePopup(EventRunnerPayload* runner);

void StartTreasurePopup(TreasurePayload* treasure);
void WaitTreasureGoldKey(TreasurePayload* treasure);
void WaitTreasureItemKey(TreasurePayload* treasure);
void WaitNoRoomKey(TreasurePayload* treasure);
void DrawTreasurePopup(TaskSlot* slot);
