#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

// A file's bytes; "<missing>" when it cannot be read, so a file gone never passes for an empty one.
inline QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
// Writes the file whole, its folder made first; a file that cannot be written ends the test.
inline void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}
