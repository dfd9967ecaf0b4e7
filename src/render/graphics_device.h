// The graphics device and every resource on it, created from the display options and created
// anew after a loss or a change of the display options. The world, view and projection
// matrices are kept here as the game set them, so the camera, culling and projection to the
// screen work whether or not a device exists.
#pragma once

#include "platform/common/math3d.h"

constexpr float SCREEN_PIXEL_WIDTH = 640.0f;
constexpr float SCREEN_PIXEL_HEIGHT = 480.0f;

extern Viewport viewport;
extern Mat4 worldTransform;
extern Mat4 viewTransform;
extern Mat4 projectionTransform;

bool InitGraphics();
bool CreateGraphicsDevice(int refreshRate);
void SetDefaultRenderStates();
void SetDefaultViewport();
// Releases every graphics object; safe with any of them absent.
void ReleaseGraphics();
bool GraphicsDeviceExists();

void SetWorldTransform(const Mat4& m);
void SetViewTransform(const Mat4& m);
void SetProjectionTransform(const Mat4& m);
