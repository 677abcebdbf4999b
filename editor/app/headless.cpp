#include "headless.h"

#include "app_paths.h"
#include "command_line.h"
#include "derived.h"
#include "document.h"
#include "file_io.h"
#include "folder_files.h"
#include "picture_export.h"
#include "picture_file.h"
#include "settings_file.h"
#include "text_runs.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

// Names are printed as the bytes they are, so that any name can be found again.
void commandProblem(const std::string& file, const std::string& why)
{
    std::fprintf(stderr, "TRV424: %s: %s\n", file.c_str(), why.c_str());
}

std::optional<std::string> readCommandDocument(const std::string& path, trv::Document& doc, std::vector<uint8_t>* bytes)
{
    std::string name = trv::resolveLetterCase(path);
    std::string message;
    switch (trv::readDocumentFile(name, doc, message, bytes)) {
    case trv::ReadStatus::Missing: commandProblem(path, "no such file"); return std::nullopt;
    case trv::ReadStatus::Refused: std::fprintf(stderr, "TRV424: %s\n", message.c_str()); return std::nullopt;
    case trv::ReadStatus::Ok: break;
    }
    return name;
}

namespace {

// The options of the settings file, as the window would take them at its start.
OptionValues readOptions(const AppPaths& paths)
{
    OptionValues o;
    const QString path = paths.settingsFile();
    if (!QFileInfo::exists(path))
        return o;
    Settings s;
    std::string error;
    const std::optional<SettingsRead> got = readSettingsFile(path.toStdString(), s, &error);
    if (!got) {
        commandProblem(path.toStdString(), error + "; the default settings are used");
        return o;
    }
    applySettings(o, s, *got);
    if (!got->problem.empty())
        commandProblem(path.toStdString(), "damaged (" + got->problem + "); the defaults are used for what it lacks");
    return o;
}

// The export picture of one document; a null image after reporting why not.
QImage pictureOf(const std::string& path, const OptionValues& options)
{
    if (!isDocumentName(path)) {
        commandProblem(path, "not a level or bridge file (.lvl or .brg)");
        return {};
    }
    trv::Document doc;
    if (!readCommandDocument(path, doc))
        return {};
    trv::DerivedTables tables;
    trv::deriveTables(doc, tables);
    return exportPicture(doc, tables, path, options);
}

bool write(const QImage& image, const std::string& to, trv::PictureFormat format, trv::Origin origin)
{
    std::string error;
    // A signal waits for the write, so its temporary file never outlives the run.
    const trv::HeldSignals held;
    if (trv::savePicture(image, to, &error, format, origin))
        return true;
    commandProblem(to, "cannot write: " + error);
    return false;
}

int exportOne(const EditorCommand& c, const OptionValues& options)
{
    const QImage image = pictureOf(c.file, options);
    if (image.isNull())
        return 1;
    // A name given with -o may lead through the user's link; the derived one may not.
    const bool derived = c.out.empty();
    const std::string to = derived ? exportPictureName(c.file) : c.out;
    if (!write(image, to, trv::PictureFormat::ByName, derived ? trv::Origin::ProgramNamed : trv::Origin::UserNamed))
        return 1;
    std::printf("%s -> %s\n", c.file.c_str(), to.c_str());
    return 0;
}

int multisave(const EditorCommand& c, const OptionValues& options)
{
    std::string error;
    const std::vector<std::string> files = trv::folderFiles(c.folder, c.subfolders, &error);
    if (!error.empty()) {
        commandProblem(c.folder, "cannot read the folder (" + error + ")");
        return 1;
    }
    int written = 0, failed = 0;
    for (const std::string& path : files) {
        if (!isDocumentName(path))
            continue;
        const QImage image = pictureOf(path, options);
        // Derived from the folder's contents: a link or special file there is refused.
        const std::string to = exportPictureName(path);
        if (!image.isNull() && write(image, to, trv::PictureFormat::ByName, trv::Origin::ProgramNamed)) {
            std::printf("%s -> %s\n", path.c_str(), to.c_str());
            std::fflush(stdout); // line by line, so a long run shows its progress
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
    QImage image = pictureOf(c.file, options);
    if (image.isNull())
        return 1;
    if (image.width() > c.size || image.height() > c.size)
        image = image.scaled(c.size, c.size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // File managers expect a PNG whatever the name. A thumbnail service may have
    // opened the output already and read it through its own descriptor: the
    // picture goes into that file, not into a new one renamed over it.
    const QByteArray png = trv::encodePicture(image, true);
    std::string error = "the picture cannot be encoded";
    const trv::HeldSignals held;
    if (!png.isEmpty() &&
        trv::writeFileInPlace(c.out, std::span(reinterpret_cast<const uint8_t*>(png.constData()), size_t(png.size())),
                              &error))
        return 0;
    commandProblem(c.out, "cannot write: " + error);
    return 1;
}

// Runs an Export, Multisave or Thumbnail command with the options of the
// settings file `paths` names.
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

} // namespace

std::optional<AppPaths> commandPaths(const EditorCommand& command)
{
    if (command.workdir.empty())
        return AppPaths::perUser();
    const QString workdir = QString::fromStdString(command.workdir);
    if (!QFileInfo(workdir).isDir()) {
        std::fprintf(stderr, "TRV424: --workdir %s: no such folder\n%s", command.workdir.c_str(),
                     editorUsage().c_str());
        return std::nullopt;
    }
    return AppPaths::portableIn(QDir(workdir).absolutePath());
}

int runCommand(const EditorCommand& command, int argc, char** argv)
{
    switch (command.kind) {
    case EditorCommand::Kind::Error:
        std::fprintf(stderr, "TRV424: %s\n%s", command.error.c_str(), editorUsage().c_str());
        return 2;
    case EditorCommand::Kind::Help: std::fputs(editorUsage().c_str(), stdout); return 0;
    case EditorCommand::Kind::Version: std::puts("TRV424 " TRUSSWICK_VERSION); return 0;
    case EditorCommand::Kind::ToText:
    case EditorCommand::Kind::FromText: return runTextCommand(command);
    case EditorCommand::Kind::Window: return 2;
    default: break;
    }
    const std::optional<AppPaths> paths = commandPaths(command);
    if (!paths)
        return 2;
    // Drawn off screen whatever display there is, so the pictures never
    // depend on one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error is for the problems with the user's files alone.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "TRV424: %s\n", qPrintable(text));
    });
    // A thumbnail draws no text and waits for no event: no application
    // object, so no platform plugin, fonts or locale set-up, which file
    // managers pay for once per file.
    if (command.kind == EditorCommand::Kind::Thumbnail) {
        const int status = runHeadless(command, *paths);
        // The picture is written and closed: the libraries' exit code would
        // only page itself in, a third of the thumbnail's time.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    const QGuiApplication app(argc, argv);
    return runHeadless(command, *paths);
}
