// The title screen.
#pragma once

#include <cstdint>

// Chooses the title's lower background image; advanced by each title action, never saved.
extern int32_t titleBackgroundVariant;

void CreateTitleScreen();
