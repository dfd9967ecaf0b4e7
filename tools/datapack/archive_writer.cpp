// The archive writer.
#include "datapack/archive_writer.h"

#include <stdexcept>

#include "engine/byte_io.h"
#include "engine/data_archive.h"

Bytes WriteArchive(const std::vector<Bytes>& entries) {
    if (entries.size() > ARCHIVE_ENTRY_COUNT) {
        throw std::invalid_argument("an archive holds 198 entries");
    }
    std::vector<Bytes> blocks(entries);
    blocks.resize(ARCHIVE_ENTRY_COUNT);
    std::vector<int> placement(ARCHIVE_ENTRY_COUNT);
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; ++n) {
        placement[n] = n;
    }
    return WriteArchiveWithPlacement(blocks, placement);
}

Bytes WriteArchiveWithPlacement(const std::vector<Bytes>& blocks,
                                const std::vector<int>& placement) {
    if (placement.size() != ARCHIVE_ENTRY_COUNT) {
        throw std::invalid_argument("one placement per archive entry");
    }
    Bytes out(ARCHIVE_TABLE_BYTES, 0);
    std::vector<uint32_t> blockOffsets(blocks.size());
    for (size_t b = 0; b < blocks.size(); ++b) {
        blockOffsets[b] = static_cast<uint32_t>(out.size() - ARCHIVE_TABLE_BYTES);
        out.resize(out.size() + 4);
        WriteLE32(out.data() + out.size() - 4, static_cast<uint32_t>(blocks[b].size()));
        out.insert(out.end(), blocks[b].begin(), blocks[b].end());
    }
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; ++n) {
        int place = placement[n];
        if (place < 0 || static_cast<size_t>(place) >= blocks.size()) {
            throw std::invalid_argument("placement outside the stored blocks");
        }
        WriteLE32(out.data() + n * 4, blockOffsets[place]);
    }
    return out;
}
