#include "print/ProfileSection.h"

#include <QFile>
#include <QStringList>

namespace print {

QHash<QString, QString> readProfileSection(const QString& filePath, const QString& section)
{
    if (filePath.isEmpty())
        return {};
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return parseProfileSection(QString::fromUtf8(file.readAll()), section);
}

QHash<QString, QString> parseProfileSection(const QString& text, const QString& section)
{
    QHash<QString, QString> values;
    bool inSection = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection || line.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed().toLower();
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        // The first occurrence of a key counts, as with the desktop's own reader.
        if (!values.contains(key))
            values.insert(key, value);
    }
    return values;
}

} // namespace print
