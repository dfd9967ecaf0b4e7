// The event pack's block store and the event flags of game progress.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int EVENT_FLAG_COUNT = 100;
constexpr int EVENT_BLOCK_COUNT = 20;
constexpr size_t EVENT_BLOCK_SIZE = 22000;
constexpr size_t EVENT_BLOCK_STORE_BYTES = EVENT_BLOCK_COUNT * EVENT_BLOCK_SIZE;

extern uint32_t eventFlags[EVENT_FLAG_COUNT];
// 20 blocks of 22,000 bytes: block k holds the decoded text of event k + 1 of the current map.
extern char* eventBlocks;

void ClearEventFlags();
