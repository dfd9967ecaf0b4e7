// The save files and the save/load screen.
#pragma once

#include <cstdint>

// The save/load screen: mode 0 saves, 1 loads; returnToField 1 when opened from the field, 0
// from the title (it reopens the title when it closes). 1 when created, 0 while one exists.
int CreateSaveLoadMenu(uint32_t mode, uint32_t returnToField);
