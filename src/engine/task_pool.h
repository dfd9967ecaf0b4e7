// The task pool: 500 slots, each holding one screen, menu, actor, battle unit, effect or
// overlay. Slot order is both the update order and the drawing layer (499 is drawn on top).
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

constexpr int TASK_POOL_SIZE = 500;
constexpr size_t TASK_PAYLOAD_BYTES = 2048;
constexpr size_t TASK_PAYLOAD_ALIGN = 16;

struct TaskSlot;
using TaskFn = void (*)(TaskSlot* slot);

struct TaskSlot {
    uint32_t inUse;  // the only field that decides whether the slot is free
    uint32_t updateOn;
    uint32_t drawOn;
    uint32_t kind;
    uint32_t tag;
    TaskFn update;
    TaskFn draw;
    // Laid out by the owning task as a typed payload struct; word 0 is its alive flag.
    alignas(TASK_PAYLOAD_ALIGN) unsigned char payload[TASK_PAYLOAD_BYTES];
};

// Activity modes.
constexpr int TASK_ACTIVITY_STOP_UPDATE = 1;
constexpr int TASK_ACTIVITY_STOP_DRAW = 2;
constexpr int TASK_ACTIVITY_STOP_BOTH = 3;
constexpr int TASK_ACTIVITY_RESUME = 4;

// Task kinds.
constexpr uint32_t TASK_KIND_CAMERA = 1000;
constexpr uint32_t TASK_KIND_MAP_VIEW = 1010;
constexpr uint32_t TASK_KIND_PARTY_MEMBER = 1020;
constexpr uint32_t TASK_KIND_BATTLE_FIELD = 1030;
constexpr uint32_t TASK_KIND_BATTLE = 1040;
constexpr uint32_t TASK_KIND_BATTLE_UNIT = 1050;
constexpr uint32_t TASK_KIND_EFFECT = 1070;
constexpr uint32_t TASK_KIND_NPC = 1080;
constexpr uint32_t TASK_KIND_STEP_TRIGGER = 1090;
constexpr uint32_t TASK_KIND_EXAMINE_OBJECT = 1100;
constexpr uint32_t TASK_KIND_SHOP = 1110;
constexpr uint32_t TASK_KIND_INN = 1120;
constexpr uint32_t TASK_KIND_MOVING_OBJECT = 1180;
constexpr uint32_t TASK_KIND_HOP_PARTICLE = 1190;
constexpr uint32_t TASK_KIND_MAP_TRANSFER = 1200;
constexpr uint32_t TASK_KIND_TRAP_ARROW = 1210;
constexpr uint32_t TASK_KIND_PULSE_OVERLAY = 1220;
constexpr uint32_t TASK_KIND_COUNTDOWN = 1230;
constexpr uint32_t TASK_KIND_AMOUNT_ENTRY = 1240;
constexpr uint32_t TASK_KIND_WORLD_POPUP = 5000;
constexpr uint32_t TASK_KIND_DAMAGE_DIGIT = 5010;
constexpr uint32_t TASK_KIND_SYSTEM_MENU = 5020;
constexpr uint32_t TASK_KIND_SAVE_LOAD = 5030;
constexpr uint32_t TASK_KIND_GALLERY = 5050;
constexpr uint32_t TASK_KIND_PICTURE = 5060;
constexpr uint32_t TASK_KIND_TITLE = 8000;
constexpr uint32_t TASK_KIND_OPTIONS = 8010;
constexpr uint32_t TASK_KIND_YES_NO = 8020;
constexpr uint32_t TASK_KIND_CAMP_MENU = 8030;
constexpr uint32_t TASK_KIND_MAGIC_MENU = 8040;
constexpr uint32_t TASK_KIND_STATUS_MENU = 8050;
constexpr uint32_t TASK_KIND_ORDER_MENU = 8060;
constexpr uint32_t TASK_KIND_ITEM_MENU = 8070;
constexpr uint32_t TASK_KIND_STAFF_ROLL = 8080;
constexpr uint32_t TASK_KIND_EVENT_RUNNER = 8100;
constexpr uint32_t TASK_KIND_AUTO_RUN_EVENT = 8110;
constexpr uint32_t TASK_KIND_ENCOUNTER_SWIRL = 8120;
constexpr uint32_t TASK_KIND_TREASURE = 8130;
constexpr uint32_t TASK_KIND_START_MENU = 8140;
constexpr uint32_t TASK_KIND_WALK_MARKER = 8150;
constexpr uint32_t TASK_KIND_SCREEN_FADE = 9000;

