#include "headless.h"

#include "app_paths.h"
#include "command_line.h"
#include "derived.h"
#include "document.h"
#include "file_io.h"
#include "picture_export.h"
#include "picture_file.h"
#include "settings.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

void problem(const QString& file, const std::string& why)
{
    std::fprintf(stderr, "TRV424: %s: %s\n", qPrintable(file), why.c_str());
}

// The options of the settings file, as the window would take them at its start.
OptionValues readOptions(const AppPaths& paths)
{
    OptionValues o;
    const QString path = paths.settingsFile();
    if (!QFileInfo::exists(path))
        return o;
    std::string error;
    const auto bytes = trv::readFileBytes(path.toStdString(), &error, kMaxSettingsBytes + 1);
    if (!bytes || bytes->size() > kMaxSettingsBytes) {
        problem(path, (bytes ? "larger than 64 KB" : error) + "; the default settings are used");
        return o;
    }
    Settings s;
    const SettingsRead got =
        parseSettings(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), s);
    applySettings(o, s, got);
    if (!got.problem.empty())
        problem(path, "damaged (" + got.problem + "); the defaults are used for what it lacks");
    return o;
}

// The export picture of one document; a null image after reporting why not.
QImage pictureOf(const QString& path, const OptionValues& options)
{
    if (!isDocumentName(path)) {
        problem(path, "not a level or bridge file (.lvl or .brg)");
        return {};
    }
    const std::string name = trv::resolveLetterCase(path.toStdString());
    trv::Document doc;
    std::string message;
    switch (trv::readDocumentFile(name, doc, message)) {
    case trv::ReadStatus::Missing: problem(path, "no such file"); return {};
    case trv::ReadStatus::Refused: std::fprintf(stderr, "TRV424: %s\n", message.c_str()); return {};
    case trv::ReadStatus::Ok: break;
    }
    trv::DerivedTables tables;
    trv::deriveTables(doc, tables);
    return exportPicture(doc, tables, path.toStdString(), options);
}

bool write(const QImage& image, const QString& to, trv::PictureFormat format = trv::PictureFormat::ByName)
{
    std::string error;
    if (trv::savePicture(image, to.toStdString(), &error, format))
        return true;
    problem(to, "cannot write: " + error);
    return false;
}

int exportOne(const EditorCommand& c, const OptionValues& options)
{
    const QString file = QString::fromStdString(c.file);
    const QImage image = pictureOf(file, options);
    if (image.isNull())
        return 1;
    const QString to = c.out.empty() ? exportPictureName(file) : QString::fromStdString(c.out);
    if (!write(image, to))
        return 1;
    std::printf("%s -> %s\n", qPrintable(file), qPrintable(to));
    return 0;
}

int multisave(const EditorCommand& c, const OptionValues& options)
{
    const QString folder = QString::fromStdString(c.folder);
    if (!QFileInfo(folder).isDir()) {
        problem(folder, "no such folder");
        return 1;
    }
    int written = 0, failed = 0;
    for (const QString& path : exportFileList(folder, c.subfolders)) {
        if (!isDocumentName(path))
            continue;
        const QImage image = pictureOf(path, options);
        const QString to = exportPictureName(path);
        if (!image.isNull() && write(image, to)) {
            std::printf("%s -> %s\n", qPrintable(path), qPrintable(to));
            ++written;
        } else {
            ++failed;
        }
    }
    std::printf("%d pictures written, %d files failed\n", written, failed);
    return failed == 0 ? 0 : 1;
}

int thumbnail(const EditorCommand& c, OptionValues options)
{
    // A thumbnail shows no text: the name would be unreadable at its size, and
    // leaving it out spares a file manager's every call the fonts.
    options.FNameT = false;
    const QString file = QString::fromStdString(c.file);
    QImage image = pictureOf(file, options);
    if (image.isNull())
        return 1;
    if (image.width() > c.size || image.height() > c.size)
        image = image.scaled(c.size, c.size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // File managers expect a PNG whatever the name.
    return write(image, QString::fromStdString(c.out), trv::PictureFormat::Png) ? 0 : 1;
}

} // namespace

int runHeadless(const EditorCommand& command, const AppPaths& paths)
{
    const OptionValues options = readOptions(paths);
    switch (command.kind) {
    case EditorCommand::Kind::Export: return exportOne(command, options);
    case EditorCommand::Kind::Multisave: return multisave(command, options);
    case EditorCommand::Kind::Thumbnail: return thumbnail(command, options);
    default: return 2;
    }
}
