// The shared table layout of the map and event packs.
#include "datapack/pack_table.h"

#include <limits>
#include <stdexcept>
#include <string>

#include "engine/byte_io.h"

Bytes WritePackWithTable(const std::vector<Bytes>& records, const std::vector<int>& placement) {
    if (placement.size() != PACK_MAP_COUNT) {
        throw std::invalid_argument("a pack places exactly 24 map numbers");
    }
    Bytes out(PACK_TABLE_BYTES, 0);
    std::vector<uint32_t> offsets(records.size());
    for (size_t r = 0; r < records.size(); ++r) {
        const size_t offset = out.size() - PACK_TABLE_BYTES;
        if (offset > std::numeric_limits<uint32_t>::max()) {
            throw std::invalid_argument("a pack larger than its offsets can address");
        }
        offsets[r] = static_cast<uint32_t>(offset);
        out.insert(out.end(), records[r].begin(), records[r].end());
    }
    for (int n = 0; n < PACK_MAP_COUNT; ++n) {
        const int place = placement[static_cast<size_t>(n)];
        if (place < 0 || static_cast<size_t>(place) >= records.size()) {
            throw std::invalid_argument("map " + std::to_string(n) +
                                        " placed outside the stored records");
        }
        WriteLE32(out.data() + n * 4, offsets[static_cast<size_t>(place)]);
    }
    return out;
}
