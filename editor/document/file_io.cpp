#include "file_io.h"

#include "document.h"

#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace trv {

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

std::string resolveLetterCase(const std::string& path)
{
    if (path.empty() || fileExists(path))
        return path;
    const fs::path p(path);
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    const std::string want = p.filename().string();
    auto lower = [](std::string s) {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    const std::string wantLower = lower(want);
    std::string found;
    int matches = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (lower(name) == wantLower && it->is_regular_file(ec)) {
            found = (dir / name).string();
            ++matches;
        }
    }
    return matches == 1 ? found : path;
}

namespace {
// The whole file and whether the reader takes it; the bytes stay in `bytes`.
ReadStatus loadChecked(const std::string& path, std::vector<uint8_t>& bytes, std::string& message,
                       Origin origin = Origin::UserNamed)
{
    if (!fileExists(path)) {
        // A pipe, a device or a folder is there, and is no document.
        std::error_code ec;
        if (path.empty() || !fs::exists(path, ec))
            return ReadStatus::Missing;
        message = refusalMessage(path, "not a regular file");
        return ReadStatus::Refused;
    }
    std::string error;
    auto read = readFileBytes(path, &error, documentByteSize(false, kMaxPoints, kMaxLines), origin);
    if (!read) {
        message = refusalMessage(path, error);
        return ReadStatus::Refused;
    }
    bytes = std::move(*read);
    if (const std::string reason = documentProblem(bytes, isLevelName(path)); !reason.empty()) {
        message = refusalMessage(path, reason);
        return ReadStatus::Refused;
    }
    return ReadStatus::Ok;
}
} // namespace

ReadStatus checkDocumentFile(const std::string& path, std::string& message)
{
    std::vector<uint8_t> bytes;
    return loadChecked(path, bytes, message);
}

ReadStatus readDocumentFile(const std::string& path, Document& doc, std::string& message,
                            std::vector<uint8_t>* bytesOut, Origin origin)
{
    std::vector<uint8_t> bytes;
    const ReadStatus status = loadChecked(path, bytes, message, origin);
    if (status != ReadStatus::Ok)
        return status;
    parseDocument(bytes, isLevelName(path), doc); // checked above: cannot refuse
    if (bytesOut)
        *bytesOut = std::move(bytes);
    return ReadStatus::Ok;
}

} // namespace trv
