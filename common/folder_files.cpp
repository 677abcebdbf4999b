#include "folder_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trv {

namespace {

struct Entry {
    std::string name;
    bool folder = false;
};

// The entries of one folder, without "." and "..", sorted by their bytes.
bool listFolder(const std::string& path, std::vector<Entry>& out, std::pair<dev_t, ino_t>& id, int& err)
{
    // O_NOFOLLOW is not used here: the folder the user named may be a link.
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        err = errno;
        ::close(fd);
        return false;
    }
    id = {st.st_dev, st.st_ino};
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        err = errno;
        ::close(fd);
        return false;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        bool folder = false;
        struct stat s {};
        // lstat: a link to a folder is not a folder of the walk.
        if (::fstatat(::dirfd(dir), e->d_name, &s, AT_SYMLINK_NOFOLLOW) == 0)
            folder = S_ISDIR(s.st_mode);
        out.push_back({name, folder});
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return true;
}

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

std::vector<std::string> folderFiles(const std::string& folder, bool subfolders, std::string* error)
{
    std::vector<std::string> files;
    std::set<std::pair<dev_t, ino_t>> visited;
    std::vector<std::string> stack{folder};
    bool first = true;
    while (!stack.empty()) {
        const std::string current = stack.back();
        stack.pop_back();
        std::vector<Entry> entries;
        std::pair<dev_t, ino_t> id;
        int err = 0;
        if (!listFolder(current, entries, id, err)) {
            if (first && error)
                *error = std::strerror(err);
            first = false;
            continue; // a subfolder that cannot be read is passed over, as before
        }
        first = false;
        if (!visited.insert(id).second)
            continue;
        std::vector<std::string> below;
        for (const Entry& e : entries) {
            if (e.name[0] == '.')
                continue;
            if (!e.folder)
                files.push_back(joined(current, e.name));
            else if (subfolders)
                below.push_back(joined(current, e.name));
        }
        // Pushed in reverse so that they come off the stack in name order.
        stack.insert(stack.end(), below.rbegin(), below.rend());
    }
    return files;
}

} // namespace trv
