// The graphics device: one context that draws the 640 by 480 picture, created from the
// display options and released and created anew after a loss.
#pragma once

#include <cstdint>

struct DeviceSettings {
    bool windowed;                  // false: the picture covers the whole screen
    bool vsync;                     // wait for the vertical retrace when presenting
    bool depth24;                   // 24-bit depth buffer, else 16-bit
    int refreshRate;                // full screen only: 60, or 0 for the display's own rate
    bool softwareVertexProcessing;  // the fallback when hardware processing is refused
};

bool GfxCreateDevice(const DeviceSettings& settings);
// Releases the device; safe when there is none.
void GfxReleaseDevice();
bool GfxDeviceExists();

// Starts a frame's picture: clears colour (ARGB) and depth.
void GfxBeginFrame(uint32_t clearColour, float clearDepth);

enum class PresentResult { Ok, DeviceLost };
// Ends the frame's picture and shows it. DeviceLost means every graphics object is gone and
// must be created again.
PresentResult GfxEndFrame();
