// The undo journal: one file per state, an action name per step.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace trv {

constexpr int kMaxJournalState = 1024;

struct Journal {
    int UndoPos = 0;
    std::array<std::string, kMaxJournalState + 1> UndoName;

    // "L" at state 0 means: nothing done since the last named load or save.
    bool changed() const { return UndoName[0] != "L"; }
    // True when recording a step now would move to the next state.
    bool stepNamed() const { return !UndoName[UndoPos].empty() && UndoName[UndoPos] != "L"; }
    // A named step at the last state has no room for its successor.
    bool full() const { return stepNamed() && UndoPos >= kMaxJournalState; }
    // (assign, not "= \"L\"": g++ 12 reports a false -Wrestrict for the literal)
    void markUnchanged() { UndoName[0].assign(1, 'L'); }
    void restart()
    {
        UndoPos = 0;
        markUnchanged();
    }
    void clear();
};

// AppDir + "/TRV" + n + ".TMP".
std::string journalFileName(const std::string& appDir, int n);

struct UndoListItems {
    std::vector<std::string> items;
    int cancelIndex = 0; // the row selected when the list opens
    int revealIndex = 0; // the row brought into view first
};
UndoListItems undoListItems(const Journal& j);

// One row per word of a journal file: hex, decimal, and the word / 65536.
std::vector<std::string> journalDumpItems(std::span<const uint8_t> bytes);

} // namespace trv
