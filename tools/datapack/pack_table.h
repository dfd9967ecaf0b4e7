// The layout both map-number packs share: 24 u32 offsets counted from the end of the table,
// then the stored records.
#pragma once

#include <cstddef>
#include <vector>

#include "datapack/archive_writer.h"

constexpr int PACK_MAP_COUNT = 24;
constexpr size_t PACK_TABLE_BYTES = PACK_MAP_COUNT * 4;

// The table and the records; map n points at records[placement[n]]. Throws
// std::invalid_argument for a placement that is not 24 indexes into records.
Bytes WritePackWithTable(const std::vector<Bytes>& records, const std::vector<int>& placement);
