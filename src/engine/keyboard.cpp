// Key polling. previous starts as held, so a key already down when the game starts does not
// count as a press until it has been released and pressed again: the first poll after
// InitKeys compares against that starting state instead of shifting the unpolled current in.
#include "engine/keyboard.h"

#include "platform/input.h"

KeyRecord keyTable[KEY_COUNT];

namespace {

bool polledSinceInit = false;

constexpr uint32_t keyCodes[KEY_COUNT] = {
    VK_CODE_DOWN,    VK_CODE_UP,     VK_CODE_RIGHT, VK_CODE_LEFT,  VK_CODE_ESCAPE,
    VK_CODE_CONTROL, VK_CODE_RETURN, VK_CODE_Z,     VK_CODE_SPACE, VK_CODE_SHIFT,
    VK_CODE_A,       VK_CODE_S,      VK_CODE_D,     VK_CODE_F,
};

}  // namespace

void InitKeys() {
    for (int i = 0; i < KEY_COUNT; ++i) {
        keyTable[i].vk = keyCodes[i];
        keyTable[i].current = 0;
        keyTable[i].previous = KEY_STATE_HELD;
    }
    polledSinceInit = false;
}

void PollKeys() {
    for (int i = 0; i < KEY_COUNT; ++i) {
        if (polledSinceInit) {
            keyTable[i].previous = keyTable[i].current;
        }
        keyTable[i].current = PlatformIsKeyDown(keyTable[i].vk) ? KEY_STATE_HELD : 0;
    }
    polledSinceInit = true;
}

uint16_t KeyEdge(uint16_t current, uint16_t previous) {
    return static_cast<uint16_t>((current ^ previous) & current);
}

int IsKeyTriggered(int slot) {
    if (slot < 0 || slot >= KEY_COUNT) {
        return 0;
    }
    return (KeyEdge(keyTable[slot].current, keyTable[slot].previous) & KEY_STATE_HELD) != 0 ? 1 : 0;
}

bool IsKeyHeld(int slot) {
    if (slot < 0 || slot >= KEY_COUNT) {
        return false;
    }
    return (keyTable[slot].current & KEY_STATE_HELD) != 0;
}

bool IsConfirmTriggered() {
    return IsKeyTriggered(KEY_RETURN) != 0 || IsKeyTriggered(KEY_Z) != 0;
}
