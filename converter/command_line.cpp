#include "command_line.h"

#include "bridge_files.h"
#include "safe_file.h"

#include <QString>

#include <cstdio>

namespace bgb {

namespace {

const char kUsage[] = "Usage: Rondix012 [FILE.brg]... [--folder DIR]...\n"
                      "Converts bridge files (.brg) into the game's .bgb files, written beside them.\n"
                      "Without arguments, opens the converter window.\n"
                      "\n"
                      "  FILE.brg        convert this bridge into FILE.bgb\n"
                      "  --folder DIR    convert every .brg file of the folder DIR, in name order\n"
                      "  --help          show this help and exit\n"
                      "  --version       show the version and exit\n"
                      "\n"
                      "Each converted file is listed on stdout; each failure, with its reason, on stderr.\n"
                      "Exit status: 0 when every file was converted, 1 when any failed, 2 on wrong usage.\n";

// Names are printed as the bytes they are, so that any name can be found again.
void print(std::FILE* to, const std::string& line)
{
    std::fputs((line + '\n').c_str(), to);
    // Line by line, so a long folder run shows its progress.
    std::fflush(to);
}

void fail(const std::string& name, const QString& reason)
{
    print(stderr, "Rondix012: " + name + ": " + reason.toStdString());
}

int usageError(const std::string& what)
{
    print(stderr, "Rondix012: " + what);
    std::fputs(kUsage, stderr);
    return 2;
}

struct Counts {
    int converted = 0;
    int failed = 0;
};

void convertOne(const std::string& path, Counts& counts)
{
    if (!hasBrgExtension(path)) {
        fail(path, QStringLiteral("not a .brg file"));
        ++counts.failed;
        return;
    }
    const std::string target = bgbPathFor(path);
    QString error;
    {
        // A signal waits for the write, so its temporary file never outlives the run.
        const trv::HeldSignals held;
        error = convertBridgeFile(path, target);
    }
    if (error.isEmpty()) {
        print(stdout, path + " -> " + target);
        ++counts.converted;
    } else {
        fail(path, error);
        ++counts.failed;
    }
}

void convertFolder(const std::string& dir, Counts& counts)
{
    std::string error;
    const std::vector<std::string> bridges = folderBridges(dir, &error);
    if (!error.empty()) {
        fail(dir, QStringLiteral("cannot read the folder (%1)").arg(QString::fromLocal8Bit(error)));
        ++counts.failed;
        return;
    }
    if (bridges.empty())
        print(stderr, "Rondix012: " + dir + ": no .brg files in this folder");
    for (const std::string& path : bridges)
        convertOne(path, counts);
}

} // namespace

int runCommandLine(const std::vector<std::string>& args)
{
    struct Job {
        bool folder;
        std::string path;
    };
    std::vector<Job> jobs;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.empty() || a[0] != '-' || a == "-") {
            jobs.push_back({false, a});
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--help" || a == "-h") {
            help = true;
        } else if (a == "--version") {
            version = true;
        } else if (a == "--folder") {
            if (i + 1 >= args.size())
                return usageError("--folder needs the name of a folder");
            jobs.push_back({true, args[++i]});
        } else if (a.rfind("--folder=", 0) == 0) {
            jobs.push_back({true, a.substr(9)});
        } else {
            return usageError("unknown option " + a);
        }
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (version) {
        print(stdout, "Rondix012 " TRUSSWICK_VERSION);
        return 0;
    }
    if (jobs.empty())
        return usageError("no file or folder given");

    Counts counts;
    for (const Job& job : jobs) {
        if (job.folder)
            convertFolder(job.path, counts);
        else
            convertOne(job.path, counts);
    }
    if (counts.failed > 0 && counts.converted + counts.failed > 1)
        print(stderr,
              "Rondix012: " + std::to_string(counts.converted) + " converted, " + std::to_string(counts.failed) +
                  " failed");
    return counts.failed > 0 ? 1 : 0;
}

} // namespace bgb
