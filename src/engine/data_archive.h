// "data.dat": every texture, mesh and sound of the game in one archive, read whole at start-up
// and handed out by entry number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int ARCHIVE_ENTRY_COUNT = 198;
constexpr uint32_t ARCHIVE_TABLE_BYTES = ARCHIVE_ENTRY_COUNT * 4;  // 792

// Entry numbers by content.
constexpr int ARCHIVE_UI_ATLAS = 0;
constexpr int ARCHIVE_GLYPH_ATLAS = 1;
constexpr int ARCHIVE_TEXTURE_FIRST = 2;        // 28 textures, 2..29
constexpr int ARCHIVE_MESH_TEXTURE_FIRST = 30;  // room for 100, 30..129
constexpr int ARCHIVE_MESH_TEXTURE_END = 130;
constexpr int ARCHIVE_MESH_FIRST = 130;   // 39 meshes, 130..168
constexpr int ARCHIVE_SOUND_FIRST = 169;  // 29 sounds, 169..197

extern uint8_t* dataArchive;
extern size_t dataArchiveSize;

// Reads "data.dat" from the current directory. False when the file is missing, shorter than
// its offset table, cannot be read whole or no memory can be had.
bool LoadDataArchive();
// Entry n's bytes and their count. Null with size 0 when n lies outside 0..197 or the entry's
// size word or bytes would lie outside the file; offsets are checked only here, so unused
// entries may hold anything.
const uint8_t* GetArchiveEntry(int n, uint32_t* size);
void FreeDataArchive();
// Says on stderr which entry a loader refused, with what it holds (e.g. "mesh 7"), and why.
void ReportBadArchiveEntry(int n, const std::string& why);
