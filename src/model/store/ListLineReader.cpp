#include "model/store/ListLineReader.h"

#include "model/store/Connection.h"
#include "model/store/SqliteHandle.h"
#include "model/store/StoreError.h"

#include <QSqlQuery>

#include <sqlite3.h>

namespace store {

namespace {

// Runs the statement on SQLite's own interface, handing each row to take.
template <typename Take>
void readThroughSqlite(sqlite3* db, const QString& sql, const QList<qint64>& values, Take&& take)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        throw sqliteFailure(db);
    for (int i = 0; i < values.size(); ++i)
        sqlite3_bind_int64(statement, i + 1, values[i]);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
        take(statement);
    if (step != SQLITE_DONE) {
        // Taken before the statement goes, which clears what the file said.
        const StoreError failure = sqliteFailure(db);
        sqlite3_finalize(statement);
        throw failure;
    }
    sqlite3_finalize(statement);
}

QSqlQuery runWith(Connection& connection, const QString& sql, const QList<qint64>& values)
{
    QSqlQuery query = connection.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    connection.run(query);
    return query;
}

} // namespace

ListLines readListLines(Connection& connection, const QString& sql, const QList<qint64>& values)
{
    ListLines lines;
    if (sqlite3* db = sqliteHandle(connection.database())) {
        readThroughSqlite(db, sql, values, [&](sqlite3_stmt* row) {
            const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(row, 1));
            const int bytes = sqlite3_column_bytes(row, 1);
            lines.append(sqlite3_column_int64(row, 0), chars ? std::string_view(chars, size_t(bytes)) : std::string_view());
        });
    } else {
        QSqlQuery query = runWith(connection, sql, values);
        while (query.next()) {
            const QByteArray line = textOf(query.value(1)).toUtf8();
            lines.append(query.value(0).toLongLong(), std::string_view(line.constData(), size_t(line.size())));
        }
    }
    lines.trim();
    return lines;
}

std::vector<RowKey> readRowKeys(Connection& connection, const QString& sql, const QList<qint64>& values)
{
    std::vector<RowKey> keys;
    if (sqlite3* db = sqliteHandle(connection.database())) {
        readThroughSqlite(db, sql, values, [&](sqlite3_stmt* row) { keys.push_back(sqlite3_column_int64(row, 0)); });
    } else {
        QSqlQuery query = runWith(connection, sql, values);
        while (query.next())
            keys.push_back(query.value(0).toLongLong());
    }
    return keys;
}

} // namespace store
