// Reading documents from files, and finding a file by its name.
#pragma once
#include "safe_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trv {

struct Document;

// The path itself when it names a file; otherwise the one file in its folder whose
// name differs only in letter case (the game's files often have upper-case names);
// otherwise the path unchanged.
std::string resolveLetterCase(const std::string& path);
bool fileExists(const std::string& path);

enum class ReadStatus { Ok, Missing, Refused };
// Reads a level or bridge file (layout chosen by the name) into `doc`. On
// Refused, `message` says what is wrong with which file and `doc` is unchanged.
// Only as many bytes are read as the largest document can have: a long tail
// behind the last record costs neither time nor memory.
// With `bytesOut`, the file's bytes are handed back on success. A journal
// state is ProgramNamed: read only when it is the user's own regular file.
ReadStatus readDocumentFile(const std::string& path, Document& doc, std::string& message,
                            std::vector<uint8_t>* bytesOut = nullptr, Origin origin = Origin::UserNamed);
// The same verdict without building a document.
ReadStatus checkDocumentFile(const std::string& path, std::string& message);

} // namespace trv
