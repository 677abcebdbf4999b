// The editor is two programs. TRV424, the command, runs everything without a
// window and links no widget library, so that a file manager that starts it for
// every thumbnail pays for QtGui alone; for a window it hands its process to
// the window program, which the installation keeps in libexec/trusswick.
#pragma once
#include <string>

// The folder of the running program, as the kernel knows it (not argv[0], which
// any caller may set); empty when it cannot be read.
std::string programDir();

// Replaces this process by the window program with the same arguments and
// environment. The process id stays, so a desktop, a terminal or a script still
// holds the editor it started. Returns only on failure, with the exit status,
// after saying why on standard error.
int startWindowProgram(char** argv);
