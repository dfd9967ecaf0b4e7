// Test data sets.
#include "support/fixtures.h"

#include "datapack/demo_data.h"

const std::vector<Bytes>& DemoArchiveEntries() {
    static const std::vector<Bytes> entries = BuildDemoArchiveEntries(LIRROWEN_DEMO_SOURCE_DIR);
    return entries;
}

void WriteTestArchive(const std::filesystem::path& dir, const std::vector<Bytes>& entries) {
    WriteBinaryFile(dir / "data.dat", WriteArchive(entries));
}

void WriteTestDataSet(const std::filesystem::path& dir) {
    WriteTestArchive(dir, DemoArchiveEntries());
    WriteTestMaps(dir, DemoMapSources());
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
