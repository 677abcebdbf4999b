#include "app_paths.h"

#include "private_folder.h"
#include "window_program.h"

#include <QDir>
#include <QFileInfo>

namespace {

// HOME when it names an existing absolute folder; empty otherwise, with the
// reason. (Qt's home would be "/" without HOME, and a missing one is not made.)
QString usableHome(QString& why)
{
    if (!qEnvironmentVariableIsSet("HOME"))
        why = "HOME is not set";
    const QString home = qEnvironmentVariable("HOME");
    if (why.isEmpty() && home.isEmpty())
        why = "HOME is empty";
    if (why.isEmpty() && (!QDir::isAbsolutePath(home) || !QFileInfo(home).isDir()))
        why = "HOME=" + home + " is not an existing absolute folder";
    return why.isEmpty() ? QDir::cleanPath(home) : QString();
}

// An XDG base folder: the variable when it holds an absolute path, the
// default below the home folder otherwise; empty without either.
QString xdgDir(const char* variable, const QString& home, const QString& fallbackBelowHome)
{
    const QString set = qEnvironmentVariable(variable);
    if (!set.isEmpty() && QDir::isAbsolutePath(set))
        return QDir::cleanPath(set);
    return home.isEmpty() ? QString() : home + "/" + fallbackBelowHome;
}

QString installedDataDir()
{
    // The program's own folder, not the current one: an installed tree can be
    // moved. The command is in <prefix>/bin, the window program below libexec.
    const QString dir = QString::fromStdString(programDir());
    const QString beside = QDir::cleanPath(dir + "/../share/trusswick");
    for (const QString& candidate :
         {beside, QDir::cleanPath(dir + "/" TRUSSWICK_WINDOW_TO_COMMAND "/../share/trusswick")}) {
        if (QFileInfo::exists(candidate + "/new.brg"))
            return candidate;
    }
#ifdef TRUSSWICK_SOURCE_DATA
    return QStringLiteral(TRUSSWICK_SOURCE_DATA);
#else
    return beside;
#endif
}

} // namespace

AppPaths AppPaths::portableIn(const QString& dir)
{
    AppPaths p;
    p.portable = true;
    p.settingsDir = p.journalDir = p.dataDir = dir;
    p.homeDir = dir;
    return p;
}

AppPaths AppPaths::perUser()
{
    AppPaths p;
    QString why;
    const QString home = usableHome(why);
    const QString config = xdgDir("XDG_CONFIG_HOME", home, ".config");
    const QString state = xdgDir("XDG_STATE_HOME", home, ".local/state");
    p.settingsDir = config + "/trusswick";
    p.journalDir = state + "/trusswick";
    p.dataDir = installedDataDir();
    p.homeDir = home.isEmpty() ? QDir::currentPath() : home;
    if (!config.isEmpty() && !state.isEmpty())
        return p;
    // Kept for this run in a folder only this user can enter.
    std::string error;
    QString own = QString::fromStdString(trv::privateFolder(&error));
    if (own.isEmpty()) {
        own = QDir::tempPath() + "/trusswick-unusable"; // never made: writes there fail and say so
        why += " and no private folder can be made (" + QString::fromStdString(error) + ")";
    }
    if (config.isEmpty())
        p.settingsDir = own + "/config";
    if (state.isEmpty())
        p.journalDir = own + "/journal";
    p.notice = "There is no usable home folder (" + why +
        "): the editor keeps its settings and journal for this run in " + own + ".";
    return p;
}

QString AppPaths::firstStartDocument() const
{
    return portable ? QStringLiteral("C:\\Programme\\Trusswick\\neu.brg") : dataFile("sample.brg");
}
