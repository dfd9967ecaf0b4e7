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
// The options screen with its panel's top edge at y; mode 0 when opened from the title (it
// reopens the title when it closes), 1 from the game. 1 when created, 0 while one exists.
int CreateOptionsScreen(float y, uint32_t mode);
// Sizes and shows the main window for the windowed setting: 640 by 480 centred, or the whole
// screen.
void ApplyWindowMode();
