// Data sets the tests start the game on: the demo set the build wrote, and the tests' own,
// made with the data builder's writers.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "datapack/archive_writer.h"
#include "datapack/map_source.h"

// The demo set comes from the lirrowen_demo_data target. When it is missing or damaged, these
// throw std::runtime_error naming the file, which fails the test that asked.

// The demo set's 198 archive entries, read once per test program.
const std::vector<Bytes>& DemoArchiveEntries();
// Copies the demo data files into dir: "data.dat", "mappack.dat" and "epack.dat".
void WriteTestDataSet(const std::filesystem::path& dir);
void WriteTestArchive(const std::filesystem::path& dir, const std::vector<Bytes>& entries);

// The demo maps, compiled once per test program.
const std::vector<MapSource>& DemoMapSources();
// A test's own map from its readable source (the format of demo/maps/, see map_source.h).
// Throws std::runtime_error, naming the line, for a source the builder refuses.
MapSource TestMap(const std::string& source);
// Writes "mappack.dat" and "epack.dat" with the data builder's writers: these maps, and every
// other map number the builder's small walled room with no events.
void WriteTestMaps(const std::filesystem::path& dir, const std::vector<MapSource>& maps);
