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
}
