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

enum class Durability {
    Synced, // survives a power cut: the file and its folder are synced before success
    Cached, // survives a crash of the program only (journal states, rewritten on every edit)
};

// Replaces the file at `path` (following a symbolic link to its target) with
// `bytes`. On failure returns false, leaves any existing file untouched and puts
// the system's reason into *error. A new file gets the permissions the umask
// allows; a replaced one keeps its own.
bool writeFileSafely(const std::string& path, std::span<const uint8_t> bytes, std::string* error = nullptr,
                     Durability durability = Durability::Synced);
bool writeFileSafely(const std::string& path, std::string_view text, std::string* error = nullptr,
                     Durability durability = Durability::Synced);

// The first `limit` bytes of a regular file, or nothing with the reason in
// *error. A pipe or device is refused without being read or waited on, so a
// hostile name can neither block nor exhaust memory.
std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::string* error = nullptr,
                                                  size_t limit = SIZE_MAX);

} // namespace trv
