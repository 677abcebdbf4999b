// The About frame: it slides in over the drawing area, pauses, then a small
// train swings on a spring towards the pointer's x over the picture. A timer
// paces the steps, so the window stays responsive without nested event loops.
#include "form1.h"
#include "window_units.h"

#include "colors.h"
#include "controls.h"
#include "pic_box.h"
#include "words.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTickMs = 10;
constexpr double kSlideStart = -3, kSlideEnd = 1;
constexpr double kSlidePerTick = 0.04; // 100 ticks: the 4000 steps of 0.001 in about a second
constexpr int kPauseTicks = 50;        // half a second
constexpr double kTrainWidth = 450, kTrainHeight = 180, kTrainTop = 3750; // twips, in the frame

// A valley with water, a truss bridge between two anchors and a train: the
// About picture, drawn by code.
QPixmap aboutPicture(QSize size)
{
    QPixmap pm(size);
    const int w = size.width(), h = size.height();
    pm.fill(QColor(72, 72, 72));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // Sky gradient.
    for (int y = 0; y < h / 2; ++y) {
        const int c = 72 + 40 * (h / 2 - y) / std::max(1, h / 2);
        p.setPen(QColor(c, c, c + 10));
        p.drawLine(0, y, w, y);
    }
    const double deck = h * 0.45, left = w * 0.22, right = w * 0.78;
    // Water, then the two banks.
    p.fillRect(QRectF(0, h * 0.7, w, h * 0.3), QColor(44, 44, 127));
    QPainterPath land;
    land.moveTo(0, h);
    land.lineTo(0, deck);
    land.lineTo(left, deck);
    land.cubicTo(left + w * 0.05, h * 0.8, right - w * 0.05, h * 0.8, right, deck);
    land.lineTo(w, deck);
    land.lineTo(w, h);
    land.closeSubpath();
    p.fillPath(land, QColor(111, 111, 111));
    p.fillRect(QRectF(0, h * 0.7, w, h * 0.3).intersected(QRectF(left + 10, h * 0.75, right - left - 20, h)),
               QColor(44, 44, 127));
    // The truss: a deck rail, a top chord and diagonals.
    const int bays = 8;
    const double bay = (right - left) / bays, rise = h * 0.14;
    p.setPen(QPen(QColor(0, 255, 0), 1.5));
    for (int k = 0; k < bays; ++k) {
        const double x0 = left + k * bay, x1 = x0 + bay;
        p.drawLine(QPointF(x0, deck), QPointF(x0 + bay / 2, deck - rise));
        p.drawLine(QPointF(x0 + bay / 2, deck - rise), QPointF(x1, deck));
        if (k + 1 < bays)
            p.drawLine(QPointF(x0 + bay / 2, deck - rise), QPointF(x1 + bay / 2, deck - rise));
    }
    p.setPen(QPen(QColor(255, 255, 255), 2.5));
    p.drawLine(QPointF(0, deck), QPointF(w, deck));
    // Anchors and soft points.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    for (double x : {left, right})
        p.drawEllipse(QPointF(x, deck), 3.5, 3.5);
    p.setBrush(QColor(160, 160, 160));
    for (int k = 1; k < bays; ++k)
        p.drawEllipse(QPointF(left + k * bay, deck), 2.5, 2.5);
    // The train on the left bank.
    p.setBrush(QColor(88, 152, 88));
    p.drawRect(QRectF(w * 0.04, deck - 14, w * 0.12, 12));
    p.drawRect(QRectF(w * 0.04, deck - 22, w * 0.04, 8));
    return pm;
}

} // namespace

