#include "run_program.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace trvtest {

namespace {

bool startsWithName(const char* entry, const char* name)
{
    const size_t n = std::strlen(name);
    return std::strncmp(entry, name, n) == 0 && entry[n] == '=';
}

struct Signalling {
    bool offscreen = false;
    std::string ready;       // sent once stdout holds this, or (empty) once SIGTERM is caught
    std::vector<int> toSend; // none: just run
    int limitSeconds = 0;
};

// Whether the process has a handler of its own for SIGTERM (SigCgt in /proc).
bool catchesTerm(pid_t pid)
{
    FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
    if (!f)
        return false;
    char line[256];
    unsigned long long mask = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "SigCgt: %llx", &mask) == 1)
            break;
    std::fclose(f);
    return (mask >> (SIGTERM - 1)) & 1;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& workDir,
                      const Signalling& sig)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (!startsWithName(*e, "DISPLAY") && !startsWithName(*e, "WAYLAND_DISPLAY") &&
            !startsWithName(*e, "QT_QPA_PLATFORM") && !startsWithName(*e, "LC_ALL"))
            env.emplace_back(*e);
    env.emplace_back("LC_ALL=C.UTF-8");
    if (sig.offscreen)
        env.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp;
    envp.reserve(env.size() + 1);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    std::vector<std::string> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(argStore.size() + 1);
    for (std::string& a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int outPipe[2], errPipe[2];
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0)
        throw std::runtime_error("cannot create pipes");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    if (!workDir.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawned != 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));
    }

    // Both pipes are drained together, so a program filling one never blocks.
    ProgramRun run;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    int open = 2;
    bool sent = sig.toSend.empty();
    int waited = 0; // idle polls of 50 ms
    bool killed = false;
    while (open > 0) {
        if (!sent && (sig.ready.empty() ? catchesTerm(pid) : run.out.find(sig.ready) != std::string::npos)) {
            for (int s : sig.toSend)
                ::kill(pid, s);
            sent = true;
        }
        const int got = ::poll(fds, 2, sig.limitSeconds > 0 ? 50 : -1);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (got == 0 && !killed && ++waited > sig.limitSeconds * 20) {
            ::kill(pid, SIGKILL);
            killed = true;
            run.err += "\n[still running after " + std::to_string(sig.limitSeconds) + " s: killed]";
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buf[4096];
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, size_t(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (WIFSIGNALED(status))
        run.err += "\n[ended by signal " + std::to_string(WTERMSIG(status)) + "]";
    return run;
}

} // namespace

ProgramRun runWithoutDisplay(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workDir)
{
    return runProgram(program, args, workDir, {});
}

ProgramRun runAndSignal(const std::string& program, const std::vector<std::string>& args, const std::string& workDir,
                        const std::string& ready, const std::vector<int>& toSend, int limitSeconds)
{
    return runProgram(program, args, workDir, {true, ready, toSend, limitSeconds});
}

} // namespace trvtest
