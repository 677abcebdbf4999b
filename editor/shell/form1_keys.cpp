// The key table: the main window sees every key before the control that has the
// focus and turns it into the command of the button, option button or menu it
// stands for. The same filter sees clicks on the bare window.
#include "form1.h"

#include "opt.h"
#include "scroll_bar.h"
#include "view_transform.h"
#include "words.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>

namespace {

// Key codes of the table: letters 65..90, keypad digits 96..105, keypad + 107,
// keypad - 109, Page Up 33, Page Down 34, End 35, Home 36, Space 32.
int keyCode(const QKeyEvent* e)
{
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k; // Qt uses the same codes for letters
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9)
        return 96 + (k - Qt::Key_0);
    if (keypad && k == Qt::Key_Plus)
        return 107;
    if (keypad && k == Qt::Key_Minus)
        return 109;
    switch (k) {
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Space: return 32;
    default: return 0;
    }
}

int shiftState(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

constexpr int kShift = 1, kCtrl = 2;

} // namespace

void Form1::connectKeys()
{
    qApp->installEventFilter(this);
}

bool Form1::eventFilter(QObject* obj, QEvent* e)
{
    // A click on the bare window, not on one of its controls.
    if (e->type() == QEvent::MouseButtonRelease && obj == centralWidget() &&
        !centralWidget()->childAt(static_cast<QMouseEvent*>(e)->position().toPoint()))
        Form_Click();
    if (e->type() != QEvent::KeyPress || !obj->isWidgetType())
        return QMainWindow::eventFilter(obj, e);
    auto* target = static_cast<QWidget*>(obj);
    // Only keys of this window, and each key once: Qt offers an unused key to the
    // parents of the focused control as well.
    if (target->window() != this || (QApplication::focusWidget() && target != QApplication::focusWidget()))
        return QMainWindow::eventFilter(obj, e);
    auto* key = static_cast<QKeyEvent*>(e);
    int code = keyCode(key);
    if (code == 0)
        return false;
    Form_KeyDown(code, shiftState(key->modifiers()));
    return code == 0; // a cleared code is consumed
}

void Form1::Form_KeyDown(int& KeyCode, int Shift)
{
    if (Shift == kCtrl) {
        switch (KeyCode) {
        case 'L': BuLoad_Click(); return;
        case 'S': BuSave_Click(); return;
        case 'Z': MUndo_Click(); return;
        case 'X': MRedo_Click(); return;
        default: break;
        }
    }
    if (ValueBoxFocus)
        return;

    if (!DebugListFocus) {
        const double S = options_.ScrollSize;
        const double h = S / view.ScaleX, v = 2.5 * S / view.ScaleY;
        // One key moves the view once, diagonally too; only the side that moves is limited.
        auto scroll = [&](double dx, double dy) {
            const double x = std::clamp(XOff->value() + dx, double(trv::kXOffMin), double(trv::kXOffMax));
            const double y = std::clamp(YOff->value() + dy, double(trv::kYOffMin), double(trv::kYOffMax));
            setViewBars(dx != 0 ? trv::roundHalfEven32(x) : XOff->value(),
                        dy != 0 ? trv::roundHalfEven32(y) : YOff->value(), Zoom->value());
        };
        switch (KeyCode) {
        case 107:
        case 33:
            KeyCode = 0;
            Zoom->setValue(Zoom->value() + 30 < trv::kZoomMax ? Zoom->value() + 30 : trv::kZoomMax);
            return;
        case 109:
        case 34:
            KeyCode = 0;
            Zoom->setValue(Zoom->value() - 30 > trv::kZoomMin ? Zoom->value() - 30 : trv::kZoomMin);
            return;
        case 36:
            KeyCode = 0;
            Shift == kShift ? LeftD_MouseUp(1) : LeftU_MouseUp(1);
            return;
        case 35:
            KeyCode = 0;
            Shift == kShift ? RightD_MouseUp(1) : RightU_MouseUp(1);
            return;
        case 97: scroll(h, -v); return;
        case 98: scroll(0, -v); return;
        case 99: scroll(-h, -v); return;
        case 100: scroll(h, 0); return;
        case 101: Center_MouseDown(); return;
        case 102: scroll(-h, 0); return;
        case 103: scroll(h, v); return;
        case 104: scroll(0, v); return;
        case 105: scroll(-h, v); return;
        default: break;
        }
    }

    // Letter commands only without Ctrl, so that Ctrl+S saves and does not also smooth.
    if (Shift & kCtrl)
        return;
    switch (KeyCode) {
    case 32: Redraw_Click(); break;
    case 'L': select(ELine); break;
    case 'G': select(EGen); break;
    case 'P': select(EPoint), select(PFix); break;
    case 'M': select(EPoint), select(PMove); break;
    case 'N': select(EPoint), select(PNew); break;
    case 'D': select(EPoint), select(PDel); break;
    case 'T': select(ELand); break;
    case 'O': Options_Click(); break;
    case 'S': Runder_Click(); break;
    case 'C': Center_MouseDown(); break;
    case 'W': Shift == kShift ? WaterU_MouseUp(2) : WaterD_MouseUp(2); break;
    case 'R': Shift == kShift ? RailU_MouseUp(2) : RailD_MouseUp(2); break;
    default: break;
    }
}
