// The data archive: an offset table of 198 words, then each entry's size word and bytes.
#include "engine/data_archive.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/byte_io.h"
#include "engine/memory.h"
#include "engine/regular_file.h"

uint8_t* dataArchive = nullptr;
size_t dataArchiveSize = 0;

namespace {

constexpr const char* ARCHIVE_FILE_NAME = "data.dat";

std::string ByteCount(long bytes) {
    return std::to_string(bytes) + " bytes";
}

void ReportArchiveFailure(const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s: %s\n", ARCHIVE_FILE_NAME, what, detail);
}

}  // namespace

bool LoadDataArchive() {
    std::string why;
    std::FILE* file = OpenRegularFile(ARCHIVE_FILE_NAME, &why);
    if (file == nullptr) {
        ReportArchiveFailure("cannot open", why.c_str());
        return false;
    }
    long length = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    bool ok = false;
    if (length < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        ReportArchiveFailure("cannot find its length", std::strerror(errno));
    } else if (length < static_cast<long>(ARCHIVE_TABLE_BYTES)) {
        ReportArchiveFailure("too short for its offset table", ByteCount(length).c_str());
    } else if (length > 0xFFFFFFFFL) {
        ReportArchiveFailure("too large", ByteCount(length).c_str());
    } else {
        ok = true;
    }
    if (!ok) {
        std::fclose(file);
        return false;
    }
    size_t size = static_cast<size_t>(length);
    uint8_t* block = static_cast<uint8_t*>(AllocMemory(size));
    if (block == nullptr) {
        ReportArchiveFailure("out of memory", ByteCount(static_cast<long>(size)).c_str());
        std::fclose(file);
        return false;
    }
    // A short read would leave bytes that are later taken for offsets and sizes.
    size_t got = std::fread(block, 1, size, file);
    const int readError = std::ferror(file) != 0 ? errno : 0;
    std::fclose(file);
    if (got != size) {
        ReportArchiveFailure("cannot be read whole",
                             readError != 0
                                 ? std::strerror(readError)
                                 : ("it ended after " + ByteCount(static_cast<long>(got))).c_str());
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

namespace {

// What an entry holds, as a person fixing the data would look for it.
std::string EntryContent(int n) {
    if (n == ARCHIVE_UI_ATLAS) {
        return "interface atlas";
    }
    if (n == ARCHIVE_GLYPH_ATLAS) {
        return "glyph sheet";
    }
    if (n < ARCHIVE_MESH_TEXTURE_FIRST) {
        return "texture " + std::to_string(n - ARCHIVE_TEXTURE_FIRST);
    }
    if (n < ARCHIVE_MESH_FIRST) {
        return "mesh texture " + std::to_string(n - ARCHIVE_MESH_TEXTURE_FIRST);
    }
    if (n < ARCHIVE_SOUND_FIRST) {
        return "mesh " + std::to_string(n - ARCHIVE_MESH_FIRST);
    }
    return "sound " + std::to_string(n - ARCHIVE_SOUND_FIRST);
}

}  // namespace

void ReportBadArchiveEntry(int n, const std::string& why) {
    std::fprintf(stderr, "%s: entry %d (%s): %s\n", ARCHIVE_FILE_NAME, n, EntryContent(n).c_str(),
                 why.c_str());
}

void FreeDataArchive() {
    FreeMemory(dataArchive);
    dataArchive = nullptr;
    dataArchiveSize = 0;
}
