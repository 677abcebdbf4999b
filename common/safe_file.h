// Whole-file input and output that never damages a file: a write goes to a
// temporary file beside the target and is renamed over it only once every byte
// is on disk, so a full disk or any other failure leaves the old file exactly as
// it was and says why. Plain C++ and POSIX, shared by the editor and the converter.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trv {

// Who chose the name: a name the user gave may lead through the user's own links;
// a name the program made itself (journal states, lock, index, lists) or derived
// from a folder's contents (a picture or .bgb beside each document) must not, or
// a link planted in that folder would aim the write at any file elsewhere.
enum class Origin {
    UserNamed,    // a link is followed to its target
    ProgramNamed, // never through a link; only a regular file owned by the running user
};

enum class Durability {
    Synced, // survives a power cut: the file and its folder are synced before success
    Cached, // survives a crash of the program only (journal states, rewritten on every edit)
};

// Replaces the file at `path` with `bytes` (a user-named link: its target). On
// failure returns false, leaves any existing file untouched and puts the system's
// reason into *error. A new file gets the permissions the umask allows; a replaced
// one keeps its own. A program-named target that is a link, not a regular file or
// another user's is refused and left as it is.
bool writeFileSafely(const std::string& path, std::span<const uint8_t> bytes, std::string* error = nullptr,
                     Durability durability = Durability::Synced, Origin origin = Origin::UserNamed);
bool writeFileSafely(const std::string& path, std::string_view text, std::string* error = nullptr,
                     Durability durability = Durability::Synced, Origin origin = Origin::UserNamed);

// Whether a program-named file may be used: missing (nullopt with no reason), or
// its reason to refuse it ("a symbolic link", "not a regular file", "owned by
// another user"). Empty string: an existing regular file of the user's own.
std::optional<std::string> ownFileProblem(const std::string& path);

// The first `limit` bytes of a regular file, or nothing with the reason in
// *error. A pipe or device is refused without being read or waited on, so a
// hostile name can neither block nor exhaust memory. A program-named file is
// read only when it is no link and is the running user's own.
std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::string* error = nullptr,
                                                  size_t limit = SIZE_MAX, Origin origin = Origin::UserNamed);

// Writes `bytes` into the file at `path` itself (a link: its target): opened,
// emptied, written, checked; the same file, not a new one renamed over it, for
// a caller that opened the name first and reads through its own descriptor
// (a thumbnail service). Only a regular file or a new one; a new file that
// cannot be completed is removed, an existing one is left empty.
bool writeFileInPlace(const std::string& path, std::span<const uint8_t> bytes, std::string* error = nullptr);

// While one lives, SIGTERM, SIGINT and SIGHUP wait, and end the process only
// when it is gone: a run without a window holds them over each write, so a
// writer's temporary file never outlives the process.
class HeldSignals {
public:
    HeldSignals();
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    unsigned char before_[128]; // the previous signal mask (a sigset_t)
};

} // namespace trv
