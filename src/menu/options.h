// The five display and sound settings, in memory only, and the window-mode switch.
#pragma once

#include <cstdint>

struct Options {
    uint32_t optionWindowed;
    uint32_t optionVsync;
    uint32_t optionDepth24;
    uint32_t optionMusic;
    uint32_t optionSoundEffects;
    uint32_t appliedWindowed;
    uint32_t appliedVsync;
    uint32_t appliedDepth24;
};

extern Options options;

void InitOptions();
// Sizes and shows the main window for the windowed setting: 640 by 480 centred, or the whole
// screen.
void ApplyWindowMode();
