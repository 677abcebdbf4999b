#include "path_text.h"

#include <algorithm>

QStringList qtFilters(QString filter)
{
    if (!filter.endsWith('|'))
        filter += '|';
    const QStringList parts = filter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& desc = parts[i];
        QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty())
            pattern = "*";
        pattern.replace(';', ' ');
        out << (desc.endsWith("(" + pattern + ")") ? desc : desc + " (" + pattern + ")");
    }
    return out;
}

bool hasThreeLetterExtension(const QString& s) { return s.size() >= 5 && s[s.size() - 4] == '.'; }

bool endsWithNoCase(const QString& s, const QString& tail)
{
    return s.right(tail.size()).compare(tail, Qt::CaseInsensitive) == 0;
}

QString withoutLast(const QString& s, qsizetype n) { return s.left(std::max<qsizetype>(0, s.size() - n)); }

PathSplit splitPath(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    if (cut < 0)
        return {QString(), path};
    return {path.left(cut + 1), path.mid(cut + 1)};
}
