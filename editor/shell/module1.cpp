#include "module1.h"

#include "platform.h"

namespace {
QString cleaned(QString s)
{
    const qsizetype nul = s.indexOf(QChar(0));
    if (nul >= 0)
        s.truncate(nul);
    return s.trimmed();
}
} // namespace

QString ShowOpenDialog(Platform& p, QWidget* owner, const QString& filter, const QString& name, const QString& folder)
{
    return cleaned(p.openFile(owner, qtFilters(filter), folder, name.left(254)));
}

QString ShowSaveDialog(Platform& p, QWidget* owner, const QString& filter, const QString& name, const QString& folder,
                       bool confirm)
{
    return cleaned(p.saveFile(owner, qtFilters(filter), folder, name.left(254), confirm));
}
