// The largest bridge (8,190 points, 8,190 lines) turned into text and back by two
// runs of the real TRV424, beside a whole Rondix012 conversion of the same file
// and TRV424's bare start-up, all measured in the same run.
#include "document.h"
#include "largest_document.h"
#include "safe_file.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// A fresh folder of this run's own, which nobody can have prepared with links,
// holding the largest bridge; removed at the end.
struct BenchFolder {
    std::string path = (std::filesystem::temp_directory_path() / "trv_text_runs_bench-XXXXXX").string();
    BenchFolder()
    {
        std::string error;
        if (!::mkdtemp(path.data()))
            error = std::strerror(errno);
        if (!error.empty() ||
            !trv::writeFileSafely(path + "/largest.brg", trv::serializeDocument(largestDocument(), true), &error)) {
            std::fprintf(stderr, "text_runs_bench: %s: %s\n", path.c_str(), error.c_str());
            std::exit(1);
        }
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::string& folder()
{
    static const BenchFolder f;
    return f.path;
}

// Runs a program with its output thrown away; false when it failed.
bool run(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void check(benchmark::State& state, bool ok)
{
    if (!ok)
        state.SkipWithError("the program failed");
}

void TRV424StartUp(benchmark::State& state)
{
    for (auto _ : state)
        check(state, run({TRV424_PATH, "--version"}));
}
BENCHMARK(TRV424StartUp)->Unit(benchmark::kMillisecond)->UseRealTime();

void TRV424ToText(benchmark::State& state)
{
    const std::string& d = folder();
    for (auto _ : state)
        check(state, run({TRV424_PATH, "--to-text", d + "/largest.brg", "-o", d + "/largest.json"}));
}
BENCHMARK(TRV424ToText)->Unit(benchmark::kMillisecond)->UseRealTime();

void TRV424FromText(benchmark::State& state)
{
    const std::string& d = folder();
    run({TRV424_PATH, "--to-text", d + "/largest.brg", "-o", d + "/largest.json"});
    for (auto _ : state)
        check(state, run({TRV424_PATH, "--from-text", d + "/largest.json", "-o", d + "/back.brg"}));
}
BENCHMARK(TRV424FromText)->Unit(benchmark::kMillisecond)->UseRealTime();

void Rondix012Conversion(benchmark::State& state)
{
    const std::string& d = folder();
    for (auto _ : state)
        check(state, run({RONDIX012_PATH, d + "/largest.brg"}));
}
BENCHMARK(Rondix012Conversion)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
