// The general level values: the five value boxes, the "+" and "-" buttons, the
// focus flags that keep typed text from being taken for key commands, and the
// captions and frames whose click commits pending values.
#include "form1.h"

#include "controls.h"
#include "general_values.h"
#include "list_box.h"
#include "pic_box.h"

#include <QEvent>
#include <QLineEdit>

#include <functional>

namespace {

// Reports focus changes of a control that has no signals for them.
class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* parent, std::function<void()> gained, std::function<void()> lost)
        : QObject(parent), gained_(std::move(gained)), lost_(std::move(lost))
    {
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusIn)
            gained_();
        else if (e->type() == QEvent::FocusOut)
            lost_();
        return false;
    }

private:
    std::function<void()> gained_, lost_;
};

} // namespace

void Form1::connectGeneral()
{
    connect(Money, &QLineEdit::textChanged, this, [this] { Money_Change(); });
    connect(Water, &QLineEdit::textChanged, this, [this] { Water_Change(); });
    connect(Rail, &QLineEdit::textChanged, this, [this] { Rail_Change(); });
    connect(LeftE, &QLineEdit::textChanged, this, [this] { LeftE_Change(); });
    connect(RightE, &QLineEdit::textChanged, this, [this] { RightE_Change(); });

    connect(WaterU, &MouseButton::mouseUp, this, [this](int b) { WaterU_MouseUp(b); });
    connect(WaterD, &MouseButton::mouseUp, this, [this](int b) { WaterD_MouseUp(b); });
    connect(RailU, &MouseButton::mouseUp, this, [this](int b) { RailU_MouseUp(b); });
    connect(RailD, &MouseButton::mouseUp, this, [this](int b) { RailD_MouseUp(b); });
    connect(LeftU, &MouseButton::mouseUp, this, [this](int b) { LeftU_MouseUp(b); });
    connect(LeftD, &MouseButton::mouseUp, this, [this](int b) { LeftD_MouseUp(b); });
    connect(RightU, &MouseButton::mouseUp, this, [this](int b) { RightU_MouseUp(b); });
    connect(RightD, &MouseButton::mouseUp, this, [this](int b) { RightD_MouseUp(b); });

    for (QLineEdit* box : {Money, Water, Rail, LeftE, RightE})
        box->installEventFilter(new FocusWatcher(
            box, [this] { ValueBoxFocus = true; }, [this] { ValueBoxFocus = false; }));
    LandFix->installEventFilter(new FocusWatcher(
        LandFix, [this] { LandFix_GotFocus(); }, [this] { LandFix_LostFocus(); }));
    connect(LDebug, &ListBox::focusGained, this, [this] { DebugListFocus = true; });
    connect(LDebug, &ListBox::focusLost, this, [this] { DebugListFocus = false; });

    for (ClickLabel* l : {Redraw, LabelEditMode, LabelX, LabelY, YP, LabelGeld, LabelLeft, LabelLPoint, LabelRail,
                          LabelRight, LabelWater})
        connect(l, &ClickLabel::clicked, this, [this] { Redraw_Click(); });
    for (ClickFrame* f : {FrameKoordinaten, FrameLE, FramePE, FrameLd, FrameGen})
        connect(f, &ClickFrame::clicked, this, [this] { Redraw_Click(); });
}

void Form1::Money_Change()
{
    if (loading_)
        return;
    // Never a step of its own: the budget reaches the journal with the next commit.
    const trv::BudgetEntry e = trv::applyTypedBudget(doc, Money->text().toStdString());
    const QString shown = QString::fromStdString(e.text);
    if (Money->text() != shown)
        Money->setText(shown); // runs this handler again, which then finds nothing to change
}

// A typed level names the current step only when nothing has named it yet.
void Form1::typedLevel(trv::LevelValue v, const QLineEdit* box)
{
    nameTypedStep(trv::applyTypedLevel(doc, v, box->text().toStdString()));
}

void Form1::Water_Change()
{
    if (!loading_)
        typedLevel(trv::LevelValue::Water, Water);
}

void Form1::Rail_Change()
{
    if (!loading_)
        typedLevel(trv::LevelValue::Rail, Rail);
}

void Form1::LeftE_Change()
{
    if (!loading_)
        typedLevel(trv::LevelValue::LeftEnd, LeftE);
}

void Form1::RightE_Change()
{
    if (!loading_)
        typedLevel(trv::LevelValue::RightEnd, RightE);
}

void Form1::stepLevel(trv::LevelValue v, bool plus, int button)
{
    Pic->setFocus(); // the key commands work at once
    if (!documentLoaded_)
        return; // before the first document there is nothing to change
    applyEdit(trv::stepLevel(doc, v, plus, button != 1, tables.RailY));
}

void Form1::WaterU_MouseUp(int button) { stepLevel(trv::LevelValue::Water, true, button); }
void Form1::WaterD_MouseUp(int button) { stepLevel(trv::LevelValue::Water, false, button); }
void Form1::RailU_MouseUp(int button) { stepLevel(trv::LevelValue::Rail, true, button); }
void Form1::RailD_MouseUp(int button) { stepLevel(trv::LevelValue::Rail, false, button); }
void Form1::LeftU_MouseUp(int button) { stepLevel(trv::LevelValue::LeftEnd, true, button); }
void Form1::LeftD_MouseUp(int button) { stepLevel(trv::LevelValue::LeftEnd, false, button); }
void Form1::RightU_MouseUp(int button) { stepLevel(trv::LevelValue::RightEnd, true, button); }
void Form1::RightD_MouseUp(int button) { stepLevel(trv::LevelValue::RightEnd, false, button); }
