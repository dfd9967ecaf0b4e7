// The event runner: one task in a fixed slot that executes an event's "#" commands one per
// frame while the world stands still, with wait states for the commands that take time.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "event/event_pack.h"

constexpr int MESSAGE_LINES = 3;
constexpr uint32_t FACE_NONE = 100;
constexpr int MOVE_SLOTS = 20;

struct EventRunnerPayload {
    uint32_t alive;
    uint32_t cursor;  // where the next scan for "#" starts in the block
    uint32_t block;   // event number - 1
    int32_t waitFrames;
    TaskStateFn<EventRunnerPayload> state;
    uint32_t tintOn;
    uint32_t windowOn;
    uint32_t face;
    uint32_t lineCount;
    uint32_t sourceGlyphs[MESSAGE_LINES][EVENT_LIST_CODES];
    uint32_t revealPos;
    uint32_t revealLine;
    uint32_t shownGlyphs[MESSAGE_LINES][EVENT_LIST_CODES];
    uint32_t choice;
    char labels[2][EVENT_LABEL_BYTES];
    int32_t fadeAlpha;
    uint32_t panDirection;
    int32_t panFrames;
    uint32_t moveCount;
    uint32_t moveTags[MOVE_SLOTS];
    uint32_t moveDirections[MOVE_SLOTS];
    int32_t moveFrames[MOVE_SLOTS];
};
static_assert(sizeof(EventRunnerPayload) <= TASK_PAYLOAD_BYTES);

using EventStateFn = TaskStateFn<EventRunnerPayload>;
// A command handler: reads its arguments at the runner's cursor and does its work.
using EventCommandFn = void (*)(EventRunnerPayload* runner);

// Starts event n (1..20): 1 when the runner was created, 0 when refused.
int StartEvent(uint32_t eventNumber);
void UpdateEventRunner(TaskSlot* slot);
// The runner's draw function (the message window and the overlays).
void DrawEventRunner(TaskSlot* slot);
// The running event's runner, or null.
EventRunnerPayload* CurrentEventRunner();

void BeginEventScript(EventRunnerPayload* runner);
// The fetch state every wait state returns to.
void NextEventCommand(EventRunnerPayload* runner);
// Executes exactly one command.
void RunEventCommand(EventRunnerPayload* runner);
// The block text the runner executes.
const char* GetEventText(const EventRunnerPayload* runner);
// Moves the cursor just past the next occurrence of the label (forward only); when the label
// does not occur, the cursor goes to the block's end, which ends the event.
void JumpToLabel(EventRunnerPayload* runner, const char* text, const char* label);

// Argument readers at the runner's cursor.
uint32_t ReadCommandNumber(EventRunnerPayload* runner);
void ReadCommandLabel(EventRunnerPayload* runner, char* label);
void ReadCommandNumberList(EventRunnerPayload* runner, uint32_t* list);
