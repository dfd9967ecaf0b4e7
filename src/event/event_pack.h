// "epack.dat": the event text of every map, stored byte-inverted, cut at load time into the
// current map's numbered event blocks; the three readers every command uses; the placement
// script that puts each event's object on its cell; and the event flags of game progress.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int EVENT_FLAG_COUNT = 100;
constexpr int EVENT_BLOCK_COUNT = 20;
constexpr size_t EVENT_BLOCK_SIZE = 22000;
constexpr size_t EVENT_BLOCK_STORE_BYTES = EVENT_BLOCK_COUNT * EVENT_BLOCK_SIZE;
constexpr size_t EVENT_TEXT_MAX = 24000;
constexpr int EVENT_LABEL_BYTES = 20;
constexpr int EVENT_LIST_CODES = 23;
// The last index a reader or a scan may look at within a block.
constexpr uint32_t EVENT_BLOCK_LAST = EVENT_BLOCK_SIZE - 1;

extern uint32_t eventFlags[EVENT_FLAG_COUNT];
// 20 blocks of 22,000 bytes: block k holds the decoded text of event k + 1 of the current map.
extern char* eventBlocks;
// The raw (still inverted) event text of the current map.
extern uint8_t eventTextBuffer[EVENT_TEXT_MAX];
// Set when the last LoadMapEvents failed with a message box of its own, so the caller's
// "no data file" does not follow it with a second box for the same load.
extern bool eventPackFailureShown;

void ClearEventFlags();
// True for a flag number inside 0..99 that is set.
bool IsEventFlagSet(uint32_t flag);
void SetEventFlag(uint32_t flag);

// Reads map currentMap's event text from the pack and extracts eventBlockCount blocks. False
// when the file cannot be read, is cut short, holds fewer events than the map or a text too
// long; each failure is said on stderr.
int LoadMapEvents(const char* fileName);
// Extracts one block from the raw text at *cursor: 1 when it ended at its end sign, 0 on
// overflow.
int ExtractEventBlock(char* block, const uint8_t* raw, uint32_t* cursor);
// Runs the placement script of every event cell of the loaded map.
void RunMapPlacementScripts();
void RunPlacementCommand(float x, float z, uint32_t eventNumber, uint32_t* cursor,
                         const char* text);
void RunPlacementFlagCheck(float x, float z, uint32_t eventNumber, uint32_t* cursor,
                           const char* text);

// The readers. text is the start of a 22,000-byte block; positions at or past its end read as
// zero bytes and the cursor never moves past the end.
uint32_t ReadEventNumber(uint32_t* cursor, const char* text);
// Copies at most 20 bytes up to the next "," into label (zero-filled by the caller).
void ReadEventLabel(char* label, uint32_t* cursor, const char* text);
// Reads codes up to a 0 into list (23 entries, zero-filled by the caller).
void ReadEventNumberList(uint32_t* list, uint32_t* cursor, const char* text);
// The block of event number n (1..20), or null.
const char* GetEventBlock(uint32_t eventNumber);
