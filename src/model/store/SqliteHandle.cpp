#include "model/store/SqliteHandle.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace store {

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

std::optional<bool> sqliteHasTable(const QSqlDatabase& db, const QString& name)
{
    sqlite3* handle = sqliteHandle(db);
    if (!handle)
        return std::nullopt;
    return sqlite3_table_column_metadata(handle, nullptr, name.toUtf8().constData(), nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr) == SQLITE_OK;
}

StoreError sqliteFailure(sqlite3* db)
{
    return StoreError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

std::optional<StoreError> sqliteFailure(const QSqlDatabase& db)
{
    sqlite3* handle = sqliteHandle(db);
    if (!handle || sqlite3_errcode(handle) == SQLITE_OK)
        return std::nullopt;
    return sqliteFailure(handle);
}

} // namespace store
