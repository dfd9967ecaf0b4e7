// The data archive: the writer and reader agree, entries may lie in any order and share bytes,
// and every damaged archive is refused without a read outside the file.
#include <gtest/gtest.h>

#include "datapack/archive_writer.h"
#include "engine/byte_io.h"
#include "engine/data_archive.h"
#include "platform/headless/headless.h"
#include "support/temp_dir.h"

namespace {

class ArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
    }
    void TearDown() override {
        FreeDataArchive();
        std::filesystem::current_path(previous);
    }
    void WriteArchiveFile(const Bytes& bytes) { dir.Write("data.dat", bytes); }
    static Bytes Entry(int n) {
        uint32_t size = 0;
        const uint8_t* p = GetArchiveEntry(n, &size);
        if (p == nullptr) {
            return Bytes{0xEE};  // no entry: a value no test entry holds
        }
        return Bytes(p, p + size);
    }

    TempDir dir;
    std::filesystem::path previous;
};

std::vector<Bytes> NumberedEntries() {
    std::vector<Bytes> entries(ARCHIVE_ENTRY_COUNT);
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; ++n) {
        entries[n] = Bytes(static_cast<size_t>(n % 7), static_cast<uint8_t>(n));
    }
    return entries;
}

TEST_F(ArchiveTest, WriterAndReaderAgreeOnAll198Entries) {
    std::vector<Bytes> entries = NumberedEntries();
    WriteArchiveFile(WriteArchive(entries));
    ASSERT_TRUE(LoadDataArchive());
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; ++n) {
        EXPECT_EQ(Entry(n), entries[n]) << "entry " << n;  // every seventh is empty
    }
    FreeDataArchive();
    FreeDataArchive();
    EXPECT_EQ(GetArchiveEntry(3, nullptr), nullptr);
    EXPECT_EQ(headless::LiveAllocations(), 0u);
}

TEST_F(ArchiveTest, FirstEntryAtOffsetZeroHasItsSizeWordAt792) {
    std::vector<Bytes> entries(ARCHIVE_ENTRY_COUNT);
    entries[0] = {1, 2, 3};
    Bytes file = WriteArchive(entries);
    EXPECT_EQ(ReadLE32(file.data()), 0u);
    EXPECT_EQ(ReadLE32(file.data() + 792), 3u);
    WriteArchiveFile(file);
    ASSERT_TRUE(LoadDataArchive());
    EXPECT_EQ(GetArchiveEntry(0, nullptr), dataArchive + 796);
}

TEST_F(ArchiveTest, EntriesInReverseOrderAndSharingBytesResolve) {
    std::vector<Bytes> blocks = NumberedEntries();
    std::vector<int> placement(ARCHIVE_ENTRY_COUNT);
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; ++n) {
        placement[n] = ARCHIVE_ENTRY_COUNT - 1 - n;
    }
    placement[5] = placement[6];  // entries 5 and 6 share one stored block
    WriteArchiveFile(WriteArchiveWithPlacement(blocks, placement));
    ASSERT_TRUE(LoadDataArchive());
    EXPECT_EQ(Entry(0), blocks[197]);
    EXPECT_EQ(Entry(197), blocks[0]);
    EXPECT_EQ(Entry(5), blocks[191]);
    EXPECT_EQ(Entry(6), blocks[191]);
}

TEST_F(ArchiveTest, MissingShortOrUnallocatableFilesAreRefused) {
    EXPECT_FALSE(LoadDataArchive()) << "no file";
    WriteArchiveFile(Bytes(791, 0));
    EXPECT_FALSE(LoadDataArchive()) << "shorter than the offset table";
    EXPECT_EQ(dataArchive, nullptr);
    WriteArchiveFile(WriteArchive(NumberedEntries()));
    headless::FailAllocationsOfSize(std::filesystem::file_size(dir.File("data.dat")), 1);
    EXPECT_FALSE(LoadDataArchive()) << "no memory";
    EXPECT_EQ(dataArchive, nullptr);
    EXPECT_EQ(headless::LiveAllocations(), 0u);
}

TEST_F(ArchiveTest, BadOffsetsAndSizesGiveNoEntryWithoutReadingOutsideTheFile) {
    Bytes file = WriteArchive(NumberedEntries());
    const uint32_t dataBytes = static_cast<uint32_t>(file.size() - 792);
    WriteLE32(file.data() + 4 * 10, dataBytes);      // size word past the end
    WriteLE32(file.data() + 4 * 11, dataBytes - 3);  // size word straddles the end
    WriteLE32(file.data() + 4 * 12, 0xFFFFFFF0u);    // offset wraps in 32 bits
    WriteLE32(file.data() + 4 * 13, dataBytes - 4);  // size word is the last 4 bytes...
    WriteLE32(file.data() + file.size() - 4, 1);     // ...and claims one byte too many
    uint32_t entry20 = ReadLE32(file.data() + 4 * 20);
    WriteLE32(file.data() + 792 + entry20, 0xFFFFFFFFu);  // size overflows in 32 bits
    WriteArchiveFile(file);

    ASSERT_TRUE(LoadDataArchive()) << "junk offsets load; they fail only when looked up";
    for (int n : {10, 11, 12, 13, 20}) {
        uint32_t size = 5;
        EXPECT_EQ(GetArchiveEntry(n, &size), nullptr) << "entry " << n;
        EXPECT_EQ(size, 0u);
    }
    EXPECT_EQ(GetArchiveEntry(-1, nullptr), nullptr);
    EXPECT_EQ(GetArchiveEntry(ARCHIVE_ENTRY_COUNT, nullptr), nullptr);
    EXPECT_EQ(Entry(21), NumberedEntries()[21]) << "the good entries stay readable";
}

}  // namespace
