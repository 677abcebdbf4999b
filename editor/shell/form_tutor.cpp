#include "form_tutor.h"

#include "compact_style.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
// A small truss drawn by code: the prompt's picture.
QPixmap trussPicture()
{
    QPixmap pm(96, 48);
    pm.fill(QColor(72, 72, 72));
    QPainter p(&pm);
    p.setPen(QPen(QColor(0, 255, 0), 2));
    for (int x = 8; x < 88; x += 16) {
        p.drawLine(x, 36, x + 16, 36);
        p.drawLine(x, 36, x + 8, 16);
        p.drawLine(x + 8, 16, x + 16, 36);
    }
    p.setPen(QPen(QColor(255, 0, 0), 5));
    p.drawPoint(8, 36);
    p.drawPoint(88, 36);
    return pm;
}
} // namespace

FormTutor::FormTutor(QWidget* owner) : QDialog(owner)
{
    setObjectName("FormTutor");
    setFont(windowFont());
    setModal(true);
    setFixedSize(240, 120);
    LabelTutor = new QLabel("Tutorial ?", this);
    LabelTutor->setObjectName("LabelTutor");
    LabelTutor->setGeometry(16, 16, 100, 24);
    Image2 = new QLabel(this);
    Image2->setObjectName("Image2");
    Image2->setPixmap(trussPicture());
    Image2->setGeometry(128, 8, 96, 48);
    TutorOK = new QPushButton("OK", this);
    TutorOK->setObjectName("TutorOK");
    TutorOK->setGeometry(16, 76, 96, 28);
    TutorCancel = new QPushButton("Cancel", this);
    TutorCancel->setObjectName("TutorCancel");
    TutorCancel->setGeometry(128, 76, 96, 28);
    connect(TutorOK, &QPushButton::clicked, this, [this] {
        emit tutorialRequested();
        hide();
        accept();
    });
    connect(TutorCancel, &QPushButton::clicked, this, [this] {
        hide();
        reject();
    });
}
