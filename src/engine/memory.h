// Memory blocks and zero-filling, used throughout the game.
#pragma once

#include <cstddef>

// A block of byteCount bytes, or null when none can be had.
void* AllocMemory(size_t byteCount);
// Frees a block from AllocMemory; null is ignored.
void FreeMemory(void* block);
void ZeroMemoryBlock(void* address, size_t byteCount);
