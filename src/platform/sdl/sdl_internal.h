// State shared by the SDL backend's source files.
#pragma once

#include <SDL2/SDL.h>

namespace sdlbackend {

extern SDL_Window* window;
extern bool windowShown;

// Forgets every held key (the window lost the keyboard, or the backend starts over).
void ClearKeys();
// Feeds one key event into the key table.
void HandleKeyEvent(const SDL_KeyboardEvent& event);

}  // namespace sdlbackend
