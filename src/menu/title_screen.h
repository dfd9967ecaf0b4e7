// The title screen.
#pragma once

#include <cstdint>

// Chooses the title's lower background image; advanced by each title action, never saved.
extern int32_t titleBackgroundVariant;

// 1 when created; 0 while a title screen exists.
int CreateTitleScreen();
