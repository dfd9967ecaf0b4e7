// The demo data set: every file the game reads, compiled from the readable sources in demo/.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "datapack/archive_writer.h"

// The 198 archive entries of "data.dat". Throws std::runtime_error on a bad source.
std::vector<Bytes> BuildDemoArchiveEntries(const std::filesystem::path& demoDir);
// Writes "data.dat" (and the other data files) into outDir.
void WriteDemoDataSet(const std::filesystem::path& demoDir, const std::filesystem::path& outDir);

std::string ReadTextFile(const std::filesystem::path& path);
void WriteBinaryFile(const std::filesystem::path& path, const Bytes& bytes);
