// The undo journal: one file per state (TRV<n>.TMP), an action name per step.
// It owns its folder under a lock, so that two editors never share states; it
// keeps an index of the current state and the step names beside the states, so
// that the work of an editor that ended without saving can be offered back.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trv {

constexpr int kMaxJournalState = 1024;
using StepNames = std::array<std::string, kMaxJournalState + 1>;

// folder + "/TRV" + n + ".TMP".
std::string journalFileName(const std::string& folder, int n);

// What a journal left behind by an editor that is no longer running holds.
struct LeftJournal {
    std::string folder;
    std::string document; // the text of the file name box when the last state was written
    int UndoPos = 0;
    StepNames UndoName;
    int64_t lastStep = 0; // seconds since 1970 of the last step
    // The inode of the folder the index was written in: an index copied or
    // unpacked from elsewhere does not name the folder it lies in.
    uint64_t folderId = 0;
};

class Journal {
public:
    Journal();
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // The current state. Read here; moved only by undo(), redo() and goTo(), so
    // that redo lands only on a named state and never past the last.
    const int& UndoPos = undoPos_;
    StepNames UndoName;

    // One state back, never below state 0.
    void undo() { undoPos_ = std::max(0, undoPos_ - 1); }
    // One state on, when the current step is named and the journal not full;
    // false when it stays.
    bool redo();
    // To state `n` (the undo list's row), within the journal.
    void goTo(int n) { undoPos_ = std::clamp(n, 0, kMaxJournalState); }

    // "L" at state 0 means: nothing done since the last named load or save.
    bool changed() const { return UndoName[0] != "L"; }
    // True when recording a step now would move to the next state.
    bool stepNamed() const { return !UndoName[UndoPos].empty() && UndoName[UndoPos] != "L"; }
    // (assign, not "= \"L\"": g++ 12 reports a false -Wrestrict for the literal)
    void markUnchanged() { UndoName[0].assign(1, 'L'); }
    // A named load or save: state 0 becomes the document as stored.
    void restart();
    // Clears the names up to the first one that is empty already.
    void clearNames();

    // Names the current step for an edit that becomes a step of its own.
    void nameStep(const std::string& name);
    // Names the current step for a typed value, unless a step name is there.
    void nameTypedStep(const std::string& name);

    // ---- the files
    // Takes a folder of its own below `base`: `base` itself for the first
    // editor, a subfolder "TRV-<k>" (mode 0700) for each further one while the
    // others run, and for a folder holding a journal name that is no regular
    // file of the user's own or an index written elsewhere; such names are left
    // as they are. When `base` cannot hold a journal (no folder, no lock, other
    // users can write to it), the journal goes to a private folder (privateFolder()).
    // False (with the reason) when no lock can be had anywhere; the states then
    // go to `base` unguarded, as if no other editor were running.
    bool open(const std::string& base, std::string* error = nullptr);
    const std::string& folder() const { return folder_; }
    // What open() refused or where it moved, said once to the user; empty when
    // the journal is where it was asked to be.
    const std::string& notice() const { return notice_; }
    std::string stateFile(int n) const { return journalFileName(folder_, n); }

    enum class Recorded { Written, Full, Failed };
    // Writes the document's bytes as the current state: a named step moves on to
    // the next state first; a save without a new name that finds the state as it
    // is writes nothing. Failed: nothing moved; `error` names the file and the reason.
    Recorded record(std::vector<uint8_t> bytes, std::string& error);
    // The bytes of the current state, when this editor wrote or read that state
    // last; null when its file must be read.
    const std::vector<uint8_t>* knownState() const { return statePos_ == UndoPos ? &stateBytes_ : nullptr; }
    // The current state was loaded (from its file, or the known bytes): notes
    // the position, the names and the document in the index.
    void stateRead(std::vector<uint8_t> bytes, const std::string& document);
    void stateShown(const std::string& document);

    // Journals below `base` that editors no longer running left with unsaved
    // changes, this editor's own folder first. Those without unsaved changes are
    // removed on the way. Each returned journal stays locked by this editor
    // until it is adopted or discarded.
    std::vector<LeftJournal> findLeftJournals();
    // Continues a left journal: its folder becomes this editor's, with its
    // names and position; the folder used so far is given up.
    void adopt(const LeftJournal& left);
    // Removes a left journal's files.
    void discard(const LeftJournal& left);
    // Lets a left journal be, for a later start to offer.
    void leave(const LeftJournal& left);

    // The clean end: removes this editor's states from number 1 upwards until
    // the first missing one (state 0 stays), the index and the lock; a folder of
    // its own goes as a whole.
    void close();

private:
    struct Slot;
    // Locks the first usable folder at or below `base`; false with `why` when
    // `base` itself cannot hold a journal.
    bool takeFolder(const std::string& base, std::string& why);
    void setFolder(const std::string& folder);
    void saveIndex();
    // Takes back a name given since the last write: the document returns to the
    // state as written, and with it to that state's name ("L" right after a load).
    void takeBackName();
    void removeStates(const std::string& folder, bool whole);
    // Gives up a held lock; with `removeFolder`, its lock file and (below the
    // base) its emptied folder go too.
    void release(const std::string& folder, bool removeFolder = true);

    int undoPos_ = 0;
    std::string base_;
    std::string folder_;
    uint64_t folderId_ = 0;
    std::string notice_;
    std::string refused_;             // the first journal name open() would not touch, and why
    std::vector<Slot> slots_;         // locks held: this editor's own first, then left journals being offered
    std::vector<uint8_t> stateBytes_; // the file of state statePos_, as last read
    int statePos_ = -1;
    bool stepRecorded_ = false; // an edit named the current step since the last write
    bool typedName_ = false;    // a typed value named it
    std::string nameBefore_;    // the current step's name before either
    std::string indexWritten_;  // the index file's folder and text as last written
    int64_t lastStep_ = 0;
    std::string document_;
};

struct UndoListItems {
    std::vector<std::string> items;
    int cancelIndex = 0; // the row selected when the list opens
    int revealIndex = 0; // the row brought into view first
};
UndoListItems undoListItems(const Journal& j);

// One row per word of a journal file: hex, decimal, and the word / 65536.
std::vector<std::string> journalDumpItems(std::span<const uint8_t> bytes);

// The index text of a journal, and back; nullopt when the text is no index.
std::string formatJournalIndex(const LeftJournal& j);
std::optional<LeftJournal> parseJournalIndex(const std::string& text);

} // namespace trv
