#include "recent_files.h"

#include "safe_file.h"

#include <algorithm>
#include <filesystem>

std::string RecentFiles::read()
{
    paths_.clear();
    if (const auto why = trv::ownFileProblem(file_); why && !why->empty())
        return file_ + " is " + *why +
            ": the editor leaves it as it is and does not keep the list of recent documents.";
    const auto bytes = trv::readFileBytes(file_, nullptr, 64 * 1024, trv::Origin::ProgramNamed);
    if (!bytes)
        return {};
    std::string line;
    for (uint8_t c : *bytes) {
        if (c != '\n') {
            line += char(c);
            continue;
        }
        if (!line.empty() && paths_.size() < kMax && std::find(paths_.begin(), paths_.end(), line) == paths_.end())
            paths_.push_back(line);
        line.clear();
    }
    return {};
}

bool RecentFiles::write(std::string* error) const
{
    std::string text;
    for (const std::string& p : paths_)
        text += p + "\n";
    // On a first start the settings' folder may not be there yet.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ec);
    return trv::writeFileSafely(file_, text, error, trv::Durability::Synced, trv::Origin::ProgramNamed);
}

bool RecentFiles::add(const std::string& path)
{
    if (path.empty() || path.find('\n') != std::string::npos || (!paths_.empty() && paths_.front() == path))
        return false;
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax)
        paths_.resize(kMax);
    return true;
}

void RecentFiles::remove(const std::string& path)
{
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}
