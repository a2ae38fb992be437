#pragma once

#include "model/store/Place.h"

#include "model/store/Backend.h"
#include "model/store/ListLines.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <optional>

namespace store {

class Connection;

// A list's lines and the table's change count they were read at, both from one snapshot.
struct ListRead {
    ListLines lines;
    std::optional<qint64> changes;
};

// The start of a list, from one snapshot: how many lines it has, the change
// count, and its last lines, which the list shows first.
struct ListHead {
    qsizetype rows = 0;
    std::optional<qint64> changes;
    ListLines last;
};

// Keys of a list in key order, and the change count of the same snapshot.
struct KeyPiece {
    std::vector<RowKey> keys;
    std::optional<qint64> changes;
};

// What one of the program's own writes did to a table, so that the list can
// follow it line by line instead of reading the whole table again.
struct RowChange {
    enum class Kind { None, Added, Changed, Removed };
    Kind kind = Kind::None;
    RowKey key = 0;
    // The row's line after the write, when it was added or changed.
    QByteArray line;
    // The table's change count right after the write, inside its transaction.
    std::optional<qint64> changesAfter;
    // The row's values as they were, when it was removed.
    QStringList values;
};

// The Agent or Customer table of one database file. Rows come in key order,
// so a new row comes last and a deleted row leaves no gap. Values are handed
// over in the table's column order; NULL columns read as empty texts.
// Every call opens its own connection; failures throw StoreError.
class PeopleTable {
public:
    // lineExpression: the SQL expression over the row's columns that gives its
    // list line; nameColumn: the column two rows are told apart by (a second
    // row of a name already stored is asked about).
    PeopleTable(Place place, QString table, QStringList columns, QString lineExpression, QString nameColumn);

    bool isEmpty() const;
    std::optional<RowKey> firstKey() const;
    // The row's values, or nothing when no row has that key.
    std::optional<QStringList> row(RowKey key) const;
    // The values of the first row, in key order, whose columns hold exactly
    // these texts (an empty text matches a column never written); nothing when none does.
    std::optional<QStringList> firstRowHolding(const QList<std::pair<int, QString>>& texts) const;
    // The row's list line, or nothing when no row has that key.
    std::optional<QString> line(RowKey key) const;
    // The row's list line and its values, read in one statement; nothing when no row has that key.
    std::optional<std::pair<QString, QStringList>> lineAndRow(RowKey key) const;
    // One list line per row, in key order.
    ListRead readLines() const;
    std::optional<qint64> changeCount() const;
    // The row count, the change count and the last lastLines lines.
    ListHead readHead(qsizetype lastLines) const;
    // The keys after `after` up to `upTo`, in key order, at most limit of them.
    KeyPiece readKeys(RowKey after, RowKey upTo, qsizetype limit) const;
    // The first key from `from` on and below `before` whose line starts with
    // the prefix, ignoring the case of ASCII letters; the prefix is ASCII.
    std::optional<RowKey> firstLineStarting(const QString& asciiPrefix, RowKey from, RowKey before) const;
    // The lines of the rows whose keys run from first to last, at most limit of them.
    ListLines readLinesBetween(RowKey first, RowKey last,
                               qsizetype limit = std::numeric_limits<qsizetype>::max()) const;
    // A new last row; empty values are not written and stay NULL.
    // With a write token (store/WriteToken.h), a row an earlier try stored is
    // not stored again: the change is then None.
    RowChange insert(const QStringList& values, const QString& token = {}) const;
    // Writes the non-empty values into the row; an empty value keeps what is stored.
    RowChange update(RowKey key, const QStringList& values, const QString& token = {}) const;
    // Removes the row, handing back its values as they were. With the line
    // the list shows for it, a row whose line is no longer that (changed or
    // gone meanwhile) is left as it is: the change is then None.
    RowChange remove(RowKey key, const std::optional<QString>& shownLine = std::nullopt) const;
    // Puts a deleted row back under its own key with its values (empty ones
    // stay NULL). Nothing, with nothing written, when a row has that key now.
    std::optional<RowChange> restore(RowKey key, const QStringList& values) const;

    const Place& place() const { return m_place; }
    const QString& table() const { return m_table; }
    const QStringList& columns() const { return m_columns; }
    // The first letter of a row's line in lower case (ASCII letters alone on
    // the file): the expression the table's index of initials is made on.
    QString initialExpression() const;
    // The SQL expression over the row's columns that gives its list line.
    const QString& lineExpression() const { return m_lineExpression; }
    const QString& nameColumn() const { return m_nameColumn; }

private:
    ListHead readServerHead(Connection& connection, const QString& changeCount, qsizetype lastLines) const;
    QByteArray lineOf(Connection& connection, RowKey key) const;

    Place m_place;
    QString m_table;
    QStringList m_columns;
    QString m_lineExpression;
    QString m_nameColumn;
};

// The CREATE of an Agent or Customer table: a hidden key the program never
// shows, then the columns. Its natural order is key order, so a new row comes
// last and a deleted one leaves no gap.
QString createPeopleTable(Backend backend, const QString& table, const QStringList& columns);

// A record of the nine texts of an Agent or Customer row, filled from its values in column order.
template <typename Record>
Record recordOf(const QStringList& v)
{
    return {v.value(0), v.value(1), v.value(2), v.value(3), v.value(4), v.value(5), v.value(6), v.value(7), v.value(8)};
}

} // namespace store
