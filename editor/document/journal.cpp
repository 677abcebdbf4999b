#include "journal.h"

#include "safe_file.h"
#include "text_number.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace trv {

namespace {

const char* const kLockName = "TRV.lock";
const char* const kIndexName = "TRV.index";
const char* const kIndexHeader = "TRV journal 1";
constexpr int kMaxEditors = 64;

std::string inFolder(const std::string& folder, const char* name) { return folder + "/" + name; }

// The lock of a journal folder, held for as long as the returned descriptor is
// open: the system drops it when the process ends, however it ends, so a lock
// left by a crashed editor is free at once and no process number is guessed.
// -1: another editor holds it; -2: it cannot be taken (reason in errno).
int lockFolder(const std::string& folder)
{
    const std::string path = inFolder(folder, kLockName);
    for (int attempt = 0; attempt < 8; ++attempt) {
        // Not inherited by programs the editor starts, which would keep it locked.
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return -2;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(fd);
            errno = err;
            return err == EWOULDBLOCK ? -1 : -2;
        }
        // An editor that ended between our open and our lock removed the file:
        // the lock must be on the file that is there now.
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev) {
            const std::string pid = std::to_string(::getpid()) + "\n";
            if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.data(), pid.size()) < 0) {
                // only informative for people who look at the folder
            }
            return fd;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return -2;
}

bool isStateName(const std::string& name)
{
    if (name.size() < 8 || name.compare(0, 3, "TRV") != 0 || name.compare(name.size() - 4, 4, ".TMP") != 0)
        return false;
    return std::all_of(name.begin() + 3, name.end() - 4, [](char c) { return c >= '0' && c <= '9'; });
}

