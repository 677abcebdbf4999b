#include "window_checks.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTest>
#include <QWindow>

#include <string>
#include <vector>

namespace trvtest {

namespace {

bool isControl(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
        qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
        qobject_cast<const QAbstractSlider*>(w) ||
        // A scroll area that holds other widgets is a container, not a control.
        (qobject_cast<const QAbstractScrollArea*>(w) && !qobject_cast<const QScrollArea*>(w)) ||
        qobject_cast<const QTabBar*>(w);
}

// A person scrolls a control into view before clicking it.
void scrollIntoView(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p); area && area->widget() && area->widget()->isAncestorOf(w)) {
            // The whole control (ensureWidgetVisible shows only a text box's cursor).
            const QPoint centre = w->mapTo(area->widget(), w->rect().center());
            area->ensureVisible(centre.x(), centre.y(), w->width() / 2 + 1, w->height() / 2 + 1);
        }
}

std::string describe(const QWidget* w)
{
    if (!w)
        return "nothing";
    std::string text = w->metaObject()->className();
    QString caption;
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        caption = b->text();
    else if (auto* l = qobject_cast<const QLabel*>(w))
        caption = l->text();
    if (!caption.isEmpty())
        text += " \"" + caption.toStdString() + "\"";
    if (!w->objectName().isEmpty())
        text += " (" + w->objectName().toStdString() + ")";
    return text;
}

// The window's visible controls, outermost only: the parts of a control (the
// viewport of a list, the buttons of a spin box) belong to it.
std::vector<QWidget*> controlsOf(QWidget* window, bool enabledOnly)
{
    std::vector<QWidget*> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || (enabledOnly && !w->isEnabled()) || !isControl(w))
            continue;
        bool insideControl = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            insideControl = insideControl || isControl(p);
        if (!insideControl)
            found.push_back(w);
    }
    return found;
}

::testing::AssertionResult verdict(const std::vector<std::string>& problems)
{
    if (problems.empty())
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (const std::string& p : problems)
        failure << "\n  " << p;
    return failure;
}

// Text width and height as drawn, over several lines; in a button's caption and
// a label with a buddy, '&' marks a shortcut and takes no room.
QSize textSize(const QWidget* w, const QString& text)
{
    const auto* label = qobject_cast<const QLabel*>(w);
    return w->fontMetrics().size(label && !label->buddy() ? 0 : Qt::TextShowMnemonic, text);
}

// The room a button's style leaves for its caption, in the button's own coordinates.
QRect captionRoom(const QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    if (qobject_cast<const QCheckBox*>(b))
        return b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b);
    if (qobject_cast<const QRadioButton*>(b))
        return b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
    QRect room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    // The style's margins around the caption inside the bevel.
    const int margin = b->style()->pixelMetric(QStyle::PM_ButtonMargin, &opt, b);
    room.adjust(margin / 2, 0, -margin / 2, 0);
    if (!b->icon().isNull())
        room.setLeft(room.left() + b->iconSize().width() + 4);
    return room;
}

} // namespace

::testing::AssertionResult everyControlTakesAClickAtItsCentre(QWidget* window)
{
    std::vector<std::string> problems;
    for (QWidget* w : controlsOf(window, true)) {
        scrollIntoView(w);
        const QPoint centre = w->mapTo(window, w->rect().center());
        if (w->width() <= 0 || w->height() <= 0 || !window->rect().contains(centre)) {
            problems.push_back(describe(w) + " has its centre outside the window");
            continue;
        }
        // The centre, and the middle of each quarter: a control partly covered
        // takes some of the clicks meant for it elsewhere.
        const QRect r = w->rect();
        for (const QPoint p :
             {r.center(), QPoint(r.width() / 4, r.height() / 4), QPoint(3 * r.width() / 4, r.height() / 4),
              QPoint(r.width() / 4, 3 * r.height() / 4), QPoint(3 * r.width() / 4, 3 * r.height() / 4)}) {
            QWidget* hit = window->childAt(w->mapTo(window, p));
            if (hit != w && !w->isAncestorOf(hit)) {
                problems.push_back(describe(w) + " is covered at (" + std::to_string(p.x()) + ", " +
                                   std::to_string(p.y()) + ") by " + describe(hit));
                break;
            }
        }
    }
    return verdict(problems);
}

::testing::AssertionResult everyCaptionFits(QWidget* window)
{
    std::vector<std::string> problems;
    auto check = [&](const QWidget* w, const QString& caption, const QRect& room) {
        const QSize need = textSize(w, caption);
        if (need.width() > room.width())
            problems.push_back(describe(w) + " needs " + std::to_string(need.width()) + "x" +
                               std::to_string(need.height()) + " px for its caption but has " +
                               std::to_string(room.width()) + "x" + std::to_string(room.height()));
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            if (qobject_cast<QPushButton*>(b) || qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
                check(b, b->text(), captionRoom(b));
            else if (b->sizeHint().width() > b->width() || b->sizeHint().height() > b->height())
                problems.push_back(describe(b) + " is smaller than its caption needs");
        } else if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
            if (l->wordWrap() || l->textFormat() == Qt::RichText ||
                (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()))) {
                // Wrapped or formatted text: the label's own measure of the height it needs.
                if (l->heightForWidth(l->width()) > l->height() || l->minimumSizeHint().width() > l->width())
                    problems.push_back(describe(l) + " is smaller than its text needs");
            } else {
                check(l, l->text(), room);
            }
        }
    }
    // Captions of labels side by side must not run into each other.
    std::vector<std::pair<const QLabel*, QRect>> drawn;
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->text().isEmpty() || l->wordWrap())
            continue;
        const QRect text =
            QStyle::alignedRect(l->layoutDirection(), l->alignment(), textSize(l, l->text()), l->contentsRect());
        drawn.emplace_back(l, QRect(l->mapTo(window, text.topLeft()), text.size()));
    }
    for (size_t a = 0; a < drawn.size(); ++a)
        for (size_t b = a + 1; b < drawn.size(); ++b)
            if (drawn[a].second.intersects(drawn[b].second))
                problems.push_back(describe(drawn[a].first) + " and " + describe(drawn[b].first) +
                                   " are drawn over each other");
    return verdict(problems);
}

::testing::AssertionResult everyControlHasAnAccessibleName(QWidget* window)
{
    std::vector<std::string> problems;
    // What a screen reader is told: a button's caption, or the name set for a
    // control without one (a list, a bar, a text box).
    for (QWidget* w : controlsOf(window, false)) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name).remove('&').trimmed() : QString();
        if (name.isEmpty())
            problems.push_back(describe(w) + " has no accessible name");
        // Speech and voice control say what is seen: the name holds the caption.
        else if (auto* b = qobject_cast<const QAbstractButton*>(w);
                 b && !name.contains(QString(b->text()).remove('&').trimmed(), Qt::CaseInsensitive))
            problems.push_back(describe(w) + " is named \"" + name.toStdString() + "\" for screen readers");
    }
    return verdict(problems);
}

::testing::AssertionResult showsPressedWhileHeld(QAbstractButton* button)
{
    QWidget* window = button->window();
    const QPoint at = button->mapTo(window, button->rect().center());
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    const bool down = button->isDown();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
    const bool told = a && a->state().pressed;
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    if (down && told)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << describe(button) << (down ? "" : " is drawn up")
                                         << (told ? "" : " and tells screen readers it is not pressed")
                                         << " while the mouse holds it";
}

} // namespace trvtest
