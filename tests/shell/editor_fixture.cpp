#include "editor_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTimer>

#include <filesystem>

bool FakePlatform::message(QWidget*, const QString& text, Buttons b, bool warning)
{
    messages.push_back({text, b, warning});
    if (b == Buttons::Ok || answers.empty())
        return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

void FakePlatform::report(QWidget*, const QString& summary, const QStringList& lines)
{
    messages.push_back({summary + "\n" + lines.join("\n"), Buttons::Ok, true});
}

namespace {
void showModal(QWidget* owner)
{
    QDialog dialog(owner);
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    dialog.exec();
}
} // namespace

QString FakePlatform::openFile(QWidget* owner, const QStringList& filters, const QString& folder, const QString& name)
{
    dialogs.push_back({false, filters, folder, name, false});
    if (modalDialogs)
        showModal(owner);
    if (chosenFiles.empty())
        return {};
    QString f = chosenFiles.front();
    chosenFiles.pop_front();
    return f;
}

QString FakePlatform::saveFile(QWidget* owner, const QStringList& filters, const QString& folder, const QString& name,
                               bool confirm)
{
    dialogs.push_back({true, filters, folder, name, confirm});
    if (modalDialogs)
        showModal(owner);
    if (chosenFiles.empty())
        return {};
    QString f = chosenFiles.front();
    chosenFiles.pop_front();
    return f;
}

bool FakePlatform::openTextViewer(const QString& path)
{
    viewed << path;
    return viewerWorks;
}

QString EditorTest::copyData(const char* name, const char* as)
{
    const std::string target = dir.file(as ? as : name);
    std::filesystem::copy_file(trvtest::dataDir() + "/" + name, target,
                               std::filesystem::copy_options::overwrite_existing);
    return QString::fromStdString(target);
}

void EditorTest::writeSettings(const QString& document)
{
    QFile f(path("Trv.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray text = document.toUtf8() + "\r\n";
    text += " 100  9  200  0  0  400  0 \r\n";
    text += " 1  0  1  1  1  1  1 \r\n";
    text += " 0  0  9000  12000  0  0 \r\n";
    text += "Colors: Back Water Point Fixpoint Selected Line Rail Train Land Grid1 Grid2 Grid3\r\n";
    for (const char* c : {"4737096", "8334380", "10526880", "255", "65535", "65280", "16777215", "5806168", "7303023",
                          "3158064", "5789784", "0"})
        text += QByteArray(" ") + c + " \r\n";
    f.write(text);
}

void EditorTest::start(const char* dataName, bool inPerUserMode)
{
    ensureApplication();
    const QString doc = copyData(dataName);
    writeSettings(doc);
    w = std::make_unique<Form1>(platform, inPerUserMode ? perUser() : portable());
    w->show();
    QApplication::setActiveWindow(w.get());
}

bool EditorTest::exists(const char* name) const { return std::filesystem::exists(dir.file(name)); }

int EditorTest::journalFiles() const
{
    int n = 0;
    while (exists(("TRV" + std::to_string(n) + ".TMP").c_str()))
        ++n;
    return n;
}
