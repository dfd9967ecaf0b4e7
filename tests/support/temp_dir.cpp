// Scratch directories for tests.
#include "support/temp_dir.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lirrowen-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch directory");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + File(name).string());
    }
}

std::vector<uint8_t> TempDir::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

void TempDir::Pipe(const std::string& name) const {
    std::filesystem::remove_all(File(name));
    if (::mkfifo(File(name).c_str(), 0600) != 0) {
        throw std::runtime_error("cannot make the pipe " + File(name).string());
    }
}
