// Rondix012 without a window: converts the bridges named on the command line.
#pragma once
#include <string>
#include <vector>

namespace bgb {

// Runs the command line `args` (without the program name, as the bytes the
// system passed: names need not be valid text): prints one line per
// converted file on stdout and one per failure, with its reason, on stderr.
// Returns the exit status: 0 all converted, 1 any failed, 2 wrong usage.
int runCommandLine(const std::vector<std::string>& args);

} // namespace bgb
