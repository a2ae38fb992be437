#include "model/text/TypingLimit.h"

#include <QList>
#include <QTextBoundaryFinder>

namespace text {

namespace {

// A pasted tab would print as a gap of no fixed width, or as nothing, so it
// becomes a blank like a line break.
bool becomesBlank(QChar c)
{
    switch (c.unicode()) {
    case u'\t': case u'\n': case u'\r': case u'\v': case u'\f': case 0x0085: case 0x2028: case 0x2029:
        return true;
    default:
        return false;
    }
}

// Character boundaries of text from `from` to its end, `from` itself included.
QList<qsizetype> boundariesFrom(const QString& text, qsizetype from, qsizetype to)
{
    QList<qsizetype> positions{from};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(from);
    for (qsizetype at = finder.toNextBoundary(); at >= 0 && at <= to; at = finder.toNextBoundary())
        positions << at;
    return positions;
}

} // namespace

qsizetype visibleLength(const QString& text)
{
    if (text.isEmpty())
        return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() >= 0)
        ++count;
    return count;
}

QString onOneLine(const QString& text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!becomesBlank(text[i])) {
            line += text[i];
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        line += QLatin1Char(' ');
    }
    return line;
}

FieldText limitedEdit(const QString& before, const QString& after, int cursor, int limit)
{
    // What came in lies between the part both texts begin with and the part both end with.
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < std::min(before.size(), after.size()) - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const QString kept = after.mid(after.size() - tail);
    const QString incoming = onOneLine(after.mid(head, after.size() - head - tail));
    const QString candidate = after.left(head) + incoming;
    const bool cursorAfterIncoming = cursor == after.size() - tail;

    const qsizetype room = std::max<qsizetype>(limit, visibleLength(before));
    qsizetype end = candidate.size();
    if (visibleLength(candidate + kept) > room) {
        // The longest part of what came in that still fits, found among its
        // character boundaries; none of it fits at worst.
        const QList<qsizetype> cuts = boundariesFrom(candidate, head, candidate.size());
        qsizetype low = 0, high = cuts.size() - 1;
        while (low < high) {
            const qsizetype middle = (low + high + 1) / 2;
            if (visibleLength(candidate.left(cuts[middle]) + kept) <= room)
                low = middle;
            else
                high = middle - 1;
        }
        end = cuts[low];
    }
    const QString text = candidate.left(end) + kept;
    const int newCursor = cursorAfterIncoming ? int(end) : std::min(cursor, int(text.size()));
    return {text, newCursor};
}

} // namespace text
