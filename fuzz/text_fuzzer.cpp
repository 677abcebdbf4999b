// Feeds arbitrary text to the text-form reader. Whatever it accepts must write
// back as text that reads to the same document, and as bytes that the file
// reader takes.
#include "document.h"
#include "text_form.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Documents are large; reusing them keeps the fuzzer fast.
    static trv::Document doc;
    static trv::Document again;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const trv::TextReading read = trv::documentFromText(text, doc);
    if (!read.problem.empty()) {
        if (read.line < 1)
            std::abort();
        return 0;
    }
    const std::string written = trv::documentToText(doc, read.level);
    if (!trv::documentFromText(written, again).problem.empty() || !(again == doc) ||
        trv::documentToText(again, read.level) != written)
        std::abort();
    if (!trv::documentProblem(trv::serializeDocument(doc, !read.level), read.level).empty())
        std::abort();
    return 0;
}
