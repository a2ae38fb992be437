#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace store {

class Connection;

// How many rows the Agent and Customer tables hold, kept by triggers inside
// every insert and delete, by this program or by any other, so that a list
// learns its length with one read instead of counting a million rows.
//
// The statements that make the counts and their triggers in a new file.
QStringList fileListRowsStatements();
// The same for the office server, whose triggers call a function of its own.
QStringList serverListRowsStatements();
// Adds the counts to a database that lacks them and counts a table whose
// count is missing, each once, in its own transaction that keeps writers out
// while it counts, so the count starts right and never drifts.
void ensureListRows(Connection& connection);

// The table's row count as kept, or nothing when the database keeps none.
std::optional<qint64> keptRowCount(Connection& connection, const QString& table);

} // namespace store
