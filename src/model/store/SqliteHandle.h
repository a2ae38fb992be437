#pragma once

#include "model/store/StoreError.h"

#include <QSqlDatabase>

#include <optional>

struct sqlite3;

namespace store {

// The SQLite connection under a Qt one; null for any other driver (the office
// server), so callers can take the SQLite-only road and skip it elsewhere.
sqlite3* sqliteHandle(const QSqlDatabase& db);

// Whether the SQLite database has a table of that name (in any letter case),
// asked of SQLite's own schema without a statement; nothing when the
// connection is not SQLite's.
std::optional<bool> sqliteHasTable(const QSqlDatabase& db, const QString& name);

// SQLite's own extended code and text of the last failure on this connection.
// Qt's driver reports -1 or no code at all for BEGIN and COMMIT, so a failure is
// read from SQLite itself; nothing when the connection is not SQLite's or holds
// no failure.
std::optional<StoreError> sqliteFailure(const QSqlDatabase& db);

// The same, straight from a SQLite handle, which must hold a failure.
StoreError sqliteFailure(sqlite3* db);

} // namespace store
