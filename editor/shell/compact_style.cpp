#include "compact_style.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

namespace {

class CompactStyle : public QProxyStyle {
public:
    explicit CompactStyle(QStyle* base) : QProxyStyle(base) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight: return 12;
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing: return 3;
        case PM_ButtonMargin: return 2; // the "+" and "-" buttons are 17 pixels wide
        default: return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

QStyle* compactStyle()
{
    // One for the whole program, based on the style the system chose.
    static QStyle* style = [] {
        auto* s = new CompactStyle(QStyleFactory::create(QApplication::style()->name()));
        s->setParent(qApp);
        return s;
    }();
    return style;
}

} // namespace

void useCompactStyle(QWidget* window)
{
    QStyle* style = compactStyle();
    window->setStyle(style);
    for (QWidget* w : window->findChildren<QWidget*>())
        w->setStyle(style);
}
