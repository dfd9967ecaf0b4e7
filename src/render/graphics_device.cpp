// Graphics device.
#include "render/graphics_device.h"

#include <cassert>
#include <cstdio>

#include "menu/options.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"

Viewport viewport = {0.0f, 0.0f, SCREEN_PIXEL_WIDTH, SCREEN_PIXEL_HEIGHT, 0.0f, 1.0f};
Mat4 worldTransform = MatrixIdentity();
Mat4 viewTransform = MatrixIdentity();
Mat4 projectionTransform = MatrixIdentity();

bool GraphicsDeviceExists() {
    return GfxDeviceExists();
}

void SetWorldTransform(const Mat4& m) {
    worldTransform = m;
    GfxSetTransform(GfxTransform::World, m);
}

void SetViewTransform(const Mat4& m) {
    viewTransform = m;
    GfxSetTransform(GfxTransform::View, m);
}

void SetProjectionTransform(const Mat4& m) {
    projectionTransform = m;
    GfxSetTransform(GfxTransform::Projection, m);
}

bool CreateGraphicsDevice(int refreshRate) {
    DeviceSettings settings{};
    settings.windowed = options.optionWindowed == 1;
    settings.vsync = options.optionVsync != 0;
    settings.depth24 = options.optionDepth24 != 0;
    settings.refreshRate = settings.windowed ? 0 : refreshRate;
    settings.softwareVertexProcessing = false;
    if (GfxCreateDevice(settings)) {
        return true;
    }
    settings.softwareVertexProcessing = true;
    return GfxCreateDevice(settings);
}

void SetDefaultRenderStates() {
    // Blending by alpha and texture-times-colour are the device's fixed rules; what the game
    // switches is lighting and the depth test.
    GfxSetLighting(false);
}

void SetDefaultViewport() {
    viewport = Viewport{0.0f, 0.0f, SCREEN_PIXEL_WIDTH, SCREEN_PIXEL_HEIGHT, 0.0f, 1.0f};
}

bool InitGraphics() {
    // Every caller has released the previous device and its resources first.
    assert(!GfxDeviceExists());
    if (!CreateGraphicsDevice(60) && !CreateGraphicsDevice(0)) {
        // One line for all four attempts: they fail for the same reason.
        std::fprintf(stderr, "graphics: cannot create the device: %s\n", PlatformLastError());
        return false;
    }
    if (!LoadMeshes()) {
        return false;
    }
    if (!LoadTextures()) {
        return false;
    }
    SetDefaultRenderStates();
    SetDefaultViewport();
    SetWorldTransform(MatrixIdentity());
    SetCamera(0.0f, 100.0f, 0.0f, 0.0f, 100.0f, 0.1f);
    GfxSetDepthTest(true);
    GfxSetLighting(false);
    return true;
}

void ReleaseGraphics() {
    ReleaseMeshesAndTextures();
    GfxReleaseDevice();
}
