// Runs a real program the way a user at a terminal without a window system
// would, and collects what it printed.
#pragma once
#include <string>
#include <vector>

namespace trvtest {

struct ProgramRun {
    int exitCode = -1; // -1 when the program did not exit normally
    std::string out;   // everything written to stdout
    std::string err;   // everything written to stderr
};

// Starts `program` with `args` in `workDir` (the current folder when empty) with
// DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM removed from the environment and
// LC_ALL=C.UTF-8, so system messages are the English ones. Waits for its end.
ProgramRun runWithoutDisplay(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workDir = {});

// Starts `program` as runWithoutDisplay does, but on the offscreen platform;
// once its stdout holds `ready` (empty: once it has a handler for SIGTERM) sends
// it the signals `toSend`, one right after the other, and waits for its end. A program
// still running after `limitSeconds` is killed and the run says so in `err`.
ProgramRun runAndSignal(const std::string& program, const std::vector<std::string>& args, const std::string& workDir,
                        const std::string& ready, const std::vector<int>& toSend, int limitSeconds = 60);

} // namespace trvtest
