// Options and window mode.
#include "menu/options.h"

#include "engine/memory.h"
#include "engine/program_shell.h"
#include "platform/window.h"

Options options;

void InitOptions() {
    ZeroMemoryBlock(&options, sizeof options);
    options.optionWindowed = 1;
    options.optionVsync = 1;
    options.optionDepth24 = 1;
    options.optionMusic = 1;
    options.optionSoundEffects = 1;
    options.appliedWindowed = options.optionWindowed;
    options.appliedVsync = options.optionVsync;
    options.appliedDepth24 = options.optionDepth24;
}

void ApplyWindowMode() {
    WindowPlacement placement{};
    if (options.optionWindowed == 1) {
        placement.fullScreen = false;
        placement.width = CLIENT_WIDTH;
        placement.height = CLIENT_HEIGHT;
        CenterOnDesktop(placement.width, placement.height, &placement.x, &placement.y);
    } else {
        placement.fullScreen = true;
        placement.x = 0;
        placement.y = 0;
        if (!PlatformDesktopSize(&placement.width, &placement.height)) {
            placement.width = CLIENT_WIDTH;
            placement.height = CLIENT_HEIGHT;
        }
    }
    PlatformPlaceWindow(placement);
}
