// The map pack writer.
#include "datapack/map_pack_writer.h"

#include <stdexcept>

#include "datapack/pack_table.h"
#include "engine/byte_io.h"

Bytes EncodeMapRecord(const MapRecord& record) {
    const uint64_t cells = static_cast<uint64_t>(record.width) * record.height;
    if (record.tiles.size() != cells || record.events.size() != cells) {
        throw std::invalid_argument("a map record's layers must be width x height cells");
    }
    Bytes out(16);
    WriteLE32(out.data(), record.width);
    WriteLE32(out.data() + 4, record.height);
    WriteLE32(out.data() + 8, record.encounterGroup);
    WriteLE32(out.data() + 12, record.encounterInterval);
    for (int8_t tile : record.tiles) {
        out.push_back(static_cast<uint8_t>(tile));
    }
    out.insert(out.end(), record.events.begin(), record.events.end());
    return out;
}

Bytes WriteMapPack(const std::vector<MapRecord>& records, const std::vector<int>& placement) {
    std::vector<Bytes> encoded;
    encoded.reserve(records.size());
    for (const MapRecord& record : records) {
        encoded.push_back(EncodeMapRecord(record));
    }
    return WritePackWithTable(encoded, placement);
}
