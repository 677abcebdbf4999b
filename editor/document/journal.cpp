#include "journal.h"

#include "text_number.h"

#include <cstdio>

namespace trv {

void Journal::clear()
{
    UndoPos = 0;
    for (auto& n : UndoName)
        n.clear();
}

std::string journalFileName(const std::string& appDir, int n)
{
    return appDir + "/TRV" + std::to_string(n) + ".TMP";
}

UndoListItems undoListItems(const Journal& j)
{
    static const std::string cancel = "          Cancel";
    UndoListItems r;
    if (j.UndoPos == 0)
        r.items.push_back(cancel);
    for (int k = 1; k <= j.UndoPos; ++k)
        r.items.push_back(padLeft(std::to_string(k), 4) + "  " + j.UndoName[k - 1]);
    if (j.UndoPos != 0)
        r.items.push_back(cancel);
    for (int k = j.UndoPos; k <= kMaxJournalState && !j.UndoName[k].empty(); ++k)
        r.items.push_back("Redo: " + j.UndoName[k]);
    r.cancelIndex = j.UndoPos;
    r.revealIndex = int(r.items.size()) > j.UndoPos + 1 ? j.UndoPos + 1 : 0;
    return r;
}

std::vector<std::string> journalDumpItems(std::span<const uint8_t> bytes)
{
    const size_t n = bytes.size() / 4;
    std::vector<std::string> rows;
    rows.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* p = bytes.data() + 4 * i;
        const uint32_t u = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        const auto w = static_cast<int32_t>(u);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%08X%11d ", u, w);
        rows.push_back(buf + formatNumber(w / 65536.0));
    }
    return rows;
}

} // namespace trv
