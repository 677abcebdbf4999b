#include "safe_file.h"

#include <cerrno>
#include <csignal>
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

// Why a program-named file found as `st` may not be used; empty when it may.
std::string ownProblem(const struct stat& st)
{
    if (S_ISLNK(st.st_mode))
        return "a symbolic link";
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    if (st.st_uid != ::geteuid())
        return "owned by another user";
    return {};
}

} // namespace

std::optional<std::string> ownFileProblem(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT ? std::nullopt : std::optional<std::string>(std::strerror(errno));
    return ownProblem(st);
}

bool writeFileSafely(const std::string& path, std::span<const uint8_t> bytes, std::string* error, Durability durability,
                     Origin origin)
{
    if (path.empty())
        return fail(error, "no file name");
    struct stat st {};
    fs::path target = path;
    const bool found = ::lstat(path.c_str(), &st) == 0;
    if (found && origin == Origin::ProgramNamed) {
        // The rename below replaces the name itself, never a link's target, so a
        // link put there after this check still cannot redirect the write.
        if (std::string why = ownProblem(st); !why.empty())
            return fail(error, why);
    } else if (found && S_ISLNK(st.st_mode)) {
        // A user's link is kept as a link: its target is what gets replaced.
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

bool writeFileSafely(const std::string& path, std::string_view text, std::string* error, Durability durability,
                     Origin origin)
{
    return writeFileSafely(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), error,
                           durability, origin);
}

std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::string* error, size_t limit,
                                                  Origin origin)
{
    // Non-blocking, so that opening a pipe does not wait for a writer.
    const int noFollow = origin == Origin::ProgramNamed ? O_NOFOLLOW : 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | noFollow);
    if (fd < 0 && errno == ELOOP) {
        fail(error, "a symbolic link");
        return std::nullopt;
    }
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
    if (std::string why = origin == Origin::ProgramNamed ? ownProblem(st)
            : S_ISREG(st.st_mode)                        ? ""
                                                         : "not a regular file";
        !why.empty()) {
        ::close(fd);
        fail(error, why);
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

bool writeFileInPlace(const std::string& path, std::span<const uint8_t> bytes, std::string* error)
{
    if (path.empty())
        return fail(error, "no file name");
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return fail(error, "not a regular file");
    // Non-blocking, so that a pipe put under the name meanwhile does not wait for a reader.
    int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    bool created = false;
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = fd >= 0;
    }
    if (fd < 0)
        return failErrno(error, errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(error, "not a regular file");
    }
    int err = 0;
    bool ok = (::ftruncate(fd, 0) == 0 || (err = errno, false)) && writeAll(fd, bytes.data(), bytes.size(), err);
    // Nothing half-written is left: a file of this run goes, one given stays empty.
    if (!ok && !created)
        (void)!::ftruncate(fd, 0);
    if (::close(fd) != 0 && ok)
        ok = false, err = errno;
    if (!ok && created)
        ::unlink(path.c_str());
    return ok || failErrno(error, err);
}

namespace {
sigset_t endingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}
} // namespace

HeldSignals::HeldSignals()
{
    static_assert(sizeof(sigset_t) <= sizeof(before_));
    const sigset_t set = endingSignals();
    sigset_t before;
    ::sigprocmask(SIG_BLOCK, &set, &before);
    std::memcpy(before_, &before, sizeof before);
}

HeldSignals::~HeldSignals()
{
    sigset_t before;
    std::memcpy(&before, before_, sizeof before);
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
}

} // namespace trv
