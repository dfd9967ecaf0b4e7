// Data sets the tests start the game on, made with the data builder's own writers.
#pragma once

#include <filesystem>
#include <vector>

#include "datapack/archive_writer.h"

// The demo set's 198 archive entries, built once per test program.
const std::vector<Bytes>& DemoArchiveEntries();
// Writes the demo data files into dir; entries, when given, replace the demo archive's.
void WriteTestDataSet(const std::filesystem::path& dir);
void WriteTestArchive(const std::filesystem::path& dir, const std::vector<Bytes>& entries);
