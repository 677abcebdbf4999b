// A fresh temporary folder per test, removed afterwards.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace trvtest {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::vector<uint8_t> readAll(const std::string& path);
void writeAll(const std::string& path, const std::vector<uint8_t>& bytes);
// Folder of the data files shipped in the repository.
std::string dataDir();

} // namespace trvtest
