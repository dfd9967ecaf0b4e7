// The readable map sources of demo/maps/ (one file a map) and their compilation into
// "mappack.dat" and "epack.dat".
//
// A source holds, one keyword a line ('#' starts a comment line, blank lines are skipped):
//   map <number 0..23>
//   name <the area's name>             (for people reading the source; the game shows the
//                                       area-name image of the map number)
//   size <width> <height>
//   encounter <group 0..4> <interval in steps>
//   tile <symbol> <tile code -128..127>   one a symbol; a symbol is one character, not '#'
//   tiles                               then <height> rows of <width> symbols
//   events                              then <height> rows of <width> words: '.' for none,
//                                       1..20 an event number, 70..74 a mover instruction
//   script                              the rest of the file is the map's event text
// The event text is written as the game stores it, one block per event number in number
// order, each ended by '@' ('/' comments run to the line's end), except that message lines
// may be quoted text, which the event compiler turns into glyph codes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "datapack/map_pack_writer.h"

struct MapSource {
    int number = 0;
    std::string name;
    MapRecord record;
    std::string eventText;  // compiled: as the game reads it once un-inverted
    int eventCount = 0;     // N: event numbers 1..N each stand on one cell
};

// Compiles one source. Throws std::runtime_error naming fileName and the line for anything the
// game could not use as it is meant: a missing or repeated keyword, a grid of the wrong size,
// an unknown symbol, a tile, event, group or size out of range, a map without a wall border,
// event numbers that are not 1..N once each, a block count other than N, a block or a text
// longer than the game extracts, or text after the last block.
MapSource ParseMapSource(const std::string& text, const std::string& fileName);
// Every *.txt of the folder, in file-name order; two files with one map number are refused.
std::vector<MapSource> ReadMapSources(const std::filesystem::path& mapsDir);

struct MapPackFiles {
    Bytes mapPack;
    Bytes eventPack;
};
// Both packs with every map number present: the maps given, and one shared small walled room
// with an empty event text for each number none of them has. Throws std::runtime_error when
// two maps have one number.
MapPackFiles BuildMapPacks(const std::vector<MapSource>& maps);
// Writes "mappack.dat" and "epack.dat" into outDir.
void WriteMapPackFiles(const std::vector<MapSource>& maps, const std::filesystem::path& outDir);
