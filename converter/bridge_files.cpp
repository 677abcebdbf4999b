#include "bridge_files.h"

#include "bgb_core.h"
#include "safe_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace bgb {

bool hasBrgExtension(const QString& name)
{
    return name.size() > 4 && name.right(4).compare(QLatin1String(".brg"), Qt::CaseInsensitive) == 0;
}

QString bgbPathFor(const QString& brgPath) { return brgPath.left(brgPath.size() - 3) + QStringLiteral("bgb"); }

QStringList folderBridges(const QString& dir)
{
    // Hidden files, folders and special files are left out. The names are sorted
    // so that a run always visits the files in the same order.
    QStringList names = QDir(dir).entryList(QDir::Files, QDir::Unsorted);
    names.removeIf([](const QString& name) { return !hasBrgExtension(name); });
    std::sort(names.begin(), names.end());
    return names;
}

QString convertBridgeFile(const QString& brgPath, const QString& bgbPath)
{
    const QFileInfo info(brgPath);
    // Folders and special files (a pipe would block the read) are no bridges.
    if (info.exists() && !info.isFile())
        return QStringLiteral("not an ordinary file");
    std::string why;
    const auto bytes = trv::readFileBytes(QFile::encodeName(brgPath).toStdString(), &why, kMaxBrgBytes);
    if (!bytes)
        return QStringLiteral("cannot %1 the file (%2)")
            .arg(info.exists() ? QLatin1String("read") : QLatin1String("open"), QString::fromLocal8Bit(why));

    const Result result = convert(*bytes);
    if (!result.ok())
        return QString::fromStdString(result.error);

    // A full disk must not cost the user the .bgb they had: the old file is
    // replaced only after every new byte has reached the disk.
    if (!trv::writeFileSafely(QFile::encodeName(bgbPath).toStdString(), result.bytes, &why, trv::Durability::Synced))
        return QStringLiteral("cannot write %1 (%2)").arg(bgbPath, QString::fromLocal8Bit(why));
    return {};
}

} // namespace bgb
