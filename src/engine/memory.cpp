// Memory blocks come from the platform layer, so tests can refuse one on purpose.
#include "engine/memory.h"

#include <cstring>

#include "platform/system.h"

void* AllocMemory(size_t byteCount) {
    return PlatformAllocate(byteCount);
}

void FreeMemory(void* block) {
    if (block != nullptr) {
        PlatformRelease(block);
    }
}

void ZeroMemoryBlock(void* address, size_t byteCount) {
    if (address != nullptr && byteCount != 0) {
        std::memset(address, 0, byteCount);
    }
}
