// The game's one window and the event queue behind it.
#pragma once

#include <cstdint>

struct WindowDesc {
    const char* caption;    // the title bar text
    const char* className;  // the window class (WM_CLASS on X11)
    int clientWidth;
    int clientHeight;
    int x;  // top-left corner of the client area on the desktop
    int y;
};

// Creates the window hidden; the game shows it once start-up succeeded.
bool PlatformCreateWindow(const WindowDesc& desc);
void PlatformShowWindow();
// Destroys the window and its graphics context; safe when there is none.
void PlatformDestroyWindow();
bool PlatformWindowExists();

// The desktop's size in pixels; false when there is no desktop to measure.
bool PlatformDesktopSize(int* width, int* height);

struct WindowPlacement {
    bool fullScreen;  // covers the whole screen, above other windows
    int x;            // client area position and size when not full screen
    int y;
    int width;
    int height;
};
// Sizes, places and shows the window (the window-mode switch of the options).
void PlatformPlaceWindow(const WindowPlacement& placement);

// Takes every pending event (keys update the key table as they are taken). Returns true when
// the player asked to close the window since the last call; the close itself is left to the
// caller, between frames.
bool PlatformPumpEvents();
