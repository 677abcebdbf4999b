// Feeds arbitrary bytes to the level and bridge reader. Whatever it accepts must
// write back to the same bytes and read back to the same document.
#include "derived.h"
#include "document.h"
#include "text_form.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

namespace {

void check(std::span<const uint8_t> bytes, bool level)
{
    // Documents are large; reusing them keeps the fuzzer fast. A successful read
    // overwrites every word that is compared below.
    static trv::Document doc;
    static trv::Document again;
    if (!trv::parseDocument(bytes, level, doc).empty())
        return;
    if (doc.NPoints < 0 || doc.NPoints > trv::kMaxPoints || doc.NLines < 0 || doc.NLines > trv::kMaxLines)
        std::abort();

    const std::vector<uint8_t> written = trv::serializeDocument(doc, !level);
    if (written.size() != trv::documentByteSize(level, doc.NPoints, doc.NLines) || written.size() > bytes.size() ||
        std::memcmp(written.data(), bytes.data(), written.size()) != 0)
        std::abort();
    if (!trv::parseDocument(written, level, again).empty() || !(again == doc))
        std::abort();
    // Its text form reads back to the same document.
    if (!trv::documentFromText(trv::documentToText(doc, level), again).problem.empty() || !(again == doc))
        std::abort();
    // Every table and list text a load builds must come out of any accepted file.
    static trv::DerivedTables tables;
    trv::deriveTables(doc, tables);
    if (tables.PointItem.size() != size_t(doc.NPoints) || tables.LineItem.size() != size_t(doc.NLines))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    check(bytes, true);
    check(bytes, false);
    return 0;
}
