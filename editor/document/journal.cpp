#include "journal.h"

#include "private_folder.h"
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

// A journal name found as a regular file of the user's own (not a link).
bool isOwnFile(const std::string& path)
{
    const auto why = ownFileProblem(path);
    return why && why->empty();
}

// Removes a journal file only when it is the user's own regular file: a link,
// pipe or another user's file under a journal name is left as it is.
bool removeOwn(const std::string& path) { return isOwnFile(path) && ::unlink(path.c_str()) == 0; }

// Opens a journal file for writing without following a link and without
// waiting on a pipe; -1 when it cannot be opened, with `refused` set when the
// name is anything but a regular file of the user's own.
int openOwn(const std::string& path, int flags, bool& refused)
{
    refused = false;
    if (const auto why = ownFileProblem(path); why && !why->empty()) {
        refused = true;
        return -1;
    }
    // Not inherited by programs the editor starts, which would keep a lock held.
    const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) {
        refused = errno == ELOOP;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd); // put there after the check above
        refused = true;
        return -1;
    }
    return fd;
}

// The lock of a journal folder, held for as long as the returned descriptor is
// open: the system drops it when the process ends, however it ends, so a lock
// left by a crashed editor is free at once and no process number is guessed.
// -1: another editor holds it; -2: it cannot be taken (reason in errno);
// -3: the name is no regular file of the user's own.
int lockFolder(const std::string& folder)
{
    const std::string path = inFolder(folder, kLockName);
    for (int attempt = 0; attempt < 8; ++attempt) {
        bool refused = false;
        const int fd = openOwn(path, O_RDWR | O_CREAT, refused);
        if (fd < 0)
            return refused ? -3 : -2;
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
        if (::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
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

uint64_t folderIdOf(const std::string& folder)
{
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 ? uint64_t(st.st_ino) : 0;
}

// The index of `folder`, when it is a regular file of the user's own that an
// editor wrote in this very folder.
std::optional<LeftJournal> readIndex(const std::string& folder)
{
    const auto text = readFileBytes(inFolder(folder, kIndexName), nullptr, 1 << 20, Origin::ProgramNamed);
    if (!text)
        return std::nullopt;
    auto j = parseJournalIndex(std::string(text->begin(), text->end()));
    if (!j || j->folderId == 0 || j->folderId != folderIdOf(folder))
        return std::nullopt;
    return j;
}

// Why `folder` cannot hold this editor's journal, empty when it can: a
// subfolder that is a link, no folder, another user's or open to other users; a
// journal name in it that is anything but a regular file of the user's own; an
// index that was not written there. Nothing is opened but regular files.
std::string folderProblem(const std::string& folder, bool subfolder)
{
    if (subfolder) {
        struct stat st {};
        if (::lstat(folder.c_str(), &st) != 0)
            return folder + ": " + std::strerror(errno);
        if (S_ISLNK(st.st_mode))
            return folder + " is a symbolic link";
        if (!S_ISDIR(st.st_mode))
            return folder + " is not a folder";
        if (st.st_uid != ::geteuid())
            return folder + " is owned by another user";
        if (othersCanWrite(st))
            return folder + " can be written by other users";
    }
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name != kLockName && name != kIndexName && !isStateName(name))
            continue;
        if (const auto why = ownFileProblem(it->path().string()); why && !why->empty())
            return it->path().string() + " is " + *why;
    }
    if (ec)
        return folder + ": " + ec.message();
    if (const std::string index = inFolder(folder, kIndexName); isOwnFile(index) && !readIndex(folder))
        return index + " was not written by this editor in this folder";
    return {};
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

void Journal::setFolder(const std::string& folder)
{
    folder_ = folder;
    folderId_ = folderIdOf(folder);
}

bool Journal::takeFolder(const std::string& base, std::string& why)
{
    base_ = base;
    std::error_code ec;
    fs::create_directories(base, ec);
    struct stat st {};
    if (::stat(base.c_str(), &st) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        why = "not a folder";
        return false;
    }
    // Another user could plant names there between any check and its use.
    if (othersCanWrite(st)) {
        why = "other users can write to it";
        return false;
    }
    for (int k = 1; k <= kMaxEditors; ++k) {
        const std::string folder = k == 1 ? base : base + "/TRV-" + std::to_string(k);
        if (k > 1 && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            continue;
        if (std::string problem = folderProblem(folder, k > 1); !problem.empty()) {
            if (refused_.empty())
                refused_ = std::move(problem);
            continue;
        }
        const int fd = lockFolder(folder);
        if (fd >= 0) {
            slots_.insert(slots_.begin(), Slot{folder, fd});
            setFolder(folder);
            return true;
        }
        if (fd == -2 && k == 1) {
            why = std::strerror(errno); // no subfolder could be locked either
            return false;
        }
        // Held by a running editor, or a subfolder that cannot be used: the next one.
    }
    why = "no folder of its own is free";
    return false;
}

bool Journal::open(const std::string& base, std::string* error)
{
    std::string why;
    if (takeFolder(base, why)) {
        if (!refused_.empty())
            notice_ = refused_ + ": the editor leaves it as it is and keeps its journal in " + folder_ + ".";
        return true;
    }
    // Undo, redo and the recovery after a crash keep working in a folder of the
    // user's own, the same one at the next start.
    const std::string what =
        refused_.empty() ? "The journal folder " + base + " cannot be used (" + why + ")" : refused_;
    std::string unused;
    if (const std::string own = privateFolder(); !own.empty() && takeFolder(own + "/journal", unused)) {
        notice_ = what + ": the editor keeps its journal in " + folder_ + " instead.";
        return true;
    }
    base_ = base;
    setFolder(base);
    if (error)
        *error = why;
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
    } else if ((advance || !asStored) &&
               !writeFileSafely(stateFile(target), bytes, &reason, Durability::Cached, Origin::ProgramNamed)) {
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
    j.folderId = folderId_;
    // Rewritten in place with one write, which a crash of the program cannot cut
    // in half; the end line marks where it ends. Replacing the file by a rename
    // would cost a flush of its data on every step on some file systems. Best
    // effort: the states themselves were written and checked already.
    // A redraw loads the state again without changing it: nothing to write.
    std::string text = formatJournalIndex(j);
    if (indexWritten_.size() == folder_.size() + 1 + text.size() && indexWritten_.starts_with(folder_) &&
        indexWritten_.ends_with(text))
        return;
    bool refused = false;
    const int fd = openOwn(inFolder(folder_, kIndexName), O_WRONLY | O_CREAT, refused);
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
    if (folder_ != base_ && folderProblem(base_, false).empty())
        folders.push_back(base_);
    std::error_code ec;
    std::vector<std::string> subfolders;
    for (fs::directory_iterator it(base_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // A link, another user's folder or one with names not its own is no left journal.
        if (name.rfind("TRV-", 0) == 0 && it->path().string() != folder_ &&
            folderProblem(it->path().string(), true).empty())
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
        std::optional<LeftJournal> j = readIndex(folder);
        if (j && j->UndoName[0] != "L" && isOwnFile(journalFileName(folder, j->UndoPos))) {
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
        setFolder(left.folder);
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
                removeOwn(it->path().string());
    } else {
        // From state 1 up to the first gap; state 0 stays.
        for (int n = 1; removeOwn(journalFileName(folder, n)); ++n) {}
    }
    removeOwn(inFolder(folder, kIndexName));
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
        removeOwn(inFolder(folder, kLockName));
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
    out += "folder " + std::to_string(j.folderId) + "\n";
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
        } else if (key == "folder") {
            if (!parseInt(value, j.folderId))
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
