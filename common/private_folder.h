// A place of the running user's own for files that have nowhere else to go:
// settings and journal without a usable home, a journal whose folder cannot be
// used. Plain C++ and POSIX.
#pragma once
#include <string>

struct stat;

namespace trv {

// A folder only the running user can enter: "$XDG_RUNTIME_DIR/trusswick" when
// that variable names such a folder of the user's own, else
// "${TMPDIR:-/tmp}/trusswick-<uid>", so that a later start finds the journal
// again. Created with mode 0700 and used only when it is a real folder (no
// link) of the user's own that nobody else can enter; when another user holds
// that name, a fresh folder beside it. Empty, with the reason in *error, when
// none can be made.
std::string privateFolder(std::string* error = nullptr);

// Whether users other than the owner may create, rename or remove names in the
// folder described by `st`: writable by others or by a group not the user's own,
// without the sticky bit that keeps them off names they do not own.
bool othersCanWrite(const struct stat& st);

} // namespace trv
