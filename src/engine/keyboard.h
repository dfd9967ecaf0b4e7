// The 14 keys the game is played with, sampled once per frame before the tasks update.
#pragma once

#include <cstdint>

constexpr int KEY_COUNT = 14;
constexpr uint16_t KEY_STATE_HELD = 128;

// Key slots.
constexpr int KEY_DOWN = 0;
constexpr int KEY_UP = 1;
constexpr int KEY_RIGHT = 2;
constexpr int KEY_LEFT = 3;
constexpr int KEY_ESCAPE = 4;
constexpr int KEY_CONTROL = 5;
constexpr int KEY_RETURN = 6;
constexpr int KEY_Z = 7;
constexpr int KEY_SPACE = 8;
constexpr int KEY_SHIFT = 9;
constexpr int KEY_A = 10;
constexpr int KEY_S = 11;
constexpr int KEY_D = 12;
constexpr int KEY_F = 13;

struct KeyRecord {
    uint16_t current;   // KEY_STATE_HELD when down at this frame's poll
    uint16_t previous;  // current of the previous poll
    uint32_t vk;        // virtual-key code
};

extern KeyRecord keyTable[KEY_COUNT];

void InitKeys();
void PollKeys();
uint16_t KeyEdge(uint16_t current, uint16_t previous);
// 1 when the key went down between the previous poll and this one.
int IsKeyTriggered(int slot);
// Whether the key was down at this frame's poll.
bool IsKeyHeld(int slot);
// Return or Z went down this frame: the keys that confirm everywhere.
bool IsConfirmTriggered();
