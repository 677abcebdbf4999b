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
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The key codes of the table (the letters are their upper-case characters).
enum : int {
    kKeySpace = 32,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyPad0 = 96, // keypad digits 96..105, with Num Lock on
    kKeyPadPlus = 107,
    kKeyPadMinus = 109,
};
constexpr int keypad(int digit) { return kKeyPad0 + digit; }
constexpr int kZoomStep = 30; // the zoom bar's large step

int keyCode(const QKeyEvent* e)
{
    const int k = e->key();
    const bool pad = e->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k; // Qt uses the same codes for letters
    if (pad && k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad(k - Qt::Key_0);
    if (pad && k == Qt::Key_Plus)
        return kKeyPadPlus;
    if (pad && k == Qt::Key_Minus)
        return kKeyPadMinus;
    switch (k) {
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Space: return kKeySpace;
    default: return 0;
    }
}

int shiftState(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

constexpr int kShift = 1, kCtrl = 2;

} // namespace

void Form1::connectKeys() { qApp->installEventFilter(this); }

bool Form1::eventFilter(QObject* obj, QEvent* e)
{
    // A click on the bare window, not on one of its controls.
    if (e->type() == QEvent::MouseButtonRelease && obj == client_ &&
        !client_->childAt(static_cast<QMouseEvent*>(e)->position().toPoint()))
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
    const int shift = shiftState(key->modifiers());
    const bool ran = Form_KeyDown(code, shift);
    // A Ctrl command is used up: after a dialog it opened, the same press must
    // not reach the parents of the control as a press of their own. So is a key
    // the table clears. A plain letter still reaches the focused control, as a
    // file name is typed with the same letters the commands use.
    return code == 0 || (ran && (shift & kCtrl));
}

void Form1::scrollView(double dx, double dy)
{
    // One move of the view, diagonally too; only the side that moves is limited.
    const double x = std::clamp(XOff->value() + dx, double(trv::kXOffMin), double(trv::kXOffMax));
    const double y = std::clamp(YOff->value() + dy, double(trv::kYOffMin), double(trv::kYOffMax));
    setViewBars(dx != 0 ? trv::roundHalfEven32(x) : XOff->value(), dy != 0 ? trv::roundHalfEven32(y) : YOff->value(),
                Zoom->value());
}

void Form1::zoomStep(int sign)
{
    const int z = Zoom->value() + sign * kZoomStep;
    Zoom->setValue(sign > 0 ? (z < trv::kZoomMax ? z : trv::kZoomMax) : (z > trv::kZoomMin ? z : trv::kZoomMin));
}

bool Form1::Form_KeyDown(int& KeyCode, int Shift)
{
    if (Shift == kCtrl) {
        switch (KeyCode) {
        case 'L': BuLoad_Click(); return true;
        case 'S': BuSave_Click(); return true;
        case 'Z': MUndo_Click(); return true;
        case 'X': MRedo_Click(); return true;
        default: break;
        }
    }
    // Per user, the usual keys of other programs beside the table's own.
    if (!paths_.portable && Shift == kCtrl) {
        switch (KeyCode) {
        case 'O': BuLoad_Click(); return true;
        case 'Y': MRedo_Click(); return true;
        default: break;
        }
    }
    if (!paths_.portable && Shift == (kCtrl | kShift)) {
        switch (KeyCode) {
        case 'S': BuSaveAs_Click(); return true;
        case 'Z': MRedo_Click(); return true;
        default: break;
        }
    }
    if (ValueBoxFocus)
        return false;

    if (!DebugListFocus) {
        const double S = options_.ScrollSize;
        const double h = S / view.ScaleX, v = 2.5 * S / view.ScaleY;
        switch (KeyCode) {
        case kKeyPadPlus:
        case kKeyPageUp:
            KeyCode = 0;
            zoomStep(+1);
            return true;
        case kKeyPadMinus:
        case kKeyPageDown:
            KeyCode = 0;
            zoomStep(-1);
            return true;
        case kKeyHome:
            KeyCode = 0;
            Shift == kShift ? LeftD_MouseUp(1) : LeftU_MouseUp(1);
            return true;
        case kKeyEnd:
            KeyCode = 0;
            Shift == kShift ? RightD_MouseUp(1) : RightU_MouseUp(1);
            return true;
        case keypad(1): scrollView(h, -v); return true;
        case keypad(2): scrollView(0, -v); return true;
        case keypad(3): scrollView(-h, -v); return true;
        case keypad(4): scrollView(h, 0); return true;
        case keypad(5): Center_MouseDown(); return true;
        case keypad(6): scrollView(-h, 0); return true;
        case keypad(7): scrollView(h, v); return true;
        case keypad(8): scrollView(0, v); return true;
        case keypad(9): scrollView(-h, v); return true;
        default: break;
        }
    }

    // Letter commands only without Ctrl, so that Ctrl+S saves and does not also smooth.
    if (Shift & kCtrl)
        return false;
    switch (KeyCode) {
    case kKeySpace: Redraw_Click(); return true;
    case 'L': select(ELine); return true;
    case 'G': select(EGen); return true;
    case 'P': select(EPoint), select(PFix); return true;
    case 'M': select(EPoint), select(PMove); return true;
    case 'N': select(EPoint), select(PNew); return true;
    case 'D': select(EPoint), select(PDel); return true;
    case 'T': select(ELand); return true;
    case 'O': Options_Click(); return true;
    case 'S': Runder_Click(); return true;
    case 'C': Center_MouseDown(); return true;
    case 'W': Shift == kShift ? WaterU_MouseUp(2) : WaterD_MouseUp(2); return true;
    case 'R': Shift == kShift ? RailU_MouseUp(2) : RailD_MouseUp(2); return true;
    default: return false;
    }
}
