#include "temp_dir.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace trvtest {

TempDir::TempDir(const std::string& parent)
{
    const std::filesystem::path base =
        parent.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(parent);
    std::string tmpl = (base / "trvtest-XXXXXX").string();
    if (!mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string smallFileSystem()
{
    const char* dir = std::getenv("TRV_SMALL_FS");
    return dir ? dir : "";
}

void fillFileSystem(const std::string& dir)
{
    std::FILE* f = std::fopen((std::filesystem::path(dir) / "filler").c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot create the filler file");
    std::setvbuf(f, nullptr, _IONBF, 0);
    static const char block[4096] = {};
    for (size_t size = sizeof block; size > 0; size /= 2)
        while (std::fwrite(block, 1, size, f) == size) {}
    std::fclose(f);
}

std::string dataDir()
{
#ifdef TRV_SOURCE_DIR
    return std::string(TRV_SOURCE_DIR) + "/data";
#else
    return "data";
#endif
}

} // namespace trvtest
