// The event runner.
#include "event/event_runner.h"

#include <cstring>

#include "engine/task_pool.h"
#include "event/event_commands.h"
#include "event/staff_roll.h"
#include "field/game_state.h"
#include "menu/title_screen.h"

namespace {

constexpr int OPCODE_COUNT = 100;

// Every opcode's handler; null does nothing (27, 55 to 96).
const EventCommandFn opcodeTable[OPCODE_COUNT] = {
    EventCmdSetupParty,            // 0
    EventCmdShowWindow,            // 1
    EventCmdMessage,               // 2
    EventCmdChoice,                // 3
    EventCmdSetFace,               // 4
    EventCmdSetParty,              // 5
    EventCmdPanCamera,             // 6
    EventCmdSetTile,               // 7
    EventCmdPlaySound,             // 8
    EventCmdJoinCharacter,         // 9
    EventCmdSetPartyControl,       // 10
    EventCmdChangeMap,             // 11
    EventCmdInn,                   // 12
    EventCmdShop,                  // 13
    EventCmdSetFlag,               // 14
    EventCmdIfFlagJump,            // 15
    EventCmdStartBattle,           // 16
    EventCmdRemoveObjects,         // 17
    EventCmdWait,                  // 18
    EventCmdGatherParty,           // 19
    EventCmdCreateNpcs,            // 20
    EventCmdSetFacing,             // 21
    EventCmdMoveObjects,           // 22
    EventCmdEnableLeaderUpdate,    // 23
    EventCmdSpawnMovingObjects,    // 24
    EventCmdArrowTrap,             // 25
    EventCmdTreasure,              // 26
    nullptr,                       // 27
    EventCmdFixCamera,             // 28
    EventCmdSetEncounterInterval,  // 29
    EventCmdDeleteTasksOfKind,     // 30
    EventCmdSortParty,             // 31
    EventCmdEncounterSwirl,        // 32
    EventCmdReorderParty,          // 33
    EventCmdPlaceCamera,           // 34
    EventCmdFadeOut,               // 35
    EventCmdClearScreenFade,       // 36
    EventCmdCameraFollow,          // 37
    EventCmdSetScreenTint,         // 38
    EventCmdAddGold,               // 39
    EventCmdLoadMap,               // 40
    EventCmdFadeOut,               // 41
    EventCmdPitFall,               // 42
    EventCmdSpawnEffect,           // 43
    EventCmdRebuildCollision,      // 44
    EventCmdSetVisible,            // 45
    EventCmdSortParty,             // 46
    EventCmdStoreMember,           // 47
    EventCmdPlaceParty,            // 48
    EventCmdRestoreParty,          // 49
    EventCmdShowPartyHeal,         // 50
    EventCmdAmountEntry,           // 51
    EventCmdFetchMember,           // 52
    EventCmdIfObjectMissingJump,   // 53
    EventCmdSetPassability,        // 54
    // 55 to 96 do nothing.
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr,
    EventCmdFadeToEnding,   // 97
    EventCmdReturnToTitle,  // 98
    EventCmdEndEvent,       // 99
};

}  // namespace

int StartEvent(uint32_t eventNumber) {
    if (eventNumber < 1 || eventNumber > EVENT_BLOCK_COUNT) {
        return 0;
    }
    if (IsTaskSlotInUse(TASK_SLOT_BATTLE) || IsTaskSlotInUse(TASK_SLOT_SYSTEM_MENU)) {
        return 0;
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_EVENT_RUNNER);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_EVENT_RUNNER, 0, UpdateEventRunner, DrawEventRunner);
    EventRunnerPayload* runner = TaskPayload<EventRunnerPayload>(slot);
    runner->alive = 1;
    runner->cursor = 0;
    runner->block = eventNumber - 1;
    runner->face = FACE_NONE;
    runner->state = BeginEventScript;
    // The world stands still; the camera, the map view and the runner go on.
    SetTasksActiveExceptTransfer(TASK_ACTIVITY_STOP_UPDATE);
    SetTaskKindActive(TASK_KIND_CAMERA, TASK_ACTIVITY_RESUME);
    SetTaskKindActive(TASK_KIND_EVENT_RUNNER, TASK_ACTIVITY_RESUME);
    SetTaskKindActive(TASK_KIND_MAP_VIEW, TASK_ACTIVITY_RESUME);
    return 1;
}

