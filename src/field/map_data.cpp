// Map layers: allocation and release.
#include "field/map_data.h"

#include "engine/memory.h"
#include "event/event_pack.h"

int8_t* tileLayer = nullptr;
uint8_t* eventLayer = nullptr;
uint8_t* collisionLayer = nullptr;

bool AllocMapBuffers() {
    tileLayer = static_cast<int8_t*>(AllocMemory(MAP_LAYER_BYTES));
    eventLayer = static_cast<uint8_t*>(AllocMemory(MAP_LAYER_BYTES));
    collisionLayer = static_cast<uint8_t*>(AllocMemory(MAP_LAYER_BYTES));
    eventBlocks = static_cast<char*>(AllocMemory(EVENT_BLOCK_STORE_BYTES));
    if (tileLayer == nullptr || eventLayer == nullptr || collisionLayer == nullptr ||
        eventBlocks == nullptr) {
        FreeMapBuffers();
        return false;
    }
    ClearMapBuffers();
    return true;
}

void ClearMapBuffers() {
    ZeroMemoryBlock(tileLayer, MAP_LAYER_BYTES);
    ZeroMemoryBlock(eventLayer, MAP_LAYER_BYTES);
    ZeroMemoryBlock(collisionLayer, MAP_LAYER_BYTES);
    ZeroMemoryBlock(eventBlocks, EVENT_BLOCK_STORE_BYTES);
}

void FreeMapBuffers() {
    FreeMemory(tileLayer);
    FreeMemory(eventLayer);
    FreeMemory(collisionLayer);
    // The event-block store is allocated with the layers, so it goes with them.
    FreeMemory(eventBlocks);
    tileLayer = nullptr;
    eventLayer = nullptr;
    collisionLayer = nullptr;
    eventBlocks = nullptr;
}
