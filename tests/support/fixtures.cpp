// Test data sets.
#include "support/fixtures.h"

#include <fstream>
#include <vector>

void WriteMinimalDataSet(const std::filesystem::path& dir) {
    std::vector<char> table(792, 0);
    std::ofstream out(dir / "data.dat", std::ios::binary | std::ios::trunc);
    out.write(table.data(), static_cast<std::streamsize>(table.size()));
}
