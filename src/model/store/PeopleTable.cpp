#include "model/store/PeopleTable.h"

#include "model/store/Connection.h"
#include "model/store/ListChanges.h"
#include "model/store/ListLineReader.h"
#include "model/store/ListRows.h"
#include "model/store/RowStatement.h"
#include "model/store/WriteToken.h"

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

QString createPeopleTable(Backend backend, const QString& table, const QStringList& columns)
{
    return createTableStatement(backend, table, QStringLiteral("RowKey"), columns);
}

PeopleTable::PeopleTable(Place place, QString table, QStringList columns, QString lineExpression, QString nameColumn)
    : m_place(std::move(place)), m_table(std::move(table)), m_columns(std::move(columns)),
      m_lineExpression(std::move(lineExpression)), m_nameColumn(std::move(nameColumn))
{
}

bool PeopleTable::isEmpty() const
{
    return !firstKey().has_value();
}

std::optional<RowKey> PeopleTable::firstKey() const
{
    Connection connection(m_place);
    QSqlQuery query = connection.run(selectFirstKey(m_table));
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

std::optional<QStringList> PeopleTable::row(RowKey key) const
{
    Connection connection(m_place);
    QSqlQuery query = connection.run(
        QStringLiteral("SELECT %1 FROM %2 WHERE RowKey = ?").arg(m_columns.join(QStringLiteral(", ")), m_table),
        {key});
    if (!query.next())
        return std::nullopt;
    return textsOf(query, 0, m_columns.size());
}

std::optional<QStringList> PeopleTable::firstRowHolding(const QList<std::pair<int, QString>>& texts) const
{
    QStringList conditions;
    QVariantList values;
    for (const auto& [column, text] : texts) {
        const QString& name = m_columns.at(column);
        if (text.isEmpty()) {
            conditions << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(name);
        } else {
            conditions << name + QStringLiteral(" = ?");
            values << text;
        }
    }
    Connection connection(m_place);
    QSqlQuery query = connection.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY RowKey LIMIT 1")
                                             .arg(m_columns.join(QStringLiteral(", ")), m_table,
                                                  conditions.isEmpty() ? QStringLiteral("1 = 1")
                                                                       : conditions.join(QStringLiteral(" AND "))));
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    connection.run(query);
    if (!query.next())
        return std::nullopt;
    return textsOf(query, 0, m_columns.size());
}

std::optional<std::pair<QString, QStringList>> PeopleTable::lineAndRow(RowKey key) const
{
    Connection connection(m_place);
    QSqlQuery query = connection.run(QStringLiteral("SELECT %1, %2 FROM %3 WHERE RowKey = ?")
                                         .arg(m_lineExpression, m_columns.join(QStringLiteral(", ")), m_table),
                                     {key});
    if (!query.next())
        return std::nullopt;
    return std::pair{textOf(query.value(0)), textsOf(query, 1, m_columns.size())};
}

std::optional<QString> PeopleTable::line(RowKey key) const
{
    Connection connection(m_place);
    QSqlQuery query = connection.run(
        QStringLiteral("SELECT %1 FROM %2 WHERE RowKey = ?").arg(m_lineExpression, m_table), {key});
    if (!query.next())
        return std::nullopt;
    return textOf(query.value(0));
}

ListRead PeopleTable::readLines() const
{
    // The store builds each line's text, so a list of a million rows costs two
    // values a row. The count and the lines come from one snapshot, so a change
    // made by another program in between is never taken for one already shown.
    Connection connection(m_place);
    ListRead read;
    connection.snapshot([&] {
        read.changes = store::changeCount(connection, m_table);
        read.lines = readListLines(connection, QStringLiteral("SELECT RowKey, %1 FROM %2 ORDER BY RowKey")
                                                   .arg(m_lineExpression, m_table));
    });
    return read;
}

std::optional<qint64> PeopleTable::changeCount() const
{
    Connection connection(m_place);
    return store::changeCount(connection, m_table);
}

ListHead PeopleTable::readHead(qsizetype lastLines) const
{
    Connection connection(m_place);
    const std::optional<QString> count = changeCountExpression(connection, m_table);
    if (connection.backend() == Backend::Server && count)
        return readServerHead(connection, *count, lastLines);
    ListHead head;
    connection.snapshot([&] {
        head.changes = store::changeCount(connection, m_table);
        head.rows = rowCount(connection, m_table, head.changes);
        head.last = readListLines(connection,
                                  QStringLiteral("SELECT RowKey, Line FROM (SELECT RowKey, %1 AS Line FROM %2 "
                                                 "ORDER BY RowKey DESC LIMIT ?) AS LastLines ORDER BY RowKey")
                                      .arg(m_lineExpression, m_table),
                                  {lastLines});
    });
    return head;
}

