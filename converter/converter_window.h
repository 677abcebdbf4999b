// The converter's one window: drop a .brg on the text box, press Convert.
#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLineEdit;
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

    QLineEdit* TxIn = nullptr;
    QPushButton* BuConv = nullptr;
    QCheckBox* ChFold = nullptr;

    QString DropName; // dropped file; during a folder run the current file name
    QString DropDir;  // folder of the dropped file, with its final separator
    QString BaseName; // current file path without its last three characters

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuConv_Click();
    void convertFolder();
    void showStatus(const QString& text);

    QString sourcePath_; // the file ConvertFile reads, in its real letter case
    bool running_ = false; // a folder run lets events through; ignore input meanwhile
};