void Form1::buildAbout()
{
    auto place = [](QWidget* wgt, const char* name, double l, double t, double wd, double ht) {
        wgt->setObjectName(name);
        wgt->setGeometry(tw(l), tw(t), std::max(1, tw(wd)), std::max(1, tw(ht)));
    };
    Image1 = new ClickLabel(FrameAbout);
    place(Image1, "Image1", 120, 400, 5325, 2450);
    Image1->setPixmap(aboutPicture(Image1->size()));
    Image1->setMouseTracking(true);
    Labeltwde = new ClickLabel("Trusswick level editor\nby the Trusswick editor team", FrameAbout);
    place(Labeltwde, "Labeltwde", 120, 2950, 5325, 600);
    Labeltwde->setAlignment(Qt::AlignCenter);
    AboutTrain = new QLabel(FrameAbout);
    place(AboutTrain, "AboutTrain", 2400, kTrainTop, kTrainWidth, kTrainHeight);
    AboutTrain->setAutoFillBackground(true);
    AboutTrain->hide();
    AboutLine = new LineShape(FrameAbout);
    AboutLine->setObjectName("AboutLine");
    AboutLine->raise();

    aboutTimer_ = new QTimer(this);
    aboutTimer_->setInterval(kTickMs);
    connect(aboutTimer_, &QTimer::timeout, this, [this] { aboutTick(); });
    for (ClickLabel* l : {Image1, Labeltwde})
        connect(l, &ClickLabel::clicked, this, [this] { FrameAbout_Click(); });
    connect(FrameAbout, &ClickFrame::clicked, this, [this] { FrameAbout_Click(); });
    connect(Image1, &ClickLabel::mouseMove, this, [this](int buttons, int shift, double x, double y) {
        Image1_MouseMove(buttons, shift, x * trv::kTwipsPerPixel, y * trv::kTwipsPerPixel);
    });
}

void Form1::MAbout_Click()
{
    if (!FrameAbout->isHidden()) {
        FrameAbout->hide();
        aboutTimer_->stop();
        LayoutPending = true;
        RenderView();
        return;
    }
    aboutSlide_ = kSlideStart;
    aboutPause_ = kPauseTicks;
    AboutTrain->hide();
    AboutLine->setLine({}, {}, Qt::transparent);
    FrameAbout->move(tw(1500 * std::sin(aboutSlide_) + 1000), tw(3000 * std::cos(aboutSlide_) - 1000));
    FrameAbout->show();
    FrameAbout->raise();
    aboutTimer_->start();
}

void Form1::FrameAbout_Click()
{
    FrameAbout->hide();
    aboutTimer_->stop();
    RenderView();
}

void Form1::Image1_MouseMove(int, int, double x, double y)
{
    AboutTargetX = x;
    AboutPointerY = trv::roundHalfEven32(y + 1);
}

void Form1::aboutTick()
{
    if (FrameAbout->isHidden()) {
        aboutTimer_->stop();
        return;
    }
    if (aboutSlide_ < kSlideEnd) {
        aboutSlide_ = std::min(kSlideEnd, aboutSlide_ + kSlidePerTick);
        FrameAbout->move(tw(1500 * std::sin(aboutSlide_) + 1000), tw(3000 * std::cos(aboutSlide_) - 1000));
        return;
    }
    if (aboutPause_ > 0) {
        if (--aboutPause_ == 0) {
            AboutSpeed = 10;
            AboutTargetX = 3750;
            AboutPointerY = 900;
        }
        return;
    }
    if (!AboutAnimation())
        aboutTimer_->stop();
}

bool Form1::AboutAnimation()
{
    if (FrameAbout->isHidden())
        return false;
    if (AboutTrain->isHidden()) {
        AboutTrainLeft = AboutTrain->x() * trv::kTwipsPerPixel;
        AboutTrain->show();
    }
    QPalette pal = AboutTrain->palette();
    pal.setColor(QPalette::Window, trv::colorFromPacked(options_.ColorTable[trv::ColorTrain]));
    AboutTrain->setPalette(pal);

    // A weight on a spring: pulled towards the pointer's x, softer the lower the pointer.
    const double py = AboutPointerY;
    AboutSpeed = 0.998 * AboutSpeed + (AboutTargetX - AboutTrainLeft) / (py * py / 100 + 1000);
    if (AboutTrainLeft < 0) {
        AboutSpeed = -AboutSpeed;
        AboutTrainLeft = 1;
    }
    if (AboutTrainLeft > 5100) {
        AboutSpeed = -AboutSpeed;
        AboutTrainLeft = 5099;
    }
    AboutTrainLeft += AboutSpeed;
    AboutTrain->move(tw(AboutTrainLeft), AboutTrain->y());

    // The tie gets lighter the lower the pointer: a grey of AboutPointerY / 15.
    const int grey = std::clamp(int(std::floor(py / 15)), 0, 255);
    const double third = kTrainWidth / 3;
    AboutLine->setLine(QPointF(AboutTargetX + third, py + 400) / trv::kTwipsPerPixel,
                       QPointF(AboutTrainLeft + third, kTrainTop) / trv::kTwipsPerPixel, QColor(grey, grey, grey));
    return true;
}
