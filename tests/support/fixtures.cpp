// Test data sets.
#include "support/fixtures.h"

#include <stdexcept>
#include <string>

#include "datapack/demo_data.h"
#include "engine/byte_io.h"
#include "engine/data_archive.h"

namespace {

// The demo set as the build wrote it (the lirrowen_demo_data target, which every test program
// is built after): compiling the sources again took longer than most test processes run.
const std::filesystem::path BUILT_DEMO_DIR = LIRROWEN_DEMO_DATA_DIR;
constexpr const char* BUILT_DEMO_FILES[] = {"data.dat", "mappack.dat", "epack.dat"};

std::filesystem::path BuiltDemoFile(const char* name) {
    std::filesystem::path path = BUILT_DEMO_DIR / name;
    if (!std::filesystem::is_regular_file(path)) {
        throw std::runtime_error("the demo data set is not built: no " + path.string() +
                                 " (build the lirrowen_demo_data target)");
    }
    return path;
}

// The entries of a data.dat, read as the game reads them: offsets from the end of the table,
// each to a size word and its bytes.
std::vector<Bytes> ReadArchiveEntries(const std::filesystem::path& path) {
    std::string file = ReadTextFile(path);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(file.data());
    if (file.size() < ARCHIVE_TABLE_BYTES) {
        throw std::runtime_error(path.string() + " is shorter than its offset table");
    }
    std::vector<Bytes> entries(ARCHIVE_ENTRY_COUNT);
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; ++n) {
        uint64_t sizeWord = uint64_t{ARCHIVE_TABLE_BYTES} + ReadLE32(bytes + n * 4);
        uint64_t size = sizeWord + 4 <= file.size() ? ReadLE32(bytes + sizeWord) : 0;
        if (sizeWord + 4 + size > file.size()) {
            throw std::runtime_error(path.string() + ": entry " + std::to_string(n) +
                                     " lies outside the file");
        }
        entries[n].assign(bytes + sizeWord + 4, bytes + sizeWord + 4 + size);
    }
    return entries;
}

}  // namespace

const std::vector<Bytes>& DemoArchiveEntries() {
    static const std::vector<Bytes> entries = ReadArchiveEntries(BuiltDemoFile("data.dat"));
    return entries;
}

void WriteTestArchive(const std::filesystem::path& dir, const std::vector<Bytes>& entries) {
    WriteBinaryFile(dir / "data.dat", WriteArchive(entries));
}

void WriteTestDataSet(const std::filesystem::path& dir) {
    for (const char* name : BUILT_DEMO_FILES) {
        std::filesystem::copy_file(BuiltDemoFile(name), dir / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

const std::vector<MapSource>& DemoMapSources() {
    static const std::vector<MapSource> maps =
        ReadMapSources(std::filesystem::path(LIRROWEN_DEMO_SOURCE_DIR) / "maps");
    return maps;
}

MapSource TestMap(const std::string& source) {
    return ParseMapSource(source, "test map");
}

void WriteTestMaps(const std::filesystem::path& dir, const std::vector<MapSource>& maps) {
    WriteMapPackFiles(maps, dir);
}
