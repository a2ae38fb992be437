#include "settings/ProfileFile.h"

#include <QFile>
#include <QSaveFile>

namespace profile {

namespace {

// The file's bytes; an empty file when it does not exist, nothing when it cannot be read.
std::optional<QByteArray> contentsOf(const QString& path)
{
    QFile file(path);
    if (path.isEmpty())
        return std::nullopt;
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

std::optional<QString> readValue(const QString& path, const QString& section, const QString& key)
{
    const std::optional<QByteArray> bytes = contentsOf(path);
    return bytes ? valueIn(*bytes, section, key) : std::nullopt;
}

QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    return readValue(path, section, key).value_or(defaultValue);
}

bool writeStrings(const QString& path, const QString& section,
                  const QList<std::pair<QString, QString>>& entries)
{
    // A file that is there but cannot be read is never replaced: its other
    // sections would be lost.
    const std::optional<QByteArray> before = contentsOf(path);
    if (!before)
        return false;
    QByteArray after = *before;
    for (const auto& [key, value] : entries) {
        const std::optional<QByteArray> changed = withValue(after, section, key, value);
        if (!changed)
            return false;
        after = *changed;
    }
    if (after == *before && QFile::exists(path))
        return true;

    // Written whole to a new file that then takes the old one's place, so a
    // failure never leaves half a settings file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(after);
    return file.commit();
}

bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& value)
{
    return writeStrings(path, section, {{key, value}});
}

} // namespace profile
