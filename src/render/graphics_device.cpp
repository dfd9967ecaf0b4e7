// Graphics device.
#include "render/graphics_device.h"

#include "menu/options.h"
#include "platform/graphics.h"

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

bool InitGraphics() {
    if (!CreateGraphicsDevice(60) && !CreateGraphicsDevice(0)) {
        return false;
    }
    return true;
}

void ReleaseGraphics() {
    GfxReleaseDevice();
}
