// The data archive: an offset table of 198 words, then each entry's size word and bytes.
#include "engine/data_archive.h"

#include <cstdio>

#include "engine/byte_io.h"
#include "engine/memory.h"

uint8_t* dataArchive = nullptr;
size_t dataArchiveSize = 0;

namespace {

constexpr const char* ARCHIVE_FILE_NAME = "data.dat";

}  // namespace

bool LoadDataArchive() {
    std::FILE* file = std::fopen(ARCHIVE_FILE_NAME, "rb");
    if (file == nullptr) {
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long length = ok ? std::ftell(file) : -1;
    ok = ok && length >= static_cast<long>(ARCHIVE_TABLE_BYTES) && length <= 0xFFFFFFFFL &&
         std::fseek(file, 0, SEEK_SET) == 0;
    if (!ok) {
        std::fclose(file);
        return false;
    }
    size_t size = static_cast<size_t>(length);
    uint8_t* block = static_cast<uint8_t*>(AllocMemory(size));
    if (block == nullptr) {
        std::fclose(file);
        return false;
    }
    // A short read would leave bytes that are later taken for offsets and sizes.
    size_t got = std::fread(block, 1, size, file);
    std::fclose(file);
    if (got != size) {
        FreeMemory(block);
        return false;
    }
    dataArchive = block;
    dataArchiveSize = size;
    return true;
}

const uint8_t* GetArchiveEntry(int n, uint32_t* size) {
    if (size != nullptr) {
        *size = 0;
    }
    if (dataArchive == nullptr || n < 0 || n >= ARCHIVE_ENTRY_COUNT) {
        return nullptr;
    }
    uint64_t sizeWord = static_cast<uint64_t>(ARCHIVE_TABLE_BYTES) +
                        ReadLE32(dataArchive + static_cast<size_t>(n) * 4);
    if (sizeWord + 4 > dataArchiveSize) {
        return nullptr;
    }
    uint32_t entrySize = ReadLE32(dataArchive + sizeWord);
    if (sizeWord + 4 + entrySize > dataArchiveSize) {
        return nullptr;
    }
    if (size != nullptr) {
        *size = entrySize;
    }
    return dataArchive + sizeWord + 4;
}

void FreeDataArchive() {
    FreeMemory(dataArchive);
    dataArchive = nullptr;
    dataArchiveSize = 0;
}
