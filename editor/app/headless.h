// The editor's commands that need no window and no display: help, version,
// usage errors, the text form, the export picture of one file, the pictures of
// a folder, and a thumbnail for file managers.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct AppPaths;
struct EditorCommand;
namespace trv {
struct Document;
}

// The places a command works with: everything in the --workdir folder, or per
// user. Empty after saying on standard error that the folder does not exist.
std::optional<AppPaths> commandPaths(const EditorCommand& command);

// Runs any command but the window (argv is the program's own, for the
// application object some of them need). Prints what it wrote on standard
// output and each problem, naming the file and the reason, on standard error.
// Returns the exit status: 0 success, 1 when a file failed, 2 for a usage error.
int runCommand(const EditorCommand& command, int argc, char** argv);

// What every run without a window shares: a problem said as "TRV424: FILE: why"
// on standard error, and a document read as the window reads it (its name's
// letter case resolved), giving the name read, or nothing after saying why.
void commandProblem(const std::string& file, const std::string& why);
std::optional<std::string> readCommandDocument(const std::string& path, trv::Document& doc,
                                               std::vector<uint8_t>* bytes = nullptr);
