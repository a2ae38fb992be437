#include "store/ListLineReader.h"

#include "store/Connection.h"
#include "store/SqliteHandle.h"
#include "store/StoreError.h"

#include <QSqlQuery>

#include <sqlite3.h>

namespace store {

namespace {

QList<ListLine> readThroughSqlite(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        throw sqliteFailure(db);
    QList<ListLine> lines;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* chars = static_cast<const char16_t*>(sqlite3_column_text16(statement, 1));
        const int bytes = sqlite3_column_bytes16(statement, 1);
        lines.append({sqlite3_column_int64(statement, 0),
                      chars ? QString::fromUtf16(chars, bytes / 2) : QString()});
    }
    const StoreError failure = sqliteFailure(db);
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        throw failure;
    return lines;
}

} // namespace

QList<ListLine> readListLines(Connection& connection, const QString& sql)
{
    if (sqlite3* db = sqliteHandle(connection.database()))
        return readThroughSqlite(db, sql);
    QSqlQuery query = connection.run(sql);
    QList<ListLine> lines;
    while (query.next())
        lines.append({query.value(0).toLongLong(), textOf(query.value(1))});
    return lines;
}

} // namespace store