EventRunnerPayload* CurrentEventRunner() {
    TaskSlot* slot = TaskAt(TASK_SLOT_EVENT_RUNNER);
    if (slot == nullptr || slot->inUse == 0 || slot->kind != TASK_KIND_EVENT_RUNNER) {
        return nullptr;
    }
    return TaskPayload<EventRunnerPayload>(slot);
}

void UpdateEventRunner(TaskSlot* slot) {
    EventRunnerPayload* runner = TaskPayload<EventRunnerPayload>(slot);
    runner->state(runner);
    if (runner->alive == 1) {
        return;
    }
    slot->inUse = 0;
    // A map transfer resumes the world itself when it is done.
    if (!TaskKindExists(TASK_KIND_MAP_TRANSFER)) {
        SetAllTasksActive(TASK_ACTIVITY_RESUME);
    }
    encounterStepsLeft = encounterInterval;
}

void BeginEventScript(EventRunnerPayload* runner) {
    runner->state = NextEventCommand;
}

void NextEventCommand(EventRunnerPayload* runner) {
    RunEventCommand(runner);
}

const char* GetEventText(const EventRunnerPayload* runner) {
    return GetEventBlock(runner->block + 1);
}

void RunEventCommand(EventRunnerPayload* runner) {
    const char* text = GetEventText(runner);
    if (text == nullptr) {
        runner->alive = 0;
        return;
    }
    // Scan for the next "#"; the zero bytes after the block's text lead to its end.
    uint32_t at = runner->cursor;
    for (;;) {
        if (at >= EVENT_BLOCK_LAST) {
            runner->cursor = EVENT_BLOCK_LAST;
            runner->alive = 0;
            return;
        }
        char c = text[at];
        at += 1;
        if (c == '#') {
            break;
        }
    }
    runner->cursor = at;
    uint32_t opcode = ReadEventNumber(&runner->cursor, text);
    if (opcode < OPCODE_COUNT && opcodeTable[opcode] != nullptr) {
        opcodeTable[opcode](runner);
    }
}

void JumpToLabel(EventRunnerPayload* runner, const char* text, const char* label) {
    size_t length = strnlen(label, EVENT_LABEL_BYTES);
    if (length == 0) {
        return;
    }
    for (uint32_t at = runner->cursor; at + length <= EVENT_BLOCK_LAST; ++at) {
        if (std::memcmp(text + at, label, length) == 0) {
            runner->cursor = at + static_cast<uint32_t>(length);
            return;
        }
    }
    // No such label ahead: the event runs off its block's end and stops.
    runner->cursor = EVENT_BLOCK_LAST;
}

uint32_t ReadCommandNumber(EventRunnerPayload* runner) {
    return ReadEventNumber(&runner->cursor, GetEventText(runner));
}

void ReadCommandLabel(EventRunnerPayload* runner, char* label) {
    std::memset(label, 0, EVENT_LABEL_BYTES);
    ReadEventLabel(label, &runner->cursor, GetEventText(runner));
}

void ReadCommandNumberList(EventRunnerPayload* runner, uint32_t* list) {
    std::memset(list, 0, sizeof(uint32_t) * EVENT_LIST_CODES);
    ReadEventNumberList(list, &runner->cursor, GetEventText(runner));
}

void EventCmdFadeToEnding(EventRunnerPayload* runner) {
    runner->fadeAlpha = 0;
    runner->state = UpdateFadeToEnding;
}

void UpdateFadeToEnding(EventRunnerPayload* runner) {
    runner->fadeAlpha += 10;
    if (runner->fadeAlpha >= 256) {
        runner->fadeAlpha = 255;
        KillAllTasks();
        runner->alive = 0;
        CreateStaffRoll();
    }
}

void EventCmdReturnToTitle(EventRunnerPayload* runner) {
    runner->alive = 0;
    KillAllTasks();
    CreateTitleScreen();
}

void EventCmdEndEvent(EventRunnerPayload* runner) {
    runner->alive = 0;
}
