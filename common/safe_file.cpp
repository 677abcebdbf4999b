#include "safe_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace trv {

namespace {

bool fail(std::string* error, const std::string& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool failErrno(std::string* error, int err) { return fail(error, std::strerror(err)); }

// Writes every byte, resuming after interruptions and short writes.
bool writeAll(int fd, const uint8_t* p, size_t n, int& err)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return false;
        }
        p += w;
        n -= size_t(w);
    }
    return true;
}

mode_t currentUmask()
{
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

} // namespace

bool writeFileSafely(const std::string& path, std::span<const uint8_t> bytes, std::string* error, Durability durability)
{
    if (path.empty())
        return fail(error, "no file name");
    // A link is kept as a link: its target is what gets replaced.
    struct stat st {};
    fs::path target = path;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // Read rather than resolved: a link whose target is missing resolves to
        // itself, and would be replaced by a file.
        std::error_code ec;
        fs::path to = fs::read_symlink(path, ec);
        if (!ec && to.is_relative())
            to = fs::path(path).parent_path() / to;
        if (!ec)
            target = fs::weakly_canonical(to, ec);
        if (ec)
            return fail(error, ec.message());
    }
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return fail(error, "not a regular file");
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");

    std::string tmp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0)
        return failErrno(error, errno);
    int err = 0;
    bool ok = ::fchmod(fd, exists ? (st.st_mode & 07777) : (0666 & ~currentUmask())) == 0 || (err = errno, false);
    ok = ok && writeAll(fd, bytes.data(), bytes.size(), err);
    if (ok && durability == Durability::Synced && ::fsync(fd) != 0)
        ok = false, err = errno;
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd) != 0 && ok)
        ok = false, err = errno;
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0)
        ok = false, err = errno;
    if (!ok) {
        ::unlink(tmp.c_str());
        return failErrno(error, err);
    }
    if (durability == Durability::Synced) {
        // The rename itself reaches the disk with the folder.
        if (const int d = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); d >= 0) {
            ::fsync(d);
            ::close(d);
        }
    }
    return true;
}

bool writeFileSafely(const std::string& path, std::string_view text, std::string* error, Durability durability)
{
    return writeFileSafely(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), error,
                           durability);
}

std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::string* error, size_t limit)
{
    // Non-blocking, so that opening a pipe does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failErrno(error, errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        failErrno(error, err);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        fail(error, "not a regular file");
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(std::min<size_t>(size_t(st.st_size), limit));
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0) {
            const int err = errno;
            ::close(fd);
            failErrno(error, err);
            return std::nullopt;
        }
        if (r == 0)
            break; // the file shrank meanwhile
        got += size_t(r);
    }
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

} // namespace trv
