// SDL backend: the OpenGL context that stands for the graphics device.
#include <SDL2/SDL_opengl.h>

#include "platform/graphics.h"
#include "platform/sdl/sdl_internal.h"

namespace {

SDL_GLContext context = nullptr;
bool frameOpen = false;

}  // namespace

bool GfxCreateDevice(const DeviceSettings& settings) {
    if (context != nullptr || sdlbackend::window == nullptr) {
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, settings.depth24 ? 24 : 16);
    context = SDL_GL_CreateContext(sdlbackend::window);
    if (context == nullptr) {
        return false;
    }
    SDL_GL_SetSwapInterval(settings.vsync ? 1 : 0);
    return true;
}

void GfxReleaseDevice() {
    if (context == nullptr) {
        return;
    }
    SDL_GL_DeleteContext(context);
    context = nullptr;
    frameOpen = false;
}

bool GfxDeviceExists() {
    return context != nullptr;
}

void GfxBeginFrame(uint32_t clearColour, float clearDepth) {
    if (context == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(sdlbackend::window, &width, &height);
    glViewport(0, 0, width, height);
    glClearColor(static_cast<float>((clearColour >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((clearColour >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(clearColour & 0xFF) / 255.0f,
                 static_cast<float>((clearColour >> 24) & 0xFF) / 255.0f);
    glClearDepth(clearDepth);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frameOpen = true;
}

PresentResult GfxEndFrame() {
    if (context == nullptr || !frameOpen) {
        return PresentResult::Ok;
    }
    frameOpen = false;
    SDL_GL_SwapWindow(sdlbackend::window);
    // An OpenGL context is never lost the way the game's device model allows for.
    return PresentResult::Ok;
}
