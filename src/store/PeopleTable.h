#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace store {

// The hidden key that every Agent and Customer row carries; the program never
// shows it, but each list line remembers it to find its row again.
using RowKey = qint64;

// One line of the agent or customer list and the row it shows.
struct ListLine {
    RowKey key = 0;
    QString text;
    bool operator==(const ListLine&) const = default;
};

// The Agent or Customer table of one database file. Rows come in key order,
// so a new row comes last and a deleted row leaves no gap. Values are handed
// over in the table's column order; NULL columns read as empty texts.
// Every call opens its own connection; failures throw StoreError.
class PeopleTable {
public:
    PeopleTable(QString dbPath, QString table, QStringList columns);

    bool isEmpty() const;
    std::optional<RowKey> firstKey() const;
    // The row's values, or nothing when no row has that key.
    std::optional<QStringList> row(RowKey key) const;
    // One list line per row, in key order, its text given by an SQL expression over the row's columns.
    QList<ListLine> lines(const QString& lineExpression) const;
    // A new last row; empty values are not written and stay NULL.
    RowKey insert(const QStringList& values) const;
    // Writes the non-empty values into the row; an empty value keeps what is stored.
    void update(RowKey key, const QStringList& values) const;
    void remove(RowKey key) const;

    const QString& dbPath() const { return m_dbPath; }
    const QString& table() const { return m_table; }
    const QStringList& columns() const { return m_columns; }

private:
    QString m_dbPath;
    QString m_table;
    QStringList m_columns;
};

// A record of the nine texts of an Agent or Customer row, filled from its values in column order.
template <typename Record>
Record recordOf(const QStringList& v)
{
    return {v.value(0), v.value(1), v.value(2), v.value(3), v.value(4), v.value(5), v.value(6), v.value(7), v.value(8)};
}

} // namespace store
