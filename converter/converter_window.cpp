#include "converter_window.h"

#include "bridge_files.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kDone = QStringLiteral("   Done");
const QString kFailed = QStringLiteral("   Failed: ");

// The first local file among the dropped URLs, or an empty string.
QString firstLocalFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

ConverterWindow::ConverterWindow(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Zarvines brg to bgb Converter"));

    TxIn = new QLineEdit(QStringLiteral("Drop the brg file here"), this);
    TxIn->setObjectName(QStringLiteral("TxIn"));
    TxIn->setAccessibleName(QStringLiteral("Bridge file to convert"));
    // Typing a path would not select a file, so the box only shows what happens.
    TxIn->setReadOnly(true);
    TxIn->setMinimumWidth(560);
    TxIn->installEventFilter(this);

    BuBrowse = new QPushButton(QStringLiteral("Browse..."), this);
    BuBrowse->setObjectName(QStringLiteral("BuBrowse"));
    BuBrowse->setAccessibleDescription(QStringLiteral("Browse for a bridge file"));
    connect(BuBrowse, &QPushButton::clicked, this, &ConverterWindow::BuBrowse_Click);
    chooseFile = [this](const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Choose a bridge file"), folder, filter);
    };

    ChFold = new QCheckBox(QStringLiteral("All files in Folder"), this);
    ChFold->setObjectName(QStringLiteral("ChFold"));
    ChFold->setAccessibleDescription(QStringLiteral("Convert all files in the folder"));

    LaNote = new QLabel(this);
    LaNote->setObjectName(QStringLiteral("LaNote"));
    LaNote->setAccessibleName(QStringLiteral("Note"));
    LaNote->setTextFormat(Qt::PlainText); // file names are shown as they are
    // The note takes the room left in its row and never widens the window; a long
    // file name is shortened in the middle instead.
    LaNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LaNote->installEventFilter(this);

    BuConv = new QPushButton(QStringLiteral("Convert"), this);
    BuConv->setObjectName(QStringLiteral("BuConv"));
    BuConv->setAccessibleName(QStringLiteral("Convert"));
    // clicked() fires on the release of the button, not on the press.
    connect(BuConv, &QPushButton::clicked, this, &ConverterWindow::BuConv_Click);

    // A one-line box cannot hold a long list of failures; this area holds all of
    // them and scrolls.
    TxReport = new QPlainTextEdit(this);
    TxReport->setObjectName(QStringLiteral("TxReport"));
    TxReport->setAccessibleName(QStringLiteral("Conversion report"));
    TxReport->setReadOnly(true);
    TxReport->hide();

    auto* dropRow = new QHBoxLayout;
    dropRow->addWidget(TxIn, 1);
    dropRow->addWidget(BuBrowse);
    auto* row = new QHBoxLayout;
    row->addWidget(ChFold);
    row->addWidget(LaNote, 1);
    row->addWidget(BuConv);
    auto* column = new QVBoxLayout(this);
    column->addLayout(dropRow);
    column->addLayout(row);
    column->addWidget(TxReport, 1);
}

bool ConverterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LaNote && event->type() == QEvent::Resize) {
        showNote(note_);
        return false;
    }
    if (watched != TxIn)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (!running_ && !firstLocalFile(e->mimeData()).isEmpty())
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        const QString path = firstLocalFile(e->mimeData());
        if (running_ || path.isEmpty()) {
            e->ignore();
            return true;
        }
        e->acceptProposedAction();
        takeFile(path);
        return true;
    }
    default: return QWidget::eventFilter(watched, event);
    }
}

void ConverterWindow::CheckDrop()
{
    if (!bgb::hasBrgExtension(DropName)) {
        DropName.clear();
        return;
    }
    TxIn->setText(DropName);
    TxIn->setToolTip({});
    // A name may be written with either separator; the later one ends the folder.
    const qsizetype cut = std::max(DropName.lastIndexOf(QLatin1Char('/')), DropName.lastIndexOf(QLatin1Char('\\')));
    DropDir = DropName.left(cut + 1);
}

