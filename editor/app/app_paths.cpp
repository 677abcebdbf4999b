#include "app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// An XDG base folder: the variable when it holds an absolute path, the
// default below the home folder otherwise.
QString xdgDir(const char* variable, const QString& fallbackBelowHome)
{
    const QString set = qEnvironmentVariable(variable);
    if (!set.isEmpty() && QDir::isAbsolutePath(set))
        return QDir::cleanPath(set);
    return QDir::homePath() + "/" + fallbackBelowHome;
}

QString installedDataDir()
{
    // The program's own folder, not the current one: an installed tree can be moved.
    QString beside = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/trusswick");
    if (QFileInfo::exists(beside + "/new.brg"))
        return beside;
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
    p.settingsDir = xdgDir("XDG_CONFIG_HOME", ".config") + "/trusswick";
    p.journalDir = xdgDir("XDG_STATE_HOME", ".local/state") + "/trusswick";
    p.dataDir = installedDataDir();
    p.homeDir = QDir::homePath();
    return p;
}

QString AppPaths::firstStartDocument() const
{
    return portable ? QStringLiteral("C:\\Programme\\Trusswick\\neu.brg") : dataFile("sample.brg");
}
