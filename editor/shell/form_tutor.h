// The first-start prompt that offers the tutorial.
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

class FormTutor : public QDialog {
    Q_OBJECT
public:
    explicit FormTutor(QWidget* owner);
    QLabel *LabelTutor, *Image2;
    QPushButton *TutorOK, *TutorCancel;
signals:
    void tutorialRequested();
};
