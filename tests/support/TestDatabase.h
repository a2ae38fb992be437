#pragma once

#include "model/store/Place.h"

#include <QString>
#include <QStringList>

class ThrowawayServer;

// The store tests and the contract's whole road run twice from the same code:
// on the database file, and with QUILLON_TEST_BACKEND=server on a PostgreSQL
// server of the test program's own.
namespace testdb {

bool onServer();

// The test program's own server, started on first use, stopped when the program ends.
ThrowawayServer& server();

// A new, empty database of the program's with its schema. On the file it is
// created at filePath; on the server it is a new database on the throwaway
// server, which starts on first use and stops when the test program ends.
store::Place freshDatabase(const QString& filePath);
// The same on a server of the test's own.
store::Place freshDatabaseOn(ThrowawayServer& server, const QString& dbname);

// The columns asked for ("*": all) of every row in key order, "|" between them; NULL shows as "<null>".
QStringList columnOf(const store::Place& place, const QString& table, const QString& columns);
// The first column of the statement's first row, as text; "<none>" when it gives no row.
QString firstValue(const store::Place& place, const QString& sql);

// The [server] section that points a whole run of the program at place, or
// an empty text for a file.
QString serverSection(const store::Place& place);

} // namespace testdb
