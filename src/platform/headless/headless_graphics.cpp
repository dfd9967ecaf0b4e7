// Headless backend: a graphics device that exists only as a record, for tests.
#include "platform/graphics.h"
#include "platform/headless/headless_state.h"

using headless::Log;
using headless::state;

bool GfxCreateDevice(const DeviceSettings& settings) {
    state.deviceAttempts.push_back(settings);
    if (state.deviceCreationsToFail > 0) {
        state.deviceCreationsToFail -= 1;
        Log("device:create-failed");
        return false;
    }
    state.deviceExists = true;
    Log("device:create");
    return true;
}

void GfxReleaseDevice() {
    if (!state.deviceExists) {
        return;
    }
    state.deviceExists = false;
    Log("device:release");
}

bool GfxDeviceExists() {
    return state.deviceExists;
}

void GfxBeginFrame(uint32_t, float) {
    state.frameOpen = state.deviceExists;
}

PresentResult GfxEndFrame() {
    if (!state.frameOpen) {
        return PresentResult::Ok;
    }
    state.frameOpen = false;
    if (state.loseDeviceAtPresent) {
        state.loseDeviceAtPresent = false;
        Log("device:lost");
        return PresentResult::DeviceLost;
    }
    state.framesPresented += 1;
    return PresentResult::Ok;
}
