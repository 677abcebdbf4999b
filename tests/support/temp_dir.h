// A fresh temporary folder per test, removed afterwards.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace trvtest {

class TempDir {
public:
    // A folder below `parent`, or below the system's temporary folder.
    explicit TempDir(const std::string& parent = {});
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

// The small real file system a disk-full test runs on (TRV_SMALL_FS, mounted by
// run_on_small_fs.sh), or "" when the test was started without one.
std::string smallFileSystem();
// Fills the file system holding `dir` to its last byte with a file there named
// "filler"; removing that file frees the space again.
void fillFileSystem(const std::string& dir);

} // namespace trvtest
