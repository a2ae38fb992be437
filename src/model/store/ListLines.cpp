#include "model/store/ListLines.h"

#include <algorithm>

namespace store {

namespace {
// Room left for lines added after a fill, so that the first few adds do not
// double what a large list holds.
qsizetype slackFor(qsizetype used)
{
    return used / 16 + 64;
}
} // namespace

QString ListLines::text(qsizetype position) const
{
    const Line& line = m_lines[size_t(position)];
    return QString::fromUtf8(m_texts.constData() + line.offset, line.bytes);
}

std::string_view ListLines::utf8(qsizetype position) const
{
    const Line& line = m_lines[size_t(position)];
    return {m_texts.constData() + line.offset, size_t(line.bytes)};
}

std::optional<qsizetype> ListLines::positionOf(RowKey key) const
{
    const auto found = std::lower_bound(m_lines.begin(), m_lines.end(), key,
                                        [](const Line& line, RowKey k) { return line.key < k; });
    if (found == m_lines.end() || found->key != key)
        return std::nullopt;
    return qsizetype(found - m_lines.begin());
}

void ListLines::reserve(qsizetype lines, qsizetype textBytes)
{
    m_lines.reserve(size_t(lines));
    m_texts.reserve(textBytes);
}

void ListLines::append(RowKey key, std::string_view utf8)
{
    // Doubling copies a long read's lines about once; trim() gives back what is left over.
    if (m_lines.size() == m_lines.capacity())
        m_lines.reserve(2 * m_lines.size() + 64);
    const qsizetype offset = m_texts.size();
    m_texts.append(utf8.data(), qsizetype(utf8.size()));
    m_lines.push_back({key, offset, qsizetype(utf8.size())});
}

void ListLines::replace(qsizetype position, std::string_view utf8)
{
    Line& line = m_lines[size_t(position)];
    if (qsizetype(utf8.size()) <= line.bytes) {
        // A text no longer than the old one takes the old one's place.
        std::copy(utf8.begin(), utf8.end(), m_texts.data() + line.offset);
        m_deadBytes += line.bytes - qsizetype(utf8.size());
        line.bytes = qsizetype(utf8.size());
    } else {
        m_deadBytes += line.bytes;
        line.offset = m_texts.size();
        line.bytes = qsizetype(utf8.size());
        m_texts.append(utf8.data(), line.bytes);
    }
    dropDeadTexts();
}

void ListLines::remove(qsizetype position)
{
    m_deadBytes += m_lines[size_t(position)].bytes;
    m_lines.erase(m_lines.begin() + position);
    dropDeadTexts();
}

void ListLines::trim()
{
    const size_t lines = m_lines.size() + size_t(slackFor(size()));
    if (m_lines.capacity() > lines + lines / 4) {
        std::vector<Line> kept;
        kept.reserve(lines);
        kept.assign(m_lines.begin(), m_lines.end());
        m_lines.swap(kept);
    }
    const qsizetype bytes = m_texts.size() + slackFor(m_texts.size());
    if (m_texts.capacity() > bytes + bytes / 4) {
        QByteArray kept;
        kept.reserve(bytes);
        kept.append(m_texts);
        m_texts.swap(kept);
    }
}

void ListLines::dropDeadTexts()
{
    if (m_deadBytes <= 4096 || m_deadBytes * 2 < m_texts.size())
        return;
    QByteArray living;
    living.reserve(m_texts.size() - m_deadBytes + slackFor(m_texts.size() - m_deadBytes));
    for (Line& line : m_lines) {
        const qsizetype offset = living.size();
        living.append(m_texts.constData() + line.offset, line.bytes);
        line.offset = offset;
    }
    m_texts.swap(living);
    m_deadBytes = 0;
}

bool ListLines::operator==(const ListLines& other) const
{
    if (size() != other.size())
        return false;
    for (qsizetype i = 0; i < size(); ++i)
        if (key(i) != other.key(i) || utf8(i) != other.utf8(i))
            return false;
    return true;
}

} // namespace store
