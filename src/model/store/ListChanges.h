#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace store {

class Connection;

// Every insert, update and delete of an Agent or Customer row, by this program
// or by any other, adds one to that table's change count (triggers keep it).
// A list that knows the count it was filled at can tell, with one cheap read,
// whether the table still holds what it shows, and whether its own write was
// the only change since.
//
// Adds the counts, their triggers and the index of customers still without a
// DBA to a file that lacks them; runs inside the caller's transaction.
void addListChanges(Connection& connection);
// The statements that make the counts, their triggers and that index in a file.
QStringList fileListChangesStatements();
// The same for the office server, whose triggers call a function of its own;
// run with its schema, after the Agent and Customer tables.
QStringList serverListChangesStatements();
// The server's count function of releases that kept every count in one
// row; the program's own until the upgrade below replaces it.
QStringList earlierServerCountFunctions();
// Whether the server's counts are kept as this release keeps them.
bool serverListChangesCurrent(Connection& connection);
// Inside the caller's transaction, holding the schema's lock: moves a server
// database of an earlier release to this one's counts; every count stays.
void upgradeServerListChanges(Connection& connection);
// Inside the caller's transaction: moves every change of the server's log
// into the counts at once, after a load that added many rows.
void foldListChanges(Connection& connection);
// The same for an existing file, in its own transaction, when it lacks them.
void ensureListChanges(Connection& connection);

// The table's change count, or nothing when the database keeps none.
std::optional<qint64> changeCount(Connection& connection, const QString& table);
// The same count as an expression to read within another statement, which
// then sees it and its rows in one snapshot; nothing where no count is kept.
// The table is one of the program's own.
std::optional<QString> changeCountExpression(Connection& connection, const QString& table);

} // namespace store