// The office server is asked once, and one statement sees one snapshot: the
// change count; the row count kept at that change count, or else counted
// now; and the last lines.
ListHead PeopleTable::readServerHead(Connection& connection, const QString& changeCount, qsizetype lastLines) const
{
    const QString kept =
        QStringLiteral("SELECT Lines FROM ListRows WHERE TableName = ? AND AtChanges = (SELECT Changes FROM Counted)");
    QSqlQuery rows = connection.run(
        QStringLiteral("WITH Counted AS (SELECT %1 AS Changes) "
                       "SELECT 0, CAST((SELECT Changes FROM Counted) AS BIGINT), CAST((%2) AS BIGINT), NULL "
                       "UNION ALL SELECT 1, NULL, (SELECT count(*) FROM %3), NULL WHERE NOT EXISTS (%2) "
                       "UNION ALL SELECT 2, RowKey, NULL, Line FROM (SELECT RowKey, %4 AS Line FROM %3 "
                       "ORDER BY RowKey DESC LIMIT ?) AS LastLines ORDER BY 1, 2")
            .arg(changeCount, kept, m_table, m_lineExpression),
        {m_table, m_table, lastLines});
    ListHead head;
    std::optional<qint64> keptRows, countedRows;
    while (rows.next()) {
        const int part = rows.value(0).toInt();
        if (part == 0) {
            head.changes = rows.value(1).isNull() ? std::nullopt : std::optional(rows.value(1).toLongLong());
            if (!rows.value(2).isNull())
                keptRows = rows.value(2).toLongLong();
        } else if (part == 1) {
            countedRows = rows.value(2).toLongLong();
        } else {
            head.last.append(rows.value(1).toLongLong(), rows.value(3).toString().toStdString());
        }
    }
    head.rows = keptRows.value_or(countedRows.value_or(0));
    noteRowCount(connection, m_table, head.rows, head.changes,
                 keptRows ? RowCountSource::Kept : RowCountSource::Counted);
    return head;
}

KeyPiece PeopleTable::readKeys(RowKey after, RowKey upTo, qsizetype limit) const
{
    Connection connection(m_place);
    KeyPiece piece;
    const QString keys =
        QStringLiteral("SELECT RowKey FROM %1 WHERE RowKey > ? AND RowKey <= ? ORDER BY RowKey LIMIT ?").arg(m_table);
    const std::optional<QString> count = changeCountExpression(connection, m_table);
    if (connection.backend() == Backend::File || !count) {
        // The file answers at once; its reader takes the keys straight from SQLite.
        connection.snapshot([&] {
            piece.changes = store::changeCount(connection, m_table);
            piece.keys = readRowKeys(connection, keys, {after, upTo, limit});
        });
        return piece;
    }
    // One statement sees one snapshot, so the count and the keys belong
    // together, and the office server is asked once: the count comes first,
    // then the keys.
    QSqlQuery rows = connection.run(QStringLiteral("SELECT 0, %1 UNION ALL SELECT 1, RowKey FROM (%2) AS piece ORDER BY 1, 2")
                                        .arg(*count, keys),
                                    {after, upTo, limit});
    while (rows.next()) {
        if (rows.value(0).toInt() == 0)
            piece.changes = rows.value(1).isNull() ? std::nullopt : std::optional(rows.value(1).toLongLong());
        else
            piece.keys.push_back(rows.value(1).toLongLong());
    }
    return piece;
}

ListLines PeopleTable::readLinesBetween(RowKey first, RowKey last, qsizetype limit) const
{
    Connection connection(m_place);
    return readListLines(
        connection,
        QStringLiteral("SELECT RowKey, %1 FROM %2 WHERE RowKey >= ? AND RowKey <= ? ORDER BY RowKey LIMIT ?")
            .arg(m_lineExpression, m_table),
        {first, last, limit});
}

QString PeopleTable::initialExpression() const
{
    return QStringLiteral("lower(substr(%1, 1, 1))").arg(m_lineExpression);
}

