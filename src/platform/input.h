// The keyboard as the game reads it: the down state of a key named by its virtual-key code,
// as of the events taken by the last PlatformPumpEvents.
#pragma once

#include <cstdint>

// Virtual-key codes of the keys the game polls. Each backend maps its own key events onto
// these fixed values, so the game's key table reads the same whatever the backend.
enum : uint32_t {
    VK_CODE_RETURN = 13,
    VK_CODE_SHIFT = 16,
    VK_CODE_CONTROL = 17,
    VK_CODE_ESCAPE = 27,
    VK_CODE_SPACE = 32,
    VK_CODE_LEFT = 37,
    VK_CODE_UP = 38,
    VK_CODE_RIGHT = 39,
    VK_CODE_DOWN = 40,
    VK_CODE_A = 65,
    VK_CODE_D = 68,
    VK_CODE_F = 70,
    VK_CODE_S = 83,
    VK_CODE_Z = 90,
};

// True while the key is held. Control and Shift count either side; the keypad's Enter counts
// as Return.
bool PlatformIsKeyDown(uint32_t vk);
