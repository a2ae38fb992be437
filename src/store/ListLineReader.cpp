#include "store/ListLineReader.h"

#include "store/Connection.h"
#include "store/SqliteHandle.h"
#include "store/StoreError.h"

#include <QSqlQuery>

#include <sqlite3.h>

namespace store {

namespace {

ListLines readThroughSqlite(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        throw sqliteFailure(db);
    ListLines lines;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        const int bytes = sqlite3_column_bytes(statement, 1);
        lines.append(sqlite3_column_int64(statement, 0),
                     chars ? std::string_view(chars, size_t(bytes)) : std::string_view());
    }
    const StoreError failure = sqliteFailure(db);
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        throw failure;
    lines.trim();
    return lines;
}

} // namespace

ListLines readListLines(Connection& connection, const QString& sql)
{
    if (sqlite3* db = sqliteHandle(connection.database()))
        return readThroughSqlite(db, sql);
    QSqlQuery query = connection.run(sql);
    ListLines lines;
    while (query.next()) {
        const QByteArray line = textOf(query.value(1)).toUtf8();
        lines.append(query.value(0).toLongLong(), std::string_view(line.constData(), size_t(line.size())));
    }
    lines.trim();
    return lines;
}

} // namespace store
