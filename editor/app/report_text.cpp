#include "report_text.h"

ReportText reportText(const QString& summary, const QStringList& lines)
{
    // A long list would make the box taller than the screen; a short one is
    // read at once, without opening the details.
    constexpr qsizetype kShortList = 10;
    if (lines.size() <= kShortList)
        return {lines.isEmpty() ? summary : summary + "\n\n" + lines.join('\n'), {}};
    return {summary, lines.join('\n')};
}
