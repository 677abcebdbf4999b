#include "bridge_files.h"

#include "bgb_core.h"
#include "folder_files.h"
#include "safe_file.h"

#include <QFile>

#include <cctype>

#include <sys/stat.h>

namespace bgb {

bool hasBrgExtension(const QString& name)
{
    return name.size() > 4 && name.right(4).compare(QLatin1String(".brg"), Qt::CaseInsensitive) == 0;
}

bool hasBrgExtension(const std::string& name)
{
    if (name.size() <= 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".brg";
}

QString bgbPathFor(const QString& brgPath) { return brgPath.left(brgPath.size() - 3) + QStringLiteral("bgb"); }

std::string bgbPathFor(const std::string& brgPath) { return brgPath.substr(0, brgPath.size() - 3) + "bgb"; }

std::vector<std::string> folderBridges(const std::string& dir)
{
    std::vector<std::string> names;
    for (const std::string& path : trv::folderFiles(dir, false)) {
        std::string name = path.substr(path.rfind('/') + 1);
        if (hasBrgExtension(name))
            names.push_back(std::move(name));
    }
    return names;
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
