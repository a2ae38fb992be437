#include "store/PeopleTable.h"

#include "store/Connection.h"
#include "store/ListLineReader.h"

#include <utility>

namespace store {

namespace {
// Table and column names come from the program's own lists, never from the
// user; every value is bound.
QString selectFirstKey(const QString& table)
{
    return QStringLiteral("SELECT RowKey FROM %1 ORDER BY RowKey LIMIT 1").arg(table);
}

// The texts of count columns of the query's current row, from column first on.
QStringList textsOf(const QSqlQuery& query, int first, qsizetype count)
{
    QStringList values;
    values.reserve(count);
    for (int i = first; i < first + count; ++i)
        values << textOf(query.value(i));
    return values;
}
} // namespace

PeopleTable::PeopleTable(QString dbPath, QString table, QStringList columns)
    : m_dbPath(std::move(dbPath)), m_table(std::move(table)), m_columns(std::move(columns))
{
}

bool PeopleTable::isEmpty() const
{
    return !firstKey().has_value();
}

std::optional<RowKey> PeopleTable::firstKey() const
{
    Connection connection(m_dbPath);
    QSqlQuery query = connection.run(selectFirstKey(m_table));
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

std::optional<QStringList> PeopleTable::row(RowKey key) const
{
    Connection connection(m_dbPath);
    QSqlQuery query = connection.run(
        QStringLiteral("SELECT %1 FROM %2 WHERE RowKey = ?").arg(m_columns.join(QStringLiteral(", ")), m_table),
        {key});
    if (!query.next())
        return std::nullopt;
    return textsOf(query, 0, m_columns.size());
}

QList<ListLine> PeopleTable::lines(const QString& lineExpression) const
{
    // The store builds each line's text, so a list of a hundred thousand rows
    // costs two values a row.
    Connection connection(m_dbPath);
    return readListLines(connection, QStringLiteral("SELECT RowKey, %1 FROM %2 ORDER BY RowKey")
                                         .arg(lineExpression, m_table));
}

RowKey PeopleTable::insert(const QStringList& values) const
{
    QStringList written, placeholders;
    QList<QVariant> bound;
    for (int i = 0; i < m_columns.size() && i < values.size(); ++i) {
        if (!values[i].isEmpty()) {
            written << m_columns[i];
            placeholders << QStringLiteral("?");
            bound << values[i];
        }
    }
    // A row without any value is still a row: it is listed like any other.
    const QString sql = written.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(m_table, written.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));

    Connection connection(m_dbPath);
    RowKey key = 0;
    connection.transaction([&] {
        QSqlQuery query = connection.prepare(sql);
        for (int i = 0; i < bound.size(); ++i)
            query.bindValue(i, bound[i]);
        connection.exec(query);
        key = query.lastInsertId().toLongLong();
    });
    return key;
}

void PeopleTable::update(RowKey key, const QStringList& values) const
{
    QStringList assignments;
    QList<QVariant> bound;
    for (int i = 0; i < m_columns.size() && i < values.size(); ++i) {
        if (!values[i].isEmpty()) {
            assignments << m_columns[i] + QStringLiteral(" = ?");
            bound << values[i];
        }
    }
    if (assignments.isEmpty())
        return;
    bound << key;

    Connection connection(m_dbPath);
    connection.transaction([&] {
        QSqlQuery query = connection.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE RowKey = ?")
                                                 .arg(m_table, assignments.join(QStringLiteral(", "))));
        for (int i = 0; i < bound.size(); ++i)
            query.bindValue(i, bound[i]);
        connection.exec(query);
    });
}

void PeopleTable::remove(RowKey key) const
{
    Connection connection(m_dbPath);
    connection.transaction([&] {
        connection.run(QStringLiteral("DELETE FROM %1 WHERE RowKey = ?").arg(m_table), {key});
    });
}

} // namespace store
