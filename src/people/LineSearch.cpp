#include "people/LineSearch.h"

#include "store/FoldedText.h"

#include <QByteArrayView>
#include <QRegularExpression>

#include <algorithm>

namespace people {

namespace {

// Most lines are plain ASCII; folding them byte by byte into room made once
// keeps a million lines quick. False, with out as it was, at the first byte
// that is not ASCII.
bool appendFoldedAscii(QByteArray& out, std::string_view utf8)
{
    const qsizetype start = out.size();
    out.resize(start + qsizetype(utf8.size()));
    char* to = out.data() + start;
    for (const char b : utf8) {
        if (static_cast<unsigned char>(b) >= 0x80) {
            out.truncate(start);
            return false;
        }
        *to++ = (b >= 'A' && b <= 'Z') ? char(b - 'A' + 'a') : (b == '\n' || b == '\r') ? ' ' : b;
    }
    return true;
}

} // namespace

QString nameKey(const QString& name)
{
    // Plain ASCII names, nearly all of them, need no Unicode folding.
    QString key;
    key.reserve(name.size());
    for (const QChar ch : name) {
        if (ch.unicode() >= 0x80)
            return store::foldForSearch(name).remove(QRegularExpression(QStringLiteral("\\s")));
        if (!ch.isSpace())
            key += ch.toLower();
    }
    return key;
}

LineSearch::LineSearch(const store::ListLines& lines)
{
    m_starts.reserve(size_t(lines.size()));
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        bytes += qsizetype(lines.utf8(i).size()) + 1;
    m_text.reserve(bytes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        m_starts.push_back(m_text.size());
        const std::string_view utf8 = lines.utf8(i);
        if (!appendFoldedAscii(m_text, utf8))
            m_text += store::foldForSearch(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))).toUtf8();
        m_text += '\n';
    }
}

qsizetype LineSearch::lineAt(qsizetype offset) const
{
    return qsizetype(std::upper_bound(m_starts.begin(), m_starts.end(), offset) - m_starts.begin()) - 1;
}

std::optional<qsizetype> LineSearch::findNext(const QString& text, qsizetype after) const
{
    const QByteArray needle = store::foldForSearch(text).toUtf8();
    if (needle.isEmpty() || m_starts.empty())
        return std::nullopt;
    const QByteArrayView all(m_text);
    const qsizetype next = after + 1;
    if (next > 0 && next < size()) {
        const qsizetype found = all.indexOf(needle, m_starts[size_t(next)]);
        if (found >= 0)
            return lineAt(found);
    }
    // Round from the first line to the end of `after`: a match never holds a
    // line break, so one that starts there ends there too.
    const qsizetype end = next > 0 && next < size() ? m_starts[size_t(next)] : m_text.size();
    const qsizetype found = all.first(end).indexOf(needle);
    if (found < 0)
        return std::nullopt;
    return lineAt(found);
}

} // namespace people
