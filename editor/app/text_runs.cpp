#include "text_runs.h"

#include "command_line.h"
#include "document.h"
#include "file_io.h"
#include "headless.h"
#include "safe_file.h"
#include "text_form.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

namespace {

int toText(const EditorCommand& c)
{
    trv::Document doc;
    std::vector<uint8_t> bytes;
    const std::optional<std::string> name = readCommandDocument(c.file, doc, &bytes);
    if (!name)
        return 1;
    const bool level = trv::isLevelName(*name);
    const size_t documentSize = trv::documentByteSize(level, doc.NPoints, doc.NLines);
    if (bytes.size() > documentSize) {
        // Only the start of a long tail was read; the file's size tells all of it.
        std::error_code ec;
        const auto size = std::filesystem::file_size(*name, ec);
        const auto tail = (ec ? bytes.size() : size) - documentSize;
        commandProblem(c.file,
                       "the " + std::to_string(tail) +
                           " bytes after the last line record are not part of the document and are left out");
    }
    const std::string text = trv::documentToText(doc, level);
    if (c.out.empty()) {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
            commandProblem("standard output", "cannot write");
            return 1;
        }
        return 0;
    }
    std::string error;
    if (!trv::writeFileSafely(c.out, std::string_view(text), &error)) {
        commandProblem(c.out, "cannot write: " + error);
        return 1;
    }
    std::printf("%s -> %s\n", c.file.c_str(), c.out.c_str());
    return 0;
}

// At most one byte more than a text may have, so that a longer one is known as such.
std::optional<std::vector<uint8_t>> readStandardInput()
{
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    while (bytes.size() <= trv::kMaxTextBytes) {
        const size_t n = std::fread(buf, 1, sizeof buf, stdin);
        bytes.insert(bytes.end(), buf, buf + n);
        if (n < sizeof buf)
            break;
    }
    if (std::ferror(stdin))
        return std::nullopt;
    return bytes;
}

int fromText(const EditorCommand& c)
{
    std::optional<std::vector<uint8_t>> bytes;
    std::string error = "cannot read";
    if (c.file == "-") {
        bytes = readStandardInput();
    } else {
        std::error_code ec;
        if (!std::filesystem::exists(c.file, ec)) {
            commandProblem(c.file, "no such file");
            return 1;
        }
        bytes = trv::readFileBytes(c.file, &error, trv::kMaxTextBytes + 1);
    }
    if (!bytes) {
        commandProblem(c.file, error);
        return 1;
    }
    trv::Document doc;
    const trv::TextReading read =
        trv::documentFromText(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), doc);
    if (!read.problem.empty()) {
        std::fprintf(stderr, "%s:%d: %s\n", c.file.c_str(), read.line, read.problem.c_str());
        return 1;
    }
    // The name chooses the layout, as it does for the file reader.
    const std::vector<uint8_t> out = trv::serializeDocument(doc, !trv::isLevelName(c.out));
    if (!trv::writeFileSafely(c.out, out, &error)) {
        commandProblem(c.out, "cannot write: " + error);
        return 1;
    }
    std::printf("%s -> %s\n", c.file.c_str(), c.out.c_str());
    return 0;
}

} // namespace

int runTextCommand(const EditorCommand& command)
{
    return command.kind == EditorCommand::Kind::ToText ? toText(command) : fromText(command);
}
