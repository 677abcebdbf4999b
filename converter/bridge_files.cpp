#include "bridge_files.h"

#include "bgb_core.h"
#include "file_names.h"
#include "folder_files.h"
#include "safe_file.h"

#include <QFile>

#include <sys/stat.h>

namespace bgb {

bool hasBrgExtension(const QString& name)
{
    return name.size() > 4 && name.right(4).compare(QLatin1String(".brg"), Qt::CaseInsensitive) == 0;
}

bool hasBrgExtension(const std::string& name) { return name.size() > 4 && trv::endsWithNoCase(name, ".brg"); }

std::string bgbPathFor(const std::string& brgPath) { return brgPath.substr(0, brgPath.size() - 3) + "bgb"; }

std::vector<std::string> folderBridges(const std::string& dir, std::string* error)
{
    std::vector<std::string> paths = trv::folderFiles(dir, false, error);
    // Hidden names are left out already, so each has something before ".brg".
    std::erase_if(paths, [](const std::string& path) { return !trv::endsWithNoCase(path, ".brg"); });
    return paths;
}

QString convertBridgeFile(const std::string& brgPath, const std::string& bgbPath)
{
    // Folders and special files (a pipe would block the read) are no bridges.
    struct stat st {};
    const bool exists = ::stat(brgPath.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return QStringLiteral("not an ordinary file");
    std::string why;
    const auto bytes = trv::readFileBytes(brgPath, &why, kMaxBrgBytes);
    if (!bytes)
        return QStringLiteral("cannot %1 the file (%2)")
            .arg(exists ? QLatin1String("read") : QLatin1String("open"), QString::fromLocal8Bit(why));

    const Result result = convert(*bytes);
    if (!result.ok())
        return QString::fromStdString(result.error);

    // A full disk must not cost the user the .bgb they had: the old file is
    // replaced only after every new byte has reached the disk.
    if (!trv::writeFileSafely(bgbPath, result.bytes, &why, trv::Durability::Synced, trv::Origin::ProgramNamed))
        return QStringLiteral("cannot write %1 (%2)")
            .arg(QFile::decodeName(bgbPath.c_str()), QString::fromLocal8Bit(why));
    return {};
}

QString convertBridgeFile(const QString& brgPath, const QString& bgbPath)
{
    return convertBridgeFile(QFile::encodeName(brgPath).toStdString(), QFile::encodeName(bgbPath).toStdString());
}

} // namespace bgb
