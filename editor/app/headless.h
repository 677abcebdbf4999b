// The editor's commands that need no window and no display: help, version,
// usage errors, the text form, the export picture of one file, the pictures of
// a folder, and a thumbnail for file managers.
#pragma once
#include <optional>

struct AppPaths;
struct EditorCommand;

// The places a command works with: everything in the --workdir folder, or per
// user. Empty after saying on standard error that the folder does not exist.
std::optional<AppPaths> commandPaths(const EditorCommand& command);

// Runs any command but the window (argv is the program's own, for the
// application object some of them need). Prints what it wrote on standard
// output and each problem, naming the file and the reason, on standard error.
// Returns the exit status: 0 success, 1 when a file failed, 2 for a usage error.
int runCommand(const EditorCommand& command, int argc, char** argv);
