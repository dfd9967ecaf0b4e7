// SDL backend: start-up of SDL, the frame clock, memory and message boxes.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/sdl/sdl_internal.h"
#include "platform/system.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

bool initialised = false;
std::string lastError;

}  // namespace

bool PlatformInit() {
    if (initialised) {
        return true;
    }
    // X11 and Wayland read the window class from these before the first window exists.
    setenv("SDL_VIDEO_X11_WMCLASS", "VORNHALT", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "VORNHALT", 0);
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        lastError = SDL_GetError();
        return false;
    }
    initialised = true;
    sdlbackend::ClearKeys();
    return true;
}

void PlatformShutdown() {
    if (!initialised) {
        return;
    }
    SDL_Quit();
    initialised = false;
}

const char* PlatformLastError() {
    return lastError.c_str();
}

uint32_t PlatformTicks() {
    return SDL_GetTicks();
}

void PlatformSpinPause() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

void PlatformSetFineTimer(bool) {
    // SDL's tick counter already advances in whole milliseconds on Linux.
}

int64_t PlatformCalendarSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

void* PlatformAllocate(size_t bytes) {
    return std::malloc(bytes);
}

void PlatformRelease(void* block) {
    std::free(block);
}

void PlatformShowMessage(const char* caption, const char* text) {
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    std::fflush(stderr);
    SDL_Window* owner = sdlbackend::windowShown ? sdlbackend::window : nullptr;
    // The box runs its own loop; events for the game window wait in SDL's queue until the
    // frame loop takes them, so a close request never lands in the middle of a task pass.
    SDL_ShowSimpleMessageBox(0, caption, text, owner);
}
