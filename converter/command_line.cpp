#include "command_line.h"

#include "bridge_files.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <filesystem>
#include <system_error>

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

void print(std::FILE* to, const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), to);
    // Line by line, so a long folder run shows its progress.
    std::fflush(to);
}

void fail(const QString& name, const QString& reason)
{
    print(stderr, QStringLiteral("Rondix012: %1: %2").arg(name, reason));
}

int usageError(const QString& what)
{
    print(stderr, QStringLiteral("Rondix012: ") + what);
    std::fputs(kUsage, stderr);
    return 2;
}

struct Counts {
    int converted = 0;
    int failed = 0;
};

void convertOne(const QString& path, Counts& counts)
{
    if (!hasBrgExtension(path)) {
        fail(path, QStringLiteral("not a .brg file"));
        ++counts.failed;
        return;
    }
    const QString target = bgbPathFor(path);
    const QString error = convertBridgeFile(path, target);
    if (error.isEmpty()) {
        print(stdout, path + QStringLiteral(" -> ") + target);
        ++counts.converted;
    } else {
        fail(path, error);
        ++counts.failed;
    }
}

void convertFolder(const QString& dir, Counts& counts)
{
    // The listing itself cannot say why a folder is unreadable; this can.
    std::error_code ec;
    std::filesystem::directory_iterator probe(QFile::encodeName(dir).toStdString(), ec);
    if (ec) {
        fail(dir, QStringLiteral("cannot read the folder (%1)").arg(QString::fromLocal8Bit(ec.message())));
        ++counts.failed;
        return;
    }
    const QString prefix = dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
    const QStringList names = folderBridges(dir);
    if (names.isEmpty())
        print(stderr, QStringLiteral("Rondix012: %1: no .brg files in this folder").arg(dir));
    for (const QString& name : names)
        convertOne(prefix + name, counts);
}

} // namespace

int runCommandLine(const QStringList& args)
{
    struct Job {
        bool folder;
        QString path;
    };
    QList<Job> jobs;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnded || !a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            jobs.append({false, a});
        } else if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            help = true;
        } else if (a == QLatin1String("--version")) {
            version = true;
        } else if (a == QLatin1String("--folder")) {
            if (i + 1 >= args.size())
                return usageError(QStringLiteral("--folder needs the name of a folder"));
            jobs.append({true, args[++i]});
        } else if (a.startsWith(QLatin1String("--folder="))) {
            jobs.append({true, a.mid(9)});
        } else {
            return usageError(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (version) {
        print(stdout, QStringLiteral("Rondix012 " TRUSSWICK_VERSION));
        return 0;
    }
    if (jobs.isEmpty())
        return usageError(QStringLiteral("no file or folder given"));

    Counts counts;
    for (const Job& job : jobs) {
        if (job.folder)
            convertFolder(job.path, counts);
        else
            convertOne(job.path, counts);
    }
    if (counts.failed > 0 && counts.converted + counts.failed > 1)
        print(stderr, QStringLiteral("Rondix012: %1 converted, %2 failed").arg(counts.converted).arg(counts.failed));
    return counts.failed > 0 ? 1 : 0;
}

} // namespace bgb
