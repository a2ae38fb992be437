#include "model/settings/ProfileText.h"

#include <QList>
#include <QStringDecoder>

namespace profile {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
// The ending of a file's first line when the file has none to copy.
const QByteArray kDefaultLineEnd("\n");

// Byte positions in the file: [begin, contentEnd) is the line's text,
// [contentEnd, end) its line ending (empty on a last line without one).
struct Line {
    qsizetype begin, contentEnd, end;
};

struct Span {
    qsizetype from, to;
    bool isEmpty() const { return from >= to; }
};

QList<Line> linesOf(const QByteArray& file)
{
    QList<Line> lines;
    qsizetype at = file.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (at < file.size()) {
        qsizetype contentEnd = at;
        while (contentEnd < file.size() && file[contentEnd] != '\n' && file[contentEnd] != '\r')
            ++contentEnd;
        qsizetype end = contentEnd;
        if (end < file.size())
            end += (file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n') ? 2 : 1;
        lines.append({at, contentEnd, end});
        at = end;
    }
    return lines;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

Span trimmed(const QByteArray& file, Span span)
{
    while (span.from < span.to && isBlank(file[span.from]))
        ++span.from;
    while (span.to > span.from && isBlank(file[span.to - 1]))
        --span.to;
    return span;
}

QByteArray bytesOf(const QByteArray& file, Span span)
{
    return file.mid(span.from, span.to - span.from);
}

QString decoded(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

bool sameName(const QByteArray& stored, const QString& wanted)
{
    return decoded(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

std::optional<Span> sectionName(const QByteArray& file, const Line& line)
{
    const Span text = trimmed(file, {line.begin, line.contentEnd});
    if (text.isEmpty() || file[text.from] != '[')
        return std::nullopt;
    const qsizetype close = file.indexOf(']', text.from);
    if (close < 0 || close >= text.to)
        return std::nullopt;
    return trimmed(file, {text.from + 1, close});
}

struct KeyLine {
    Span key, value;
};

std::optional<KeyLine> keyLine(const QByteArray& file, const Line& line)
{
    const Span text = trimmed(file, {line.begin, line.contentEnd});
    if (text.isEmpty() || file[text.from] == ';')
        return std::nullopt;
    const qsizetype equals = file.indexOf('=', text.from);
    if (equals < 0 || equals >= text.to)
        return std::nullopt;
    const Span key = trimmed(file, {text.from, equals});
    if (key.isEmpty())
        return std::nullopt;
    Span value = trimmed(file, {equals + 1, text.to});
    // An empty value is written straight after the '='.
    if (value.isEmpty())
        value = {equals + 1, equals + 1};
    return KeyLine{key, value};
}

// Where one key of one section lies: the section's heading, its last non-blank
// line (a new key goes after it, before any blank separator lines) and the key's value.
struct Place {
    QList<Line> lines;
    qsizetype heading = -1;
    qsizetype lastContent = -1;
    std::optional<Span> value;
};

Place find(const QByteArray& file, const QString& section, const QString& key)
{
    Place place;
    place.lines = linesOf(file);
    for (qsizetype i = 0; i < place.lines.size(); ++i) {
        const Line& line = place.lines[i];
        if (const auto name = sectionName(file, line)) {
            if (place.heading >= 0)
                break;
            if (sameName(bytesOf(file, *name), section))
                place.heading = place.lastContent = i;
            continue;
        }
        if (place.heading < 0)
            continue;
        if (!trimmed(file, {line.begin, line.contentEnd}).isEmpty())
            place.lastContent = i;
        const auto entry = keyLine(file, line);
        if (entry && sameName(bytesOf(file, entry->key), key)) {
            place.value = entry->value;
            break;
        }
    }
    return place;
}

QByteArray endingOf(const QByteArray& file, const Line& line)
{
    return file.mid(line.contentEnd, line.end - line.contentEnd);
}

// The ending for a line added after `index`: that line's own, or, when it is
// the file's unterminated last line, the nearest earlier line's.
QByteArray endingAfter(const QByteArray& file, const QList<Line>& lines, qsizetype index)
{
    for (qsizetype i = index; i >= 0; --i) {
        const QByteArray ending = endingOf(file, lines[i]);
        if (!ending.isEmpty())
            return ending;
    }
    return kDefaultLineEnd;
}

// Adds text as a new line after line `index`; an unterminated last line gets
// the ending first, and the new line then stays unterminated as the old one was.
QByteArray withLineAfter(const QByteArray& file, const QList<Line>& lines, qsizetype index,
                         const QByteArray& text)
{
    const QByteArray ending = endingAfter(file, lines, index);
    const Line& previous = lines[index];
    if (previous.end > previous.contentEnd)
        return file.left(previous.end) + text + ending + file.mid(previous.end);
    return file + ending + text;
}

std::optional<QByteArray> encoded(const QString& value)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return std::nullopt;
    const QByteArray bytes = value.toUtf8();
    const bool losesBlanks = !bytes.isEmpty() && (isBlank(bytes.front()) || isBlank(bytes.back()));
    const bool losesQuotes = bytes.size() >= 2 && bytes.front() == '"' && bytes.back() == '"';
    return losesBlanks || losesQuotes ? '"' + bytes + '"' : bytes;
}

} // namespace

std::optional<QString> valueIn(const QByteArray& file, const QString& section, const QString& key)
{
    const Place place = find(file, section, key);
    if (!place.value)
        return std::nullopt;
    QByteArray value = bytesOf(file, *place.value);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.mid(1, value.size() - 2);
    return decoded(value);
}

std::optional<QByteArray> withValue(const QByteArray& file, const QString& section, const QString& key,
                                    const QString& value)
{
    const std::optional<QByteArray> bytes = encoded(value);
    if (!bytes)
        return std::nullopt;
    const Place place = find(file, section, key);
    if (place.value)
        return file.left(place.value->from) + *bytes + file.mid(place.value->to);

    const QByteArray line = key.toUtf8() + '=' + *bytes;
    if (place.heading >= 0)
        return withLineAfter(file, place.lines, place.lastContent, line);

    const QByteArray heading = '[' + section.toUtf8() + ']';
    if (place.lines.isEmpty())
        return file + heading + kDefaultLineEnd + line + kDefaultLineEnd;
    const qsizetype last = place.lines.size() - 1;
    const QByteArray withHeading = withLineAfter(file, place.lines, last, heading);
    return withLineAfter(withHeading, linesOf(withHeading), last + 1, line);
}

} // namespace profile
