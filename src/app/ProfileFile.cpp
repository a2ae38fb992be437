#include "app/ProfileFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace profile {

namespace {

// "[name]" (blanks allowed around it) gives name; any other line gives nothing.
std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

struct KeyLine {
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    return KeyLine{trimmed.left(equals).trimmed(), trimmed.mid(equals + 1).trimmed()};
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section's lines lie in the file: its heading and the end of its
// last non-blank line, so that a key added to it stays before blank separators.
struct SectionSpan {
    qsizetype heading = -1;
    qsizetype lastContent = -1;
    qsizetype keyLineIndex = -1;
};

SectionSpan findSection(const QStringList& lines, const QString& section, const QString& key)
{
    SectionSpan span;
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inside)
                break;
            if (sameName(*name, section)) {
                inside = true;
                span.heading = span.lastContent = i;
            }
            continue;
        }
        if (!inside)
            continue;
        if (!lines[i].trimmed().isEmpty())
            span.lastContent = i;
        const auto entry = keyLine(lines[i]);
        if (entry && span.keyLineIndex < 0 && sameName(entry->key, key))
            span.keyLineIndex = i;
    }
    return span;
}

QString lineBreakOf(const QString& text)
{
    return text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

} // namespace

std::optional<QString> valueIn(const QString& text, const QString& section, const QString& key)
{
    bool inside = false;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.endsWith(QLatin1Char('\r')) ? rawLine.chopped(1) : rawLine;
        if (const auto name = sectionName(line)) {
            // The first section of that name is the one that counts.
            if (inside)
                return std::nullopt;
            inside = sameName(*name, section);
            continue;
        }
        if (!inside)
            continue;
        const auto entry = keyLine(line);
        if (entry && sameName(entry->key, key))
            return entry->value;
    }
    return std::nullopt;
}

QString withValue(const QString& text, const QString& section, const QString& key,
                  const QString& value)
{
    const QString lineBreak = lineBreakOf(text);
    QStringList lines = text.split(lineBreak);
    // A text ending in a line break splits into a last empty piece; keep it aside.
    const bool endsWithBreak = !text.isEmpty() && lines.last().isEmpty();
    if (endsWithBreak || text.isEmpty())
        lines.removeLast();

    const SectionSpan span = findSection(lines, section, key);
    if (span.keyLineIndex >= 0) {
        // Keep the key as the file spells it and anything before it on the line.
        QString& line = lines[span.keyLineIndex];
        line = line.left(line.indexOf(QLatin1Char('=')) + 1) + value;
    } else if (span.heading >= 0) {
        lines.insert(span.lastContent + 1, key + QLatin1Char('=') + value);
    } else {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << key + QLatin1Char('=') + value;
    }
    return lines.join(lineBreak) + lineBreak;
}

QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return defaultValue;
    return valueIn(QString::fromUtf8(file.readAll()), section, key).value_or(defaultValue);
}

bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& value)
{
    QString text;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(existing.readAll());
    existing.close();

    // Written whole to a new file that then takes the old one's place, so a
    // failure never leaves half a settings file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(withValue(text, section, key, value).toUtf8());
    return file.commit();
}

} // namespace profile
