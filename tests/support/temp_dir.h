// A scratch directory that is removed with everything in it when the test is done.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File(const std::string& name) const { return path_ / name; }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::vector<uint8_t> Read(const std::string& name) const;
    // A named pipe with no writer in place of whatever stood at name: opening it for reading
    // the usual way waits for ever.
    void Pipe(const std::string& name) const;

  private:
    std::filesystem::path path_;
};
