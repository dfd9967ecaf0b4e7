// The task pool and its passes, searches, activity switches and kills.
#include "engine/task_pool.h"

#include <cstring>

#include "engine/memory.h"

TaskSlot* taskPool = nullptr;

namespace {

bool SlotInPool(int slot) {
    return slot >= 0 && slot < TASK_POOL_SIZE;
}

void ApplyActivity(TaskSlot& slot, int mode) {
    switch (mode) {
        case TASK_ACTIVITY_STOP_UPDATE:
            slot.updateOn = 0;
            break;
        case TASK_ACTIVITY_STOP_DRAW:
            slot.drawOn = 0;
            break;
        case TASK_ACTIVITY_STOP_BOTH:
            slot.updateOn = 0;
            slot.drawOn = 0;
            break;
        case TASK_ACTIVITY_RESUME:
            slot.updateOn = 1;
            slot.drawOn = 1;
            break;
        default:
            break;
    }
}

}  // namespace

bool CreateTaskPool() {
    taskPool = static_cast<TaskSlot*>(AllocMemory(sizeof(TaskSlot) * TASK_POOL_SIZE));
    if (taskPool == nullptr) {
        return false;
    }
    ClearTaskPool();
    return true;
}

void ClearTaskPool() {
    if (taskPool != nullptr) {
        ZeroMemoryBlock(taskPool, sizeof(TaskSlot) * TASK_POOL_SIZE);
    }
}

void DestroyTaskPool() {
    FreeMemory(taskPool);
    taskPool = nullptr;
}

void UpdateTasks() {
    if (taskPool == nullptr) {
        return;
    }
    // The header is read afresh at each slot: tasks created above the running one run in
    // this pass, tasks killed before their turn do not.
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        TaskSlot* slot = &taskPool[i];
        if (slot->inUse != 0 && slot->updateOn != 0 && slot->update != nullptr) {
            slot->update(slot);
        }
    }
}

void DrawTasks() {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        TaskSlot* slot = &taskPool[i];
        if (slot->inUse != 0 && slot->drawOn != 0 && slot->draw != nullptr) {
            slot->draw(slot);
        }
    }
}

namespace {

// Hands out a slot zero-filled. A slot is reused by payloads of other types: copying its bytes
// onto themselves begins the life of whichever payload struct the new owner reads there
// (memmove creates such objects implicitly; zero-filling alone does not).
TaskSlot* ClearedSlot(int slot) {
    TaskSlot* taken = &taskPool[slot];
    ZeroMemoryBlock(taken, sizeof(TaskSlot));
    std::memmove(taken->payload, taken->payload, TASK_PAYLOAD_BYTES);
    return taken;
}

}  // namespace

TaskSlot* AllocTaskAt(int slot) {
    if (taskPool == nullptr || !SlotInPool(slot) || taskPool[slot].inUse != 0) {
        return nullptr;
    }
    return ClearedSlot(slot);
}

TaskSlot* AllocTaskInRange(int first, int end) {
    if (taskPool == nullptr) {
        return nullptr;
    }
    if (first < 0) {
        first = 0;
    }
    if (end > TASK_POOL_SIZE) {
        end = TASK_POOL_SIZE;
    }
    for (int i = first; i < end; ++i) {
        if (taskPool[i].inUse == 0) {
            return ClearedSlot(i);
        }
    }
    return nullptr;
}

TaskSlot* ReclaimTaskAt(int slot) {
    if (taskPool == nullptr || !SlotInPool(slot)) {
        return nullptr;
    }
    return ClearedSlot(slot);
}

TaskSlot* TaskAt(int slot) {
    if (taskPool == nullptr || !SlotInPool(slot)) {
        return nullptr;
    }
    return &taskPool[slot];
}

bool IsTaskSlotInUse(int slot) {
    TaskSlot* task = TaskAt(slot);
    return task != nullptr && task->inUse != 0;
}

int TaskSlotIndex(const TaskSlot* slot) {
    if (taskPool == nullptr || slot < taskPool || slot >= taskPool + TASK_POOL_SIZE) {
        return -1;
    }
    return static_cast<int>(slot - taskPool);
}

bool TaskKindExists(uint32_t kind) {
    return FindTaskByKind(kind) != nullptr;
}

TaskSlot* FindTaskByKind(uint32_t kind) {
    if (taskPool == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (taskPool[i].inUse != 0 && taskPool[i].kind == kind) {
            return &taskPool[i];
        }
    }
    return nullptr;
}

void SetTasksActiveExceptTransfer(int mode) {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (taskPool[i].inUse != 0 && taskPool[i].kind != TASK_KIND_MAP_TRANSFER) {
            ApplyActivity(taskPool[i], mode);
        }
    }
}

void SetAllTasksActive(int mode) {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (taskPool[i].inUse != 0) {
            ApplyActivity(taskPool[i], mode);
        }
    }
}

void SetTaskKindActive(uint32_t kind, int mode) {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (taskPool[i].inUse != 0 && taskPool[i].kind == kind) {
            ApplyActivity(taskPool[i], mode);
        }
    }
}

void KillAllTasks() {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        taskPool[i].inUse = 0;
    }
}

void KillTasksOfKind(uint32_t kind) {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (taskPool[i].inUse != 0 && taskPool[i].kind == kind) {
            taskPool[i].inUse = 0;
        }
    }
}

void KillTasksExceptKind(uint32_t kind) {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (taskPool[i].inUse != 0 && taskPool[i].kind != kind) {
            taskPool[i].inUse = 0;
        }
    }
}

void KillTasksWithTag(uint32_t tag) {
    if (taskPool == nullptr) {
        return;
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        if (taskPool[i].inUse != 0 && taskPool[i].tag == tag) {
            taskPool[i].inUse = 0;
        }
    }
}

void StartTask(TaskSlot* slot, uint32_t kind, uint32_t tag, TaskFn update, TaskFn draw) {
    slot->inUse = 1;
    slot->updateOn = 1;
    slot->drawOn = 1;
    slot->kind = kind;
    slot->tag = tag;
    slot->update = update;
    slot->draw = draw;
}
