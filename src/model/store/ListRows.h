#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace store {

class Connection;
struct Place;

// How many rows the Agent and Customer tables hold, kept in a table of its
// own beside the change count it was right at, so that a list learns its
// length with one read instead of counting a million rows. The program keeps
// it inside its own inserts and deletes; any other write (an older release,
// another program) moves the change count on without it, and the count is
// then taken afresh. No trigger keeps it: older releases refuse a database
// with triggers they did not make, but let it have tables of its own.
//
// The statements that make the counts in a new database, its tables empty.
QStringList listRowsStatements();
// Adds the table of counts to a database that lacks it; the counts follow
// at their first read.
void ensureListRows(Connection& connection);

// The table's row count at the change count given: the kept one when it was
// kept at that change count, else counted now. A count taken afresh is held
// in memory until the program's next write of the table, or keepRowCounts,
// keeps it: a read never writes, so nothing is written before the file's
// check allows it. Run in a snapshot that read the change count.
qint64 rowCount(Connection& connection, const QString& table, std::optional<qint64> changes);
// What a read that asked for the count in a statement of its own found: the
// kept count, or one it took afresh, which is held as rowCount holds it.
enum class RowCountSource { Kept, Counted };
void noteRowCount(Connection& connection, const QString& table, qint64 rows, std::optional<qint64> changes,
                  RowCountSource source);
// Keeps the counts taken afresh, unless a later one is kept already; a count
// the file's lock or the server's row lock does not let in at once is left
// to the next write. Runs in a short transaction of its own.
void keepRowCounts(const Place& place);
// Inside the write's own transaction: the program's write, which made
// ownChanges of the table's changes, added `added` rows and left its change
// count at changesAfter, moves the kept count on, when it was right just
// before, or keeps one taken afresh at that moment.
void followRowCount(Connection& connection, const QString& table, qint64 added, qint64 ownChanges,
                    std::optional<qint64> changesAfter);

} // namespace store
