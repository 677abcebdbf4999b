#include "converter_window.h"

#include "bgb_core.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace {

const QString kDone = QStringLiteral("   Done");
const QString kFailed = QStringLiteral("   Failed: ");

bool hasBrgExtension(const QString& name)
{
    return name.size() > 4 && name.right(4).compare(QLatin1String(".brg"), Qt::CaseInsensitive) == 0;
}

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
    // Typing a path would not select a file, so the box only shows what happens.
    TxIn->setReadOnly(true);
    TxIn->setMinimumWidth(560);
    TxIn->installEventFilter(this);

    ChFold = new QCheckBox(QStringLiteral("All files in Folder"), this);
    ChFold->setObjectName(QStringLiteral("ChFold"));

    BuConv = new QPushButton(QStringLiteral("Convert"), this);
    BuConv->setObjectName(QStringLiteral("BuConv"));
    // clicked() fires on the release of the button, not on the press.
    connect(BuConv, &QPushButton::clicked, this, &ConverterWindow::BuConv_Click);

    auto* row = new QHBoxLayout;
    row->addWidget(ChFold);
    row->addStretch(1);
    row->addWidget(BuConv);
    auto* column = new QVBoxLayout(this);
    column->addWidget(TxIn);
    column->addLayout(row);
}

bool ConverterWindow::eventFilter(QObject* watched, QEvent* event)
{
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
        DropName = path;
        CheckDrop();
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void ConverterWindow::CheckDrop()
{
    if (!hasBrgExtension(DropName)) {
        DropName.clear();
        return;
    }
    TxIn->setText(DropName);
    TxIn->setToolTip({});
    // A name may be written with either separator; the later one ends the folder.
    const qsizetype cut = std::max(DropName.lastIndexOf(QLatin1Char('/')), DropName.lastIndexOf(QLatin1Char('\\')));
    DropDir = DropName.left(cut + 1);
}

void ConverterWindow::BuConv_Click()
{
    if (running_ || DropName.isEmpty())
        return;
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
}

void ConverterWindow::convertFolder()
{
    running_ = true;
    // Hidden files, folders and special files are left out. The names are sorted
    // so that a run always visits the files in the same order.
    QStringList names = QDir(DropDir).entryList(QDir::Files, QDir::Unsorted);
    std::sort(names.begin(), names.end());

    QStringList failures;
    int converted = 0;
    for (const QString& name : std::as_const(names)) {
        DropName = name;
        if (!hasBrgExtension(name))
            continue;
        sourcePath_ = DropDir + name;
        showStatus(sourcePath_);
        BaseName = DropDir + name.left(name.size() - 3);
        const QString error = ConvertFile();
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
        TxIn->setText(TxIn->text() + QStringLiteral("   |   %1 converted, %2 failed: ").arg(converted).arg(failures.size()) +
                      failures.join(QStringLiteral("; ")));
        TxIn->setToolTip(failures.join(QLatin1Char('\n')));
    } else {
        TxIn->setToolTip({});
    }
    running_ = false;
}

void ConverterWindow::showStatus(const QString& text)
{
    TxIn->setText(text);
    QCoreApplication::processEvents();
}

QString ConverterWindow::ConvertFile()
{
    // Folders and special files (a pipe would block the read) are no bridges.
    if (!QFileInfo(sourcePath_).isFile())
        return QFileInfo::exists(sourcePath_) ? QStringLiteral("not an ordinary file")
                                              : QStringLiteral("cannot open the file (it does not exist)");
    QFile in(sourcePath_);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot open the file (%1)").arg(in.errorString());
    // Bytes beyond the largest possible bridge are never looked at.
    const QByteArray bytes = in.read(qint64(bgb::kMaxBrgBytes));
    if (in.error() != QFileDevice::NoError)
        return QStringLiteral("cannot read the file (%1)").arg(in.errorString());
    in.close();

    const bgb::Result result =
        bgb::convert(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
    if (!result.ok())
        return QString::fromStdString(result.error);

    // Written aside and renamed over the target: a failed write leaves no partial
    // file, and an older, longer file is replaced whole.
    const QString target = BaseName + QStringLiteral("bgb");
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1 (%2)").arg(target, out.errorString());
    if (out.write(reinterpret_cast<const char*>(result.bytes.data()), qint64(result.bytes.size())) !=
            qint64(result.bytes.size()) ||
        !out.commit())
        return QStringLiteral("cannot write %1 (%2)").arg(target, out.errorString());
    return {};
}
