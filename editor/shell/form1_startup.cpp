// Start-up with the settings file, the exit command and the end of the process.
#include "form1.h"

#include "colors.h"
#include "file_io.h"
#include "form_tutor.h"
#include "list_box.h"
#include "module1.h"
#include "opt.h"
#include "pic_box.h"
#include "platform.h"
#include "scroll_bar.h"
#include "settings_file.h"
#include "text_number.h"
#include "window_units.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

#include <cstdio>
#include <filesystem>

namespace {
// Settings files of older formats, told apart by the letter case of the name.
const char* const kOlderSettingsNames[] = {"TRV.INI", "TRv.ini", "TRv.inI", "TRv.iNi", "TRv.Ini", "TRV.ini"};

// Exact, case-sensitive lookup of a stored name in a folder.
bool storedNameExists(const QString& dir, const QString& name)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System).contains(name, Qt::CaseSensitive);
}

} // namespace

void Form1::Form_Load()
{
    // In portable mode the working folder is the program's folder, as it always
    // was; per user, relative names keep meaning the folder the user started in.
    if (paths_.portable)
        QDir::setCurrent(paths_.dataDir);
    for (const char* older : kOlderSettingsNames)
        if (storedNameExists(paths_.settingsDir, older))
            QFile::remove(paths_.settingsDir + "/" + older);

    const bool haveSettings = storedNameExists(paths_.settingsDir, "Trv.ini");
    QString settingsProblem;
    if (haveSettings) {
        readSettings(&settingsProblem);
        settingsKnown_ = true;
    } else {
        for (int i = 1; i <= 12; ++i)
            options_.ColorTable[size_t(i)] = trv::kDefaultColorTable[size_t(i)];
        WindowPlacement = {0, 0, 0, 9000, 12000, 0, 0};
        settingsKnown_ = true;
        FormTutor tutor(this);
        connect(&tutor, &FormTutor::tutorialRequested, this, [this] { MTutorial_Click(); });
        tutor.exec();
    }

    applyPicColors();
    opt->selectFirstColor();
    LCombo->clear();
    LCombo->addItems({"0", "1", "2", "3"});
    LCombo->setCurrentIndex(0);
    if (paths_.portable)
        QDir::setCurrent(paths_.dataDir);
    // Said before anything else happens, and long before the exit writes the file anew.
    if (!settingsProblem.isEmpty())
        msgBox(settingsProblem, false, true);
    journal.open(paths_.journalDir.toStdString());
    // Said once, with the document open: a file the editor would not touch, and
    // where its own files went instead.
    const auto sayNotices = qScopeGuard([this] {
        QStringList notices{paths_.notice, QString::fromStdString(journal.notice()), recentRefused_};
        notices.removeAll(QString());
        if (!notices.isEmpty())
            msgBox(notices.join("\n\n"), false, true);
    });
    if (restoreLeftJournal())
        return;
    // A document named on the command line passes the checks of Open; one that
    // fails them is reported, and the start goes on with the settings' document.
    if (!openFile_.isEmpty()) {
        std::error_code ec;
        if (!std::filesystem::exists(QFile::encodeName(openFile_).toStdString(), ec))
            msgBox("Cannot open " + openFile_ + ": no such file", false, true);
        else if (!hasThreeLetterExtension(openFile_))
            msgBox("Cannot open " + openFile_ + ": not a level or bridge file (.lvl or .brg)", false, true);
        else if (checkReadable(openFile_))
            File->setText(openFile_);
    }
    OpenDocument();
}

bool Form1::restoreLeftJournal()
{
    const std::vector<trv::LeftJournal> left = journal.findLeftJournals();
    bool restored = false;
    for (const trv::LeftJournal& j : left) {
        if (restored) {
            journal.leave(j); // offered at a later start
            continue;
        }
        const QString when = QDateTime::fromSecsSinceEpoch(j.lastStep).toString("yyyy-MM-dd hh:mm");
        const QString text = "The editor ended without saving the changes to\n" + QString::fromStdString(j.document) +
            "\nLast change: " + when + "\n\nRestore them, or discard them?";
        if (!platform.message(this, text, Platform::Buttons::RestoreDiscard, true)) {
            journal.discard(j);
            continue;
        }
        // The document comes back as the state the user was on, still marked as
        // changed and under its own name, as before the editor ended.
        File->setText(QString::fromStdString(j.document));
        SavSoft->setChecked(true);
        if (SavBrg->isChecked())
            SavLines->setChecked(true);
        setViewBars(0, 0, trv::kOpeningZoom, false);
        journal.adopt(j);
        LoadDocument(DocumentSource::JournalState);
        restored = documentLoaded_;
    }
    return restored;
}

void Form1::applyPicColors()
{
    Pic->foreColor = trv::colorFromPacked(options_.ColorTable[trv::ColorRail]);
    Pic->backColor = trv::colorFromPacked(options_.ColorTable[trv::ColorBack]);
    Pic->Shap.color = trv::colorFromPacked(options_.ColorTable[trv::ColorSelected]);
    Pic->LLL.color = trv::colorFromPacked(options_.ColorTable[trv::ColorSelected]);
}

