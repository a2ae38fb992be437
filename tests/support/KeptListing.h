#pragma once

#include <QFile>
#include <QStringList>

// Compares what a test lists (a printed page, a window) with the listing kept in the file, line by
// line: what differs first, or nothing when all agree. With the environment variable writeVariable
// set, the listing is written anew instead, for a change that is meant.
inline QString differenceFromKeptListing(const QStringList& lines, const QString& path, const char* writeVariable)
{
    QFile file(path);
    if (!qEnvironmentVariableIsEmpty(writeVariable)) // written anew, for a change that is meant
        return file.open(QIODevice::WriteOnly) && file.write((lines.join('\n') + '\n').toUtf8()) > 0 ? QString() : "cannot write " + path;
    if (!file.open(QIODevice::ReadOnly))
        return "no listing kept at " + path;
    const QStringList kept = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::max(kept.size(), lines.size()); ++i)
        if (kept.value(i) != lines.value(i))
            return QString("%1, line %2\n  kept: %3\n  now:  %4").arg(path).arg(i + 1).arg(kept.value(i), lines.value(i));
    return {};
}
