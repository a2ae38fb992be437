#include "store/ListLineReader.h"

#include "store/Connection.h"
#include "store/StoreError.h"

#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

namespace store {

namespace {

sqlite3* sqliteHandle(QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

QList<ListLine> readThroughSqlite(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK)
        throw StoreError(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    QList<ListLine> lines;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* chars = static_cast<const char16_t*>(sqlite3_column_text16(statement, 1));
        const int bytes = sqlite3_column_bytes16(statement, 1);
        lines.append({sqlite3_column_int64(statement, 0),
                      chars ? QString::fromUtf16(chars, bytes / 2) : QString()});
    }
    const int code = sqlite3_errcode(db);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        throw StoreError(code, message);
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
