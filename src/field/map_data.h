// The loaded map's three byte layers, indexed row x width + column with row 0 at the largest z.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t MAP_LAYER_BYTES = 40000;

extern int8_t* tileLayer;        // signed tile codes
extern uint8_t* eventLayer;      // 0 none, 1..20 the cell's event, 70..74 mover instructions
extern uint8_t* collisionLayer;  // 0 free, 1 wall, 2 blocked or occupied, 3 liquid

// Allocates the three layers and the event-block store, zero-filled. On any failure frees
// what it got and returns false.
bool AllocMapBuffers();
// Zero-fills the three layers and the event-block store.
void ClearMapBuffers();
void FreeMapBuffers();