bool Form1::readSettings(QString* problem)
{
    const QString path = paths_.settingsFile();
    Settings s;
    std::string error;
    const std::optional<SettingsRead> read = readSettingsFile(path.toStdString(), s, &error);
    if (!read) {
        *problem = "The settings file " + path + " cannot be read (" + QString::fromStdString(error) +
            ").\nThe editor starts with its default settings.";
        return false;
    }
    const SettingsRead& got = *read;
    if (got.file)
        File->setText(QString::fromStdString(s.file));
    // The options as the command line takes them too; the options window's
    // reactions then pass them on, as when typed.
    applySettings(options_, s, got);
    opt->showOptions();
    if (got.placement == 6) {
        for (int k = 0; k < 6; ++k)
            WindowPlacement[size_t(k) + 1] = s.placement[size_t(k)];
        if (options_.WSize) {
            // Stored as the frame's position and the window's size, so restored
            // that way; whatever the numbers say, the window lands on the screen.
            placeOnScreen(this,
                          QRect(QPoint(twipsToPixels(WindowPlacement[1]), twipsToPixels(WindowPlacement[2])),
                                restoredSize(twipsToPixels(WindowPlacement[4]), twipsToPixels(WindowPlacement[3]))));
            const int state = int(WindowPlacement[5]);
            setWindowState(state == 2 ? Qt::WindowMaximized : state == 1 ? Qt::WindowMinimized : Qt::WindowNoState);
        }
        opt->move(opt->x(), twipsToPixels(WindowPlacement[6]));
        placeOnScreen(opt, opt->geometry());
    }
    if (got.problem.empty())
        return true;
    *problem = "The settings file " + path + " is damaged (" + QString::fromStdString(got.problem) +
        ").\nWhat it lacks takes the default settings; the file is written anew when the editor ends.";
    return false;
}

void Form1::Exit_Click()
{
    if (options_.Confirm && journal.changed()) {
        if (!msgBox("You have made changes blah blah...\nDiscard changes and exit?", true, true))
            return;
    }
    SaveSettingsAndEnd();
}

void Form1::closeEvent(QCloseEvent* e)
{
    // Every way out goes through the same prompt and settings write.
    e->ignore();
    if (!ending_)
        Exit_Click();
}

void Form1::SaveSettingsAndEnd()
{
    opt->setPreview(false);
    QCoreApplication::processEvents();
    const QString settingsPath = paths_.settingsFile();
    if (const std::string error = writeSettingsFile(true); !error.empty())
        msgBox("Cannot write the settings file " + settingsPath + ":\n" + QString::fromStdString(error), false, true);

    journal.close();
    ending_ = true;
    platform.endProcess();
}

void Form1::EndOnTermination()
{
    // Before the settings are known, writing them would replace the user's with defaults.
    if (!settingsKnown_)
        return;
    ending_ = true;
    opt->setPreview(false);
    // A window not yet shown (a question at the start) keeps the place it was given.
    const std::string error = writeSettingsFile(isVisible());
    if (!error.empty())
        std::fprintf(stderr, "TRV424: cannot write the settings file %s: %s\n", qPrintable(paths_.settingsFile()),
                     error.c_str());
    // No journal.close(): its unsaved changes are offered at the next start.
}

std::string Form1::writeSettingsFile(bool placed)
{
    if (placed && !isMinimized() && !isMaximized()) {
        WindowPlacement[1] = pixelsToTwips(x());
        WindowPlacement[2] = pixelsToTwips(y());
        WindowPlacement[3] = pixelsToTwips(height() - statusLineHeight());
        WindowPlacement[4] = pixelsToTwips(width());
        WindowPlacement[6] = pixelsToTwips(opt->y());
    }
    Settings s;
    s.file = File->text().toStdString();
    storeSettings(options_, s);
    for (int k = 0; k < 4; ++k)
        s.placement[size_t(k)] = WindowPlacement[size_t(k) + 1];
    s.placement[4] = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    s.placement[5] = WindowPlacement[6];

    std::string error;
    QDir().mkpath(paths_.settingsDir);
    // The settings are the user's own file, which a dotfile manager may keep as
    // a link: the write goes to its target, as for any file the user names.
    trv::writeFileSafely(paths_.settingsFile().toStdString(), formatSettings(s), &error);
    return error;
}

void Form1::openTextFile(const QString& path, const QString& missingText)
{
    if (!QFile::exists(path)) {
        msgBox(missingText);
        return;
    }
    // Without a viewer on the desktop the program shows the text itself.
    if (!platform.openTextViewer(path))
        showTextWindow(path);
}

void Form1::MViewHelp_Click()
{
    openTextFile(paths_.dataFile("Zarvines_TW_Editor08.txt"),
                 "Zarvines_TW_Editor08.txt\n" + QString(17, ' ') + "Not found");
}

void Form1::MTutorial_Click()
{
    openTextFile(paths_.dataFile("Tutorial.txt"), QString(7, ' ') + "Tutorial.txt not found");
}
