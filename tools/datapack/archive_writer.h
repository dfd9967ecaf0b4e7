// Writes "data.dat": a table of 198 offsets, then each entry as a size word and its bytes.
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The archive with entries stored in number order. Entries not given are empty.
Bytes WriteArchive(const std::vector<Bytes>& entries);

// Full control of the layout, for tests: each entry n is stored at the place given by
// placement[n] among the stored blocks (the same place for two entries makes them share
// bytes); blocks are written in place order.
Bytes WriteArchiveWithPlacement(const std::vector<Bytes>& blocks,
                                const std::vector<int>& placement);
