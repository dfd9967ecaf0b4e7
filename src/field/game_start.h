// Starting a new game, and the event commands that build the party from the character
// templates.
#pragma once

#include <cstdint>

constexpr const char* NO_DATA_FILE_MESSAGE = "no data file";

// A map that cannot be loaded: the message, every task killed, the title.
void ShowNoDataFile();

// Resets the game state and loads the start map; the start map's own set-up event builds the
// party. When the map cannot be loaded it shows "no data file" and the title, and returns false.
bool StartGameAtMap(int32_t scenarioNumber, int32_t map);
