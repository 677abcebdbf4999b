#include "window_program.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

std::string programDir()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, size_t(n));
    return exe.substr(0, exe.rfind('/'));
}

int startWindowProgram(char** argv)
{
    // The same relative place in the build tree as in an installation.
    const std::string window = programDir() + "/" TRUSSWICK_COMMAND_TO_WINDOW "/TRV424";
    execv(window.c_str(), argv);
    std::fprintf(stderr, "TRV424: cannot start the window program %s: %s\n", window.c_str(), std::strerror(errno));
    return 1;
}
