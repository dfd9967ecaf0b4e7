// The event pack writer.
#include "datapack/event_pack_writer.h"

#include <limits>
#include <stdexcept>

#include "datapack/pack_table.h"
#include "engine/byte_io.h"

Bytes EncodeEventRecord(const std::string& text) {
    if (text.size() > std::numeric_limits<uint32_t>::max()) {
        throw std::invalid_argument("an event text longer than its length word holds");
    }
    Bytes out(4);
    WriteLE32(out.data(), static_cast<uint32_t>(text.size()));
    for (char c : text) {
        out.push_back(static_cast<uint8_t>(~static_cast<uint8_t>(c)));
    }
    return out;
}

Bytes WriteEventPack(const std::vector<std::string>& texts, const std::vector<int>& placement) {
    std::vector<Bytes> encoded;
    encoded.reserve(texts.size());
    for (const std::string& text : texts) {
        encoded.push_back(EncodeEventRecord(text));
    }
    return WritePackWithTable(encoded, placement);
}
