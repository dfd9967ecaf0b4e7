// SDL backend: the window and its icon, the event queue and the key table fed from key events.
#include <array>
#include <vector>

#ifdef LIRROWEN_HAVE_X11
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

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

#ifdef LIRROWEN_HAVE_X11
// X11 window managers pick the size they need from _NET_WM_ICON, which holds every image:
// width, height, then the ARGB pixels, each item a long as Xlib passes 32-bit items.
bool SetX11Icons(SDL_Window* target) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(target, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    std::vector<unsigned long> items;
    auto add = [&items](const uint32_t* pixels, int size) {
        items.push_back(static_cast<unsigned long>(size));
        items.push_back(static_cast<unsigned long>(size));
        items.insert(items.end(), pixels, pixels + size * size);
    };
    add(iconLarge, ICON_LARGE_SIZE);
    add(iconSmall, ICON_SMALL_SIZE);
    Display* display = info.info.x11.display;
    XChangeProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_ICON", False),
                    XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
    XFlush(display);
    return true;
}
#endif

void SetIcons(SDL_Window* target) {
#ifdef LIRROWEN_HAVE_X11
    if (SetX11Icons(target)) {
        return;
    }
#endif
    // Elsewhere SDL takes one image; the large one scales down better than the small one up.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(iconLarge), ICON_LARGE_SIZE, ICON_LARGE_SIZE, 32, ICON_LARGE_SIZE * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (icon != nullptr) {
        SDL_SetWindowIcon(target, icon);
        SDL_FreeSurface(icon);
    }
}

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
    if (window == nullptr) {
        sdlbackend::SetLastError("window");
        return false;
    }
    sdlbackend::SetIcons(window);
    return true;
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
    // A termination request ends the game the way the close box does.
    bool closeRequested = sdlbackend::TerminationRequested();
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