void ConverterWindow::takeFile(const QString& path)
{
    // A refused file clears the name to convert (Convert then does nothing);
    // the box keeps its text and the note says why.
    DropName = path;
    CheckDrop();
    if (DropName.isEmpty()) {
        showNote(QStringLiteral("Not a .brg file: ") + QFileInfo(path).fileName());
        LaNote->setToolTip(path);
    } else {
        showNote({});
        LaNote->setToolTip({});
    }
}

void ConverterWindow::BuBrowse_Click()
{
    if (running_ || !chooseFile)
        return;
    const QString path = chooseFile(DropDir, QStringLiteral("Bridge files (*.brg)"));
    if (!path.isEmpty())
        takeFile(path);
}

void ConverterWindow::BuConv_Click()
{
    if (running_ || DropName.isEmpty())
        return;
    showNote({});
    if (ChFold->isChecked() && !DropDir.isEmpty()) {
        convertFolder();
        return;
    }
    sourcePath_ = DropName;
    BaseName = DropName.left(DropName.size() - 3);
    const QString error = ConvertFile();
    // A converted single file leaves the path on show as it is.
    if (!error.isEmpty())
        TxIn->setText(DropName + kFailed + error);
    if (error.isEmpty())
        showReport(1, {});
    else
        showReport(0, {DropName + QStringLiteral(": ") + error});
}

void ConverterWindow::convertFolder()
{
    running_ = true;
    // The last run's report would pass for this run's; it stays in place, empty,
    // until this run's is known, so the window does not jump.
    TxReport->clear();
    QStringList failures;
    int converted = 0;
    // The files are taken by their bytes: a name that is no valid text is shown
    // as well as it can be, and still converted.
    const std::string dir = QFile::encodeName(DropDir).toStdString();
    for (const std::string& path : bgb::folderBridges(dir)) {
        DropName = QFile::decodeName(path.substr(dir.size()).c_str());
        sourcePath_ = DropDir + DropName;
        showStatus(sourcePath_);
        BaseName = DropDir + DropName.left(DropName.size() - 3);
        const QString error = bgb::convertBridgeFile(path, bgb::bgbPathFor(path));
        if (error.isEmpty()) {
            ++converted;
            showStatus(TxIn->text() + kDone);
        } else {
            failures << sourcePath_ + QStringLiteral(": ") + error;
            showStatus(TxIn->text() + kFailed + error);
        }
    }
    DropName.clear();

    // The last file's line would hide earlier failures, so they are listed after it.
    if (!failures.isEmpty()) {
        TxIn->setText(TxIn->text() +
                      QStringLiteral("   |   %1 converted, %2 failed: ").arg(converted).arg(failures.size()) +
                      failures.join(QStringLiteral("; ")));
        TxIn->setToolTip(failures.join(QLatin1Char('\n')));
    } else {
        TxIn->setToolTip({});
    }
    showReport(converted, failures);
    running_ = false;
}

void ConverterWindow::showStatus(const QString& text)
{
    TxIn->setText(text);
    QCoreApplication::processEvents();
}

void ConverterWindow::showNote(const QString& text)
{
    note_ = text;
    LaNote->setText(LaNote->fontMetrics().elidedText(text, Qt::ElideMiddle, LaNote->contentsRect().width()));
}

void ConverterWindow::showReport(int converted, const QStringList& failures)
{
    if (failures.isEmpty()) {
        if (!TxReport->isHidden()) {
            TxReport->hide();
            TxReport->clear();
            resize(width(), minimumSizeHint().height());
        }
        return;
    }
    TxReport->setPlainText(QStringLiteral("%1 converted, %2 failed\n").arg(converted).arg(failures.size()) +
                           failures.join(QLatin1Char('\n')));
    TxReport->show();
    // The window grows to give the report room, but never shrinks under the user.
    const QSize wanted = sizeHint();
    if (height() < wanted.height())
        resize(width(), wanted.height());
}

QString ConverterWindow::ConvertFile() { return bgb::convertBridgeFile(sourcePath_, BaseName + QStringLiteral("bgb")); }
