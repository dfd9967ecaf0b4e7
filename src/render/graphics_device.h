// The graphics device and every resource on it, created from the display options and created
// anew after a loss or a change of the display options.
#pragma once

bool InitGraphics();
bool CreateGraphicsDevice(int refreshRate);
// Releases every graphics object; safe with any of them absent.
void ReleaseGraphics();
