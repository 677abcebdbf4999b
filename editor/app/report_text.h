// The text of a report of failures, shared by every window that reports a run.
#pragma once
#include <QString>
#include <QStringList>

// What a report's message box shows: a short list of problems stands in its
// text after the summary, a long one goes into the detail section, which scrolls.
struct ReportText {
    QString text, details;
};
ReportText reportText(const QString& summary, const QStringList& lines);
