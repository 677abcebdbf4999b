// Rondix012 without a window: converts the bridges named on the command line.
#pragma once
#include <QStringList>

namespace bgb {

// Runs the command line `args` (without the program name): prints one line per
// converted file on stdout and one per failure, with its reason, on stderr.
// Returns the exit status: 0 all converted, 1 any failed, 2 wrong usage.
int runCommandLine(const QStringList& args);

} // namespace bgb
