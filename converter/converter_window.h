// The converter's one window: drop a .brg on the text box (or browse for one),
// press Convert.
#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class ConverterWindow : public QWidget {
    Q_OBJECT

public:
    explicit ConverterWindow(QWidget* parent = nullptr);

    // Validates DropName (a .brg in any letter case) and derives DropDir;
    // anything else clears DropName.
    void CheckDrop();
    // Converts the current source file into BaseName + "bgb". Returns why it
    // failed, or an empty string.
    QString ConvertFile();

    // Asks the user for a bridge file, starting in `folder`, offering files that
    // match `filter`; returns the chosen path, or "" when cancelled. A file
    // dialog unless a test puts something else here.
    std::function<QString(const QString& folder, const QString& filter)> chooseFile;

    QLineEdit* TxIn = nullptr;
    QPushButton* BuBrowse = nullptr;
    QPushButton* BuConv = nullptr;
    QCheckBox* ChFold = nullptr;
    QLabel* LaNote = nullptr;           // why the last dropped or chosen file was refused
    QPlainTextEdit* TxReport = nullptr; // every failure of the last run; shown only after failures

    QString DropName; // dropped file; during a folder run the current file name
    QString DropDir;  // folder of the dropped file, with its final separator
    QString BaseName; // current file path without its last three characters

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuConv_Click();
    void BuBrowse_Click();
    void takeFile(const QString& path);
    void convertFolder();
    void showStatus(const QString& text);
    void showNote(const QString& text);
    void showReport(int converted, const QStringList& failures);

    QString sourcePath_;   // the file ConvertFile reads, in its real letter case
    QString note_;         // LaNote's full text; the label shows as much as fits
    bool running_ = false; // a folder run lets events through; ignore input meanwhile
};
