#pragma once

#include "model/store/Backend.h"
#include "model/store/ListLines.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace store {

class Connection;
class PeopleTable;

// The agent and customer lists' lines as Find compares them (store/FoldedText.h),
// kept in the database file beside their tables, with an index of every three
// letters in a row, so that Find Next asks the index for the lines that may
// hold the text instead of reading and folding every line.
//
// Every write to Agent or Customer, by this program or any other, leaves the
// row's key in FoldPending through the database's own triggers; the program
// folds those rows into the kept lines before it searches. A line not yet
// folded is searched as it stands, so the kept lines never hide one.
// On the office server the kept lines are a plain table with a pg_trgm index
// where the server has that extension (without it, the server reads the kept
// lines itself, still without sending them).

// The tables, functions and triggers, made with a new database's schema.
QStringList foldedLinesStatements(Backend backend);

// Adds the kept lines to a database made before them, every row pending,
// and folds the plain ASCII lines of pending rows, as the store itself can.
void ensureFoldedLines(Connection& connection);
// The second half of that: folds the plain ASCII lines of pending rows.
void foldPlainPendingLines(Connection& connection);

// The office server's trigram index of the kept lines, where the server has
// pg_trgm or lets the database's owner add it; without it the kept lines are
// still searched on the server, only read whole there.
void addServerTrigramIndexes(Connection& connection);

// Whether the database keeps the lines.
bool keepsFoldedLines(Connection& connection);

// Folds at most `limit` pending rows of the table into the kept lines, in one
// transaction; true when none is left pending.
bool foldPendingLines(Connection& connection, const PeopleTable& table, qsizetype limit);

// The first row, in key order and other than `except`, whose name (the
// table's name column) has this name key (store/FoldedText.h); nothing when
// none has. A read: pending rows are compared as they stand (the start-up
// and every Find fold them in), so asking writes nothing.
std::optional<RowKey> firstRowNamed(const PeopleTable& table, const QString& key, std::optional<RowKey> except);

// The first line's key after `after` (or from the first line) in key order
// whose folded text contains the folded text, going round past the last line
// and ending with `after` itself; nothing when none does. With writes,
// pending rows are folded into the kept lines first (as many as a search
// allows); without, they are searched as they stand.
std::optional<RowKey> nextLineContaining(const PeopleTable& table, const QString& text, std::optional<RowKey> after,
                                         bool writes);

} // namespace store