std::string escapeLine(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescapeLine(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

template <class T>
bool parseInt(std::string_view text, T& out)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

} // namespace

struct Journal::Slot {
    std::string folder;
    int fd = -1;
};

std::string journalFileName(const std::string& folder, int n) { return folder + "/TRV" + std::to_string(n) + ".TMP"; }

Journal::Journal() = default;

Journal::~Journal()
{
    for (const Slot& s : slots_)
        ::close(s.fd);
}

void Journal::restart()
{
    undoPos_ = 0;
    markUnchanged();
    statePos_ = -1; // the state-0 write that follows is the document as stored, not a change
}

bool Journal::redo()
{
    if (!stepNamed() || undoPos_ >= kMaxJournalState)
        return false;
    ++undoPos_;
    return true;
}

void Journal::clearNames()
{
    for (int k = 0; k <= kMaxJournalState && !UndoName[size_t(k)].empty(); ++k)
        UndoName[size_t(k)].clear();
}

void Journal::nameStep(const std::string& name)
{
    if (!stepRecorded_ && !typedName_)
        nameBefore_ = UndoName[size_t(UndoPos)];
    UndoName[size_t(UndoPos)] = name;
    stepRecorded_ = true;
}

void Journal::takeBackName()
{
    if (stepRecorded_ || typedName_)
        UndoName[size_t(UndoPos)] = nameBefore_;
}

void Journal::nameTypedStep(const std::string& name)
{
    // A typed value names the step only when nothing else has. Right after a load
    // the state carries "L", which must give way too: otherwise the change would
    // count as none and could be discarded without a question.
    std::string& current = UndoName[size_t(UndoPos)];
    if (!current.empty() && current != "L")
        return;
    if (!stepRecorded_)
        nameBefore_ = current;
    current = name;
    typedName_ = true;
}

bool Journal::open(const std::string& base, std::string* error)
{
    base_ = base;
    folder_ = base;
    std::error_code ec;
    fs::create_directories(base, ec);
    for (int k = 1; k <= kMaxEditors; ++k) {
        const std::string folder = k == 1 ? base : base + "/TRV-" + std::to_string(k);
        if (k > 1)
            fs::create_directory(folder, ec);
        const int fd = lockFolder(folder);
        if (fd >= 0) {
            slots_.insert(slots_.begin(), Slot{folder, fd});
            folder_ = folder;
            return true;
        }
        if (fd == -2 && k == 1)
            break; // the base folder itself cannot be locked: no subfolder could be either
        // Held by a running editor, or a subfolder that cannot be used: the next one.
    }
    if (error)
        *error = std::strerror(errno);
    return false;
}

Journal::Recorded Journal::record(std::vector<uint8_t> bytes, std::string& error)
{
    const bool known = statePos_ == UndoPos;
    const bool asStored = known && bytes == stateBytes_;
    // A save without a new name (a mode switch, Space, a caption click) that
    // finds the document as the current state holds it moves nowhere: after an
    // undo the current step still carries its name, and moving on would
    // overwrite the redo state with a copy.
    bool advance = stepNamed();
    if (advance && !stepRecorded_ && asStored) {
        advance = false;
        takeBackName(); // a typed value that changed nothing
    }
    const int target = advance ? UndoPos + 1 : UndoPos;
    Recorded result = Recorded::Written;
    std::string reason;
    if (advance && UndoPos >= kMaxJournalState) {
        result = Recorded::Full;
    } else if ((advance || !asStored) && !writeFileSafely(stateFile(target), bytes, &reason, Durability::Cached)) {
        error = stateFile(target) + ":\n" + reason;
        result = Recorded::Failed;
    }
    if (result != Recorded::Written)
        takeBackName();
    stepRecorded_ = false;
    typedName_ = false;
    if (result != Recorded::Written || (!advance && asStored))
        return result; // on Written: the state already held these bytes
    // A change without a step name (the budget, say) rewrites the state, and the
    // loaded document no longer is as stored.
    if (!advance && known && UndoPos == 0 && !changed())
        UndoName[0].clear();
    undoPos_ = target;
    stateBytes_ = std::move(bytes);
    statePos_ = target;
    lastStep_ = int64_t(std::time(nullptr));
    return Recorded::Written;
}

void Journal::stateRead(std::vector<uint8_t> bytes, const std::string& document)
{
    stateBytes_ = std::move(bytes);
    statePos_ = UndoPos;
    stateShown(document);
}

void Journal::stateShown(const std::string& document)
{
    document_ = document;
    saveIndex();
}

void Journal::saveIndex()
{
    LeftJournal j;
    j.document = document_;
    j.UndoPos = UndoPos;
    j.UndoName = UndoName;
    j.lastStep = lastStep_;
    // Rewritten in place with one write, which a crash of the program cannot cut
    // in half; the end line marks where it ends. Replacing the file by a rename
    // would cost a flush of its data on every step on some file systems. Best
    // effort: the states themselves were written and checked already.
    // A redraw loads the state again without changing it: nothing to write.
    std::string text = formatJournalIndex(j);
    if (indexWritten_.size() == folder_.size() + 1 + text.size() && indexWritten_.starts_with(folder_) &&
        indexWritten_.ends_with(text))
        return;
    const int fd = ::open(inFolder(folder_, kIndexName).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    if (::pwrite(fd, text.data(), text.size(), 0) == ssize_t(text.size()) && ::ftruncate(fd, off_t(text.size())) == 0)
        indexWritten_ = folder_ + '\n' + std::move(text);
    ::close(fd);
}

std::vector<LeftJournal> Journal::findLeftJournals()
{
    if (slots_.empty())
        return {}; // without a lock of its own, no folder here is known to be free

    std::vector<std::string> folders{folder_};
    if (folder_ != base_)
        folders.push_back(base_);
    std::error_code ec;
    std::vector<std::string> subfolders;
    for (fs::directory_iterator it(base_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("TRV-", 0) == 0 && it->is_directory(ec) && it->path().string() != folder_)
            subfolders.push_back(it->path().string());
    }
    std::sort(subfolders.begin(), subfolders.end());
    folders.insert(folders.end(), subfolders.begin(), subfolders.end());

    std::vector<LeftJournal> left;
    for (const std::string& folder : folders) {
        const bool own = folder == folder_;
        if (!own) {
            const int fd = lockFolder(folder);
            if (fd < 0)
                continue; // a running editor's, or not ours to look at
            slots_.push_back(Slot{folder, fd});
        }
        std::optional<LeftJournal> j;
        if (const auto text = readFileBytes(inFolder(folder, kIndexName), nullptr, 1 << 20))
            j = parseJournalIndex(std::string(text->begin(), text->end()));
        if (j && j->UndoName[0] != "L" && fs::is_regular_file(journalFileName(folder, j->UndoPos), ec)) {
            j->folder = folder;
            left.push_back(std::move(*j));
            continue;
        }
        // Nothing unsaved: the leftovers go without a question.
        if (!own) {
            removeStates(folder, folder != base_);
            release(folder);
        } else if (j) {
            removeStates(folder, false);
        }
    }
    return left;
}

void Journal::adopt(const LeftJournal& left)
{
    if (left.folder != folder_) {
        const std::string own = folder_;
        removeStates(own, own != base_);
        release(own);
        // The adopted folder's lock is held since it was found.
        auto it = std::find_if(slots_.begin(), slots_.end(), [&](const Slot& s) { return s.folder == left.folder; });
        if (it != slots_.end())
            std::rotate(slots_.begin(), it, it + 1);
        folder_ = left.folder;
    }
    undoPos_ = left.UndoPos;
    UndoName = left.UndoName;
    lastStep_ = left.lastStep;
    statePos_ = -1;
}

void Journal::discard(const LeftJournal& left)
{
    const bool own = left.folder == folder_;
    removeStates(left.folder, !own && left.folder != base_);
    if (!own)
        release(left.folder);
}

void Journal::leave(const LeftJournal& left)
{
    if (left.folder != folder_)
        release(left.folder, false);
}

void Journal::close()
{
    removeStates(folder_, folder_ != base_);
    while (!slots_.empty())
        release(std::string(slots_.back().folder));
}

void Journal::removeStates(const std::string& folder, bool whole)
{
    std::error_code ec;
    if (whole) {
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (isStateName(it->path().filename().string()))
                fs::remove(it->path(), ec);
    } else {
        // From state 1 up to the first gap; state 0 stays.
        for (int n = 1; fs::remove(journalFileName(folder, n), ec); ++n) {}
    }
    fs::remove(inFolder(folder, kIndexName), ec);
    if (folder == folder_)
        indexWritten_.clear();
}

void Journal::release(const std::string& folder, bool removeFolder)
{
    auto it = std::find_if(slots_.begin(), slots_.end(), [&](const Slot& s) { return s.folder == folder; });
    if (it == slots_.end())
        return;
    // Removed while still locked, so no other editor can take the old file.
    if (removeFolder)
        ::unlink(inFolder(folder, kLockName).c_str());
    ::close(it->fd);
    slots_.erase(it);
    if (removeFolder && folder != base_)
        ::rmdir(folder.c_str()); // only when nothing else is in it
}

std::string formatJournalIndex(const LeftJournal& j)
{
    std::string out = std::string(kIndexHeader) + "\n";
    out += "state " + std::to_string(j.UndoPos) + "\n";
    out += "time " + std::to_string(j.lastStep) + "\n";
    out += "document " + escapeLine(j.document) + "\n";
    for (int k = 0; k <= kMaxJournalState; ++k)
        if (!j.UndoName[size_t(k)].empty())
            out += "step " + std::to_string(k) + " " + escapeLine(j.UndoName[size_t(k)]) + "\n";
    return out + "end\n";
}

std::optional<LeftJournal> parseJournalIndex(const std::string& text)
{
    LeftJournal j;
    std::string_view rest = text;
    bool first = true, havePos = false, ended = false;
    while (!rest.empty() && !ended) {
        const size_t nl = rest.find('\n');
        const std::string_view line = rest.substr(0, nl);
        rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
        if (first) {
            if (line != kIndexHeader)
                return std::nullopt;
            first = false;
            continue;
        }
        const size_t sp = line.find(' ');
        const std::string_view key = line.substr(0, sp);
        const std::string_view value = sp == std::string_view::npos ? std::string_view() : line.substr(sp + 1);
        if (key == "state") {
            if (!parseInt(value, j.UndoPos) || j.UndoPos < 0 || j.UndoPos > kMaxJournalState)
                return std::nullopt;
            havePos = true;
        } else if (key == "time") {
            if (!parseInt(value, j.lastStep))
                return std::nullopt;
        } else if (key == "document") {
            j.document = unescapeLine(value);
        } else if (key == "end") {
            ended = true; // whatever follows is left from a longer index
        } else if (key == "step") {
            const size_t sp2 = value.find(' ');
            int k = -1;
            if (sp2 == std::string_view::npos || !parseInt(value.substr(0, sp2), k) || k < 0 || k > kMaxJournalState)
                return std::nullopt;
            j.UndoName[size_t(k)] = unescapeLine(value.substr(sp2 + 1));
        }
    }
    if (!havePos || !ended)
        return std::nullopt;
    return j;
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
