// Writes "mappack.dat": a table of 24 offsets (one per map number, counted from byte 96, the
// end of the table), then the map records, each its width, height, encounter group and
// interval as u32 words and then its tile and event layers, row 0 first.
#pragma once

#include <cstdint>
#include <vector>

#include "datapack/archive_writer.h"

struct MapRecord {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t encounterGroup = 0;
    uint32_t encounterInterval = 0;
    std::vector<int8_t> tiles;    // width x height, row by row
    std::vector<uint8_t> events;  // width x height, row by row
};

// One record's bytes; throws std::invalid_argument when a layer is not width x height cells.
Bytes EncodeMapRecord(const MapRecord& record);

// Map n's record is records[placement[n]]: maps may share one record. Records are stored in
// the order given. Throws std::invalid_argument for a placement that is not 24 indexes into
// records.
Bytes WriteMapPack(const std::vector<MapRecord>& records, const std::vector<int>& placement);