// Fixed slots and slot ranges [first, end).
constexpr int TASK_SLOT_PARTY_FIRST = 0;
constexpr int TASK_SLOT_PARTY_END = 4;
constexpr int TASK_SLOT_MAP_VIEW = 5;
constexpr int TASK_SLOT_BATTLE_FIELD = 6;
constexpr int TASK_SLOT_WALK_MARKER = 7;
constexpr int TASK_SLOT_DYNAMIC_FIRST = 10;
constexpr int TASK_SLOT_DYNAMIC_END = 100;
constexpr int TASK_SLOT_CAMERA = 249;
constexpr int TASK_SLOT_PULSE_OVERLAY = 299;
constexpr int TASK_SLOT_COUNTDOWN = 300;
constexpr int TASK_SLOT_TITLE = 301;
constexpr int TASK_SLOT_OPTIONS = 302;
constexpr int TASK_SLOT_YES_NO = 304;
constexpr int TASK_SLOT_CAMP_MENU = 305;
constexpr int TASK_SLOT_MAGIC_MENU = 306;
constexpr int TASK_SLOT_STATUS_MENU = 307;
constexpr int TASK_SLOT_ORDER_MENU = 308;
constexpr int TASK_SLOT_ITEM_MENU = 309;
constexpr int TASK_SLOT_MAP_TRANSFER = 310;
constexpr int TASK_SLOT_EVENT_RUNNER = 311;
constexpr int TASK_SLOT_AUTO_RUN_EVENT = 312;
constexpr int TASK_SLOT_SHOP = 314;
constexpr int TASK_SLOT_INN = 315;
constexpr int TASK_SLOT_TREASURE = 316;
constexpr int TASK_SLOT_AMOUNT_ENTRY = 381;
constexpr int TASK_SLOT_START_MENU = 382;
constexpr int TASK_SLOT_BATTLE = 383;
constexpr int TASK_SLOT_SYSTEM_MENU = 384;
constexpr int TASK_SLOT_SAVE_LOAD = 385;
constexpr int TASK_SLOT_GALLERY = 387;
constexpr int TASK_SLOT_PICTURE = 388;
constexpr int TASK_SLOT_ENCOUNTER_SWIRL = 389;
constexpr int TASK_SLOT_STAFF_ROLL = 390;
constexpr int TASK_SLOT_POPUP_FIRST = 430;
constexpr int TASK_SLOT_POPUP_END = 460;
constexpr int TASK_SLOT_DIGIT_FIRST = 461;
constexpr int TASK_SLOT_DIGIT_END = 490;
constexpr int TASK_SLOT_SCREEN_FADE = 499;

extern TaskSlot* taskPool;

bool CreateTaskPool();
void ClearTaskPool();
void DestroyTaskPool();

void UpdateTasks();
void DrawTasks();

// A zero-filled slot, or null when the slot is taken or lies outside the pool. The slot stays
// free until its creator sets inUse.
TaskSlot* AllocTaskAt(int slot);
// The lowest free slot of [first, end), zero-filled; null when the range is full.
TaskSlot* AllocTaskInRange(int first, int end);
// Zero-fills a slot whether or not it is in use (a countdown overwrites the previous one).
TaskSlot* ReclaimTaskAt(int slot);

// The slot itself (null outside the pool), and whether a live task holds it.
TaskSlot* TaskAt(int slot);
bool IsTaskSlotInUse(int slot);
int TaskSlotIndex(const TaskSlot* slot);

bool TaskKindExists(uint32_t kind);
TaskSlot* FindTaskByKind(uint32_t kind);

void SetTasksActiveExceptTransfer(int mode);
void SetAllTasksActive(int mode);
void SetTaskKindActive(uint32_t kind, int mode);

void KillAllTasks();
void KillTasksOfKind(uint32_t kind);
void KillTasksExceptKind(uint32_t kind);
void KillTasksWithTag(uint32_t tag);

// Marks an allocated slot as a live task with both passes on.
void StartTask(TaskSlot* slot, uint32_t kind, uint32_t tag, TaskFn update, TaskFn draw);

// The slot's payload as the owner's struct. The struct's first field is its alive word.
template <typename P>
P* TaskPayload(TaskSlot* slot) {
    static_assert(sizeof(P) <= TASK_PAYLOAD_BYTES, "payload larger than a task slot");
    static_assert(alignof(P) <= TASK_PAYLOAD_ALIGN, "payload needs stronger alignment");
    static_assert(std::is_trivially_copyable_v<P>, "payloads are zero-filled and copied");
    return std::launder(reinterpret_cast<P*>(slot->payload));
}

template <typename P>
const P* TaskPayload(const TaskSlot* slot) {
    return TaskPayload<P>(const_cast<TaskSlot*>(slot));
}

// A state function of a StateTask: runs once per frame with the task's payload.
template <typename P>
using TaskStateFn = void (*)(P* payload);

// The end action of a kind that has none.
template <typename P>
void NoEndAction(P*) {}

// The update stub of a StateTask. P has `alive` as its first field and its current state
// function in `state`. When a state writes 0 to alive, the slot is freed at once and then the
// kind's end action, if it has one, runs.
template <typename P, void (*EndAction)(P*) = NoEndAction<P>>
void RunStateTask(TaskSlot* slot) {
    static_assert(offsetof(P, alive) == 0, "the alive word must be the payload's first word");
    P* payload = TaskPayload<P>(slot);
    if (payload->state != nullptr) {
        payload->state(payload);
    }
    if (payload->alive == 0) {
        slot->inUse = 0;
        EndAction(payload);
    }
}
