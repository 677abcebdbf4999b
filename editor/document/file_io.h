// Whole-file input and output for documents and journal files.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trv {

struct Document;

// The whole file, or nothing when it cannot be read (reason in *error).
std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::string* error = nullptr);
// Replaces the file with the bytes; false with a reason when that fails.
bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error = nullptr);

// The path itself when it names a file; otherwise the one file in its folder whose
// name differs only in letter case (the game's files often have upper-case names);
// otherwise the path unchanged.
std::string resolveLetterCase(const std::string& path);
bool fileExists(const std::string& path);

enum class ReadStatus { Ok, Missing, Refused };
// Reads a level or bridge file (layout chosen by the name) into `doc`. On
// Refused, `message` says what is wrong with which file and `doc` is unchanged.
// With `bytesOut`, the file's bytes are handed back on success.
ReadStatus readDocumentFile(const std::string& path, Document& doc, std::string& message,
                            std::vector<uint8_t>* bytesOut = nullptr);
// The same verdict without building a document.
ReadStatus checkDocumentFile(const std::string& path, std::string& message);

} // namespace trv
