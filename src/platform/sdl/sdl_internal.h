// State shared by the SDL backend's source files.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

namespace sdlbackend {

extern SDL_Window* window;
extern bool windowShown;

// Forgets every held key (the window lost the keyboard, or the backend starts over).
void ClearKeys();
// Feeds one key event into the key table.
void HandleKeyEvent(const SDL_KeyboardEvent& event);

// Keeps "what: SDL's reason" for PlatformLastError.
void SetLastError(const char* what);
// SIGTERM or SIGINT arrived since PlatformInit; the pump reports it as a close request.
bool TerminationRequested();

// The game's emblem for the window, painted when the game is built: ARGB pixels, rows from
// the top, a large image for the title bar and task switcher and a small one for lists.
constexpr int ICON_LARGE_SIZE = 32;
constexpr int ICON_SMALL_SIZE = 16;
extern const uint32_t iconLarge[ICON_LARGE_SIZE * ICON_LARGE_SIZE];
extern const uint32_t iconSmall[ICON_SMALL_SIZE * ICON_SMALL_SIZE];

}  // namespace sdlbackend