std::optional<RowKey> PeopleTable::firstLineStarting(const QString& asciiPrefix, RowKey from, RowKey before) const
{
    const QString lower = asciiPrefix.toLower();
    const QString pattern = likeLiteral(lower) + QLatin1Char('%');
    Connection connection(m_place);
    // The index of initials leads straight to the lines with the first
    // letter after `from`; only those are compared with the whole prefix.
    QSqlQuery query = connection.run(QStringLiteral("SELECT RowKey FROM %2 WHERE %3 = ? AND RowKey >= ? AND RowKey < ? "
                                                    "AND lower(%1) LIKE ? ESCAPE '\\' ORDER BY RowKey LIMIT 1")
                                         .arg(m_lineExpression, m_table, initialExpression()),
                                     {lower.left(1), from, before, pattern});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

QByteArray PeopleTable::lineOf(Connection& connection, RowKey key) const
{
    QSqlQuery query = connection.run(
        QStringLiteral("SELECT %1 FROM %2 WHERE RowKey = ?").arg(m_lineExpression, m_table), {key});
    return query.next() ? textOf(query.value(0)).toUtf8() : QByteArray();
}

RowChange PeopleTable::insert(const QStringList& values, const QString& token) const
{
    // A row without any value is still a row: it is listed like any other.
    const BoundStatement statement = insertStatement(m_table, m_columns, values);
    RowChange change;
    change.kind = RowChange::Kind::Added;
    const bool fresh = writeOnce(m_place, token, [&](Connection& connection) {
        change.key = insertRow(connection, statement, QStringLiteral("RowKey"));
        change.line = lineOf(connection, change.key);
        change.changesAfter = store::changeCount(connection, m_table);
        followRowCount(connection, m_table, 1, 1, change.changesAfter);
    });
    return fresh ? change : RowChange{};
}

RowChange PeopleTable::update(RowKey key, const QStringList& values, const QString& token) const
{
    const BoundStatement statement = updateStatement(m_table, m_columns, values, QStringLiteral("RowKey"), key);
    if (statement.sql.isEmpty())
        return {};

    RowChange change;
    change.kind = RowChange::Kind::Changed;
    change.key = key;
    const bool fresh = writeOnce(m_place, token, [&](Connection& connection) {
        const QSqlQuery query = runStatement(connection, statement);
        // A row another program removed meanwhile is not there to follow.
        if (query.numRowsAffected() != 1)
            change.kind = RowChange::Kind::None;
        change.line = lineOf(connection, key);
        change.changesAfter = store::changeCount(connection, m_table);
        followRowCount(connection, m_table, 0, query.numRowsAffected(), change.changesAfter);
    });
    return fresh ? change : RowChange{};
}

RowChange PeopleTable::remove(RowKey key, const std::optional<QString>& shownLine) const
{
    Connection connection(m_place);
    RowChange change;
    change.kind = RowChange::Kind::Removed;
    change.key = key;
    connection.transaction([&] {
        QSqlQuery row = connection.run(QStringLiteral("SELECT %1, %2 FROM %3 WHERE RowKey = ?")
                                           .arg(m_columns.join(QStringLiteral(", ")), m_lineExpression, m_table),
                                       {key});
        if (!row.next() || (shownLine && textOf(row.value(int(m_columns.size()))) != *shownLine)) {
            change.kind = RowChange::Kind::None;
            return;
        }
        change.values = textsOf(row, 0, m_columns.size());
        const QSqlQuery query = connection.run(QStringLiteral("DELETE FROM %1 WHERE RowKey = ?").arg(m_table), {key});
        if (query.numRowsAffected() != 1)
            change.kind = RowChange::Kind::None;
        change.changesAfter = store::changeCount(connection, m_table);
        followRowCount(connection, m_table, -1, query.numRowsAffected(), change.changesAfter);
    });
    return change;
}

std::optional<RowChange> PeopleTable::restore(RowKey key, const QStringList& values) const
{
    // The row as it was, its key first; the key is bound as the number it is.
    BoundStatement statement = insertStatement(m_table, QStringList{QStringLiteral("RowKey")} + m_columns,
                                               QStringList{QString::number(key)} + values);
    statement.values.first() = key;

    Connection connection(m_place);
    std::optional<RowChange> change;
    connection.transaction([&] {
        if (connection.run(QStringLiteral("SELECT RowKey FROM %1 WHERE RowKey = ?").arg(m_table), {key}).next())
            return;
        runStatement(connection, statement);
        change = RowChange{RowChange::Kind::Added, key, lineOf(connection, key),
                           store::changeCount(connection, m_table), {}};
        followRowCount(connection, m_table, 1, 1, change->changesAfter);
    });
    return change;
}

} // namespace store
