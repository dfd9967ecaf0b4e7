// Data sets the tests start the game on.
#pragma once

#include <filesystem>

// The smallest "data.dat" the game starts on.
void WriteMinimalDataSet(const std::filesystem::path& dir);
