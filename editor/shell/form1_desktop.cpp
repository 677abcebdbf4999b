// What people expect of a desktop program beside the designed commands: opening
// a file by dropping it on the window, the mouse wheel over the drawing area,
// the recently used documents, and help texts shown by the program itself when
// the desktop has no viewer for them.
#include "form1.h"
#include "picture_export.h"

#include "pic_box.h"
#include "platform.h"
#include "recent_files.h"
#include "safe_file.h"
#include "window_units.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QWheelEvent>

namespace {

// The first local file among dropped URLs.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

// A notch of a mouse wheel; finer wheels and touch pads add up to notches.
constexpr int kWheelNotch = 120;

} // namespace

void Form1::connectDesktop()
{
    // Text boxes would take a dropped file as text; the window opens it instead.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setAcceptDrops(false);
    // Portable mode is the design itself: its folder holds only the design's
    // files and the window has only the design's gestures.
    if (paths_.portable)
        return;
    setAcceptDrops(true);
    connect(Pic, &PicBox::wheel, this, [this](QPoint delta, Qt::KeyboardModifiers m) { Pic_Wheel(delta, m); });

    recent_ = std::make_unique<RecentFiles>((paths_.settingsDir + "/recent-files").toStdString());
    recentRefused_ = QString::fromStdString(recent_->read());
    connect(MRecent, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
}

// ---- dropping a file

void Form1::dragEnterEvent(QDragEnterEvent* e)
{
    if (!droppedFile(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* e)
{
    const QString path = droppedFile(e->mimeData());
    if (path.isEmpty())
        return;
    e->acceptProposedAction();
    if (!isDocumentName(path)) {
        tell("Not a level or bridge (.lvl or .brg): " + QFileInfo(path).fileName());
        return;
    }
    openWithPrompt(path);
}

bool Form1::openWithPrompt(const QString& path)
{
    // As Open does: ask before discarding changes, then the reader's checks.
    if (options_.Confirm && journal.changed() &&
        !msgBox("You have made changes blah blah...\nDiscard changes and load?", true, true))
        return false;
    return openChosen(path);
}

bool Form1::openChosen(const QString& path)
{
    // A file the reader refuses changes nothing, not even the current name.
    if (!checkReadable(path))
        return false;
    journal.markUnchanged();
    File->setText(path);
    OpenDocument();
    return true;
}

// ---- the mouse wheel

void Form1::Pic_Wheel(QPoint angleDelta, Qt::KeyboardModifiers m)
{
    // Some systems turn Shift+wheel into a horizontal wheel.
    wheelRest_ += angleDelta.y() != 0 ? angleDelta.y() : angleDelta.x();
    const double S = options_.ScrollSize;
    while (std::abs(wheelRest_) >= kWheelNotch) {
        const int sign = wheelRest_ > 0 ? 1 : -1;
        wheelRest_ -= sign * kWheelNotch;
        // Up: zoom in, the view left, the view up, as the keys do.
        if (m & Qt::ControlModifier)
            zoomStep(sign);
        else if (m & Qt::ShiftModifier)
            scrollView(sign * S / view.ScaleX, 0);
        else
            scrollView(0, sign * 2.5 * S / view.ScaleY);
    }
}

// ---- recent documents

void Form1::rememberRecent(const QString& path)
{
    // The folder export opens every file of a folder: none of them was chosen.
    if (batchRunning_ || path == paths_.dataFile("new.brg"))
        return;
    if (recent_ && recent_->add(QFileInfo(path).absoluteFilePath().toStdString()))
        recent_->write();
}

void Form1::fillRecentMenu()
{
    MRecent->clear();
    int n = 0;
    for (const std::string& p : recent_->paths()) {
        const QString path = QString::fromStdString(p);
        QAction* a = MRecent->addAction(QString("&%1 %2").arg(++n).arg(QString(path).replace('&', "&&")));
        connect(a, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    MRecent->addSeparator();
    QAction* clear = MRecent->addAction("Clear list");
    clear->setObjectName("MRecentClear");
    clear->setEnabled(!recent_->paths().empty());
    connect(clear, &QAction::triggered, this, [this] {
        recent_->clear();
        recent_->write();
    });
}

void Form1::openRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        tell("No such file any more: " + path);
        recent_->remove(path.toStdString());
        recent_->write();
        return;
    }
    openWithPrompt(path);
}

// ---- help texts without a viewer

void Form1::showTextWindow(const QString& path)
{
    // Help texts are small; anything far larger is not one.
    const auto bytes = trv::readFileBytes(path.toStdString(), nullptr, 8 << 20);
    if (!bytes) {
        msgBox("Cannot open " + path + " in the text viewer.", false, true);
        return;
    }
    auto* text = new QPlainTextEdit(this);
    text->setObjectName("TextWindow");
    text->setWindowFlag(Qt::Window);
    text->setAttribute(Qt::WA_DeleteOnClose);
    text->setReadOnly(true);
    text->setWindowTitle(QFileInfo(path).fileName());
    const QByteArray raw(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));
    QString decoded = QString::fromUtf8(raw);
    if (decoded.contains(QChar::ReplacementCharacter))
        decoded = QString::fromLatin1(raw);
    text->setPlainText(decoded);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->resize(sizeOnScreen(text, QSize(720, 560)));
    text->show();
}
