#include "private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace trv {

namespace {

bool ownAndPrivate(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
        (st.st_mode & 077) == 0;
}

std::string absoluteVariable(const char* name)
{
    const char* v = std::getenv(name);
    return v && v[0] == '/' ? std::string(v) : std::string();
}

} // namespace

bool othersCanWrite(const struct stat& st)
{
    if (st.st_mode & S_ISVTX)
        return false;
    return (st.st_mode & S_IWOTH) != 0 || ((st.st_mode & S_IWGRP) != 0 && st.st_gid != ::getegid());
}

std::string privateFolder(std::string* error)
{
    std::string parent = absoluteVariable("XDG_RUNTIME_DIR");
    std::string name = "trusswick";
    if (parent.empty() || !ownAndPrivate(parent)) {
        parent = absoluteVariable("TMPDIR");
        if (parent.empty())
            parent = "/tmp";
        name += "-" + std::to_string(::geteuid());
    }
    std::string wanted = parent + "/" + name;
    if ((::mkdir(wanted.c_str(), 0700) == 0 || errno == EEXIST) && ownAndPrivate(wanted))
        return wanted;
    // Taken by someone else, or not private: a fresh one, which nobody can have prepared.
    std::string fresh = parent + "/trusswick-XXXXXX";
    if (::mkdtemp(fresh.data()))
        return fresh;
    if (error)
        *error = std::strerror(errno);
    return {};
}

} // namespace trv
