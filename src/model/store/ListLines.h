#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace store {

// The hidden key that every Agent and Customer row carries; the program never
// shows it, but each list line remembers it to find its row again.
using RowKey = qint64;

// The lines of an agent or customer list in key order, each with its row's key.
// A million customers must fit in a few dozen megabytes, so the texts live
// side by side in one UTF-8 buffer, as the store hands them over, and a line is
// turned into a QString only when it is painted or asked for.
class ListLines {
public:
    qsizetype size() const { return qsizetype(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    RowKey key(qsizetype position) const { return m_lines[size_t(position)].key; }
    QString text(qsizetype position) const;
    std::string_view utf8(qsizetype position) const;

    // The position of the line of this key, if there is one; keys ascend.
    std::optional<qsizetype> positionOf(RowKey key) const;

    void reserve(qsizetype lines, qsizetype textBytes);
    void append(RowKey key, std::string_view utf8);
    void replace(qsizetype position, std::string_view utf8);
    void remove(qsizetype position);
    // Gives back what a fill reserved beyond its lines, keeping room for some more.
    void trim();

    bool operator==(const ListLines& other) const;

private:
    struct Line {
        RowKey key;
        qsizetype offset;
        qsizetype bytes;
    };
    // Texts of replaced and removed lines stay behind in the buffer until they
    // outweigh the living ones.
    void dropDeadTexts();

    std::vector<Line> m_lines;
    QByteArray m_texts;
    qsizetype m_deadBytes = 0;
};

} // namespace store
