// What an editing action did, for the window that owns the journal and the lists.
#pragma once
#include <optional>
#include <string>

namespace trv {

// Shape of the screen pointer; it doubles as tool state (a line under way or a
// picked-up point shows the up-arrow).
enum class PointerShape { Default, Cross, UpArrow };

struct EditResult {
    bool changed = false;        // raw words or counts of the document changed
    bool save = false;           // the window runs SaveDocument
    std::string action;          // journal step name; empty: save without a new name
    std::optional<int> selPoint; // new SelPoint (list row, -1 = none) when the action sets it

    // Convenience for the common case: a named step that changed the document.
    static EditResult step(std::string name)
    {
        EditResult r;
        r.changed = true;
        r.save = true;
        r.action = std::move(name);
        return r;
    }
};

} // namespace trv
