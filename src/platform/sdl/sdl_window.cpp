// SDL backend: the window, the event queue and the key table fed from key events.
#include <array>

#include "platform/input.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/window.h"

namespace sdlbackend {

SDL_Window* window = nullptr;
bool windowShown = false;

namespace {

struct KeyBinding {
    SDL_Keycode key;
    uint32_t vk;
};

// Each physical key the game reads, with the virtual-key code it counts as. Both Control and
// both Shift keys count; so does the keypad's Enter, as it does for the desktop's own code.
constexpr std::array<KeyBinding, 17> keyBindings{{
    {SDLK_DOWN, VK_CODE_DOWN},
    {SDLK_UP, VK_CODE_UP},
    {SDLK_RIGHT, VK_CODE_RIGHT},
    {SDLK_LEFT, VK_CODE_LEFT},
    {SDLK_ESCAPE, VK_CODE_ESCAPE},
    {SDLK_LCTRL, VK_CODE_CONTROL},
    {SDLK_RCTRL, VK_CODE_CONTROL},
    {SDLK_RETURN, VK_CODE_RETURN},
    {SDLK_KP_ENTER, VK_CODE_RETURN},
    {SDLK_z, VK_CODE_Z},
    {SDLK_SPACE, VK_CODE_SPACE},
    {SDLK_LSHIFT, VK_CODE_SHIFT},
    {SDLK_RSHIFT, VK_CODE_SHIFT},
    {SDLK_a, VK_CODE_A},
    {SDLK_s, VK_CODE_S},
    {SDLK_d, VK_CODE_D},
    {SDLK_f, VK_CODE_F},
}};

std::array<bool, keyBindings.size()> keyDown{};

}  // namespace

void ClearKeys() {
    keyDown.fill(false);
}

void HandleKeyEvent(const SDL_KeyboardEvent& event) {
    for (size_t i = 0; i < keyBindings.size(); ++i) {
        if (keyBindings[i].key == event.keysym.sym) {
            keyDown[i] = event.state == SDL_PRESSED;
        }
    }
}

}  // namespace sdlbackend

using sdlbackend::window;

bool PlatformIsKeyDown(uint32_t vk) {
    for (size_t i = 0; i < sdlbackend::keyBindings.size(); ++i) {
        if (sdlbackend::keyBindings[i].vk == vk && sdlbackend::keyDown[i]) {
            return true;
        }
    }
    return false;
}

bool PlatformCreateWindow(const WindowDesc& desc) {
    if (window != nullptr) {
        return false;
    }
    window = SDL_CreateWindow(desc.caption, desc.x, desc.y, desc.clientWidth, desc.clientHeight,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    sdlbackend::windowShown = false;
    return window != nullptr;
}

void PlatformShowWindow() {
    if (window == nullptr) {
        return;
    }
    SDL_ShowWindow(window);
    sdlbackend::windowShown = true;
}

void PlatformDestroyWindow() {
    if (window == nullptr) {
        return;
    }
    SDL_DestroyWindow(window);
    window = nullptr;
    sdlbackend::windowShown = false;
    sdlbackend::ClearKeys();
}

bool PlatformWindowExists() {
    return window != nullptr;
}

bool PlatformDesktopSize(int* width, int* height) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) {
        return false;
    }
    *width = bounds.w;
    *height = bounds.h;
    return true;
}

void PlatformPlaceWindow(const WindowPlacement& placement) {
    if (window == nullptr) {
        return;
    }
    if (placement.fullScreen) {
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, placement.width, placement.height);
        SDL_SetWindowPosition(window, placement.x, placement.y);
    }
    SDL_ShowWindow(window);
    sdlbackend::windowShown = true;
}

bool PlatformPumpEvents() {
    bool closeRequested = false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        switch (event.type) {
            case SDL_QUIT:
                closeRequested = true;
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                    closeRequested = true;
                } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    // Releases that happen elsewhere never reach us; do not leave keys held.
                    sdlbackend::ClearKeys();
                }
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                sdlbackend::HandleKeyEvent(event.key);
                break;
            default:
                break;
        }
    }
    return closeRequested;
}
