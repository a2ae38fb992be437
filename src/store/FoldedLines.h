#pragma once

#include "store/ListLines.h"

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
// row's key in FoldPending through the file's own triggers; the program folds
// those rows into the kept lines before it searches. A line not yet folded is
// searched as it stands, so the kept lines never hide one.
// The office server keeps no such lines: its lists are searched as read.

// The tables and triggers, made with a new file's schema.
QStringList foldedLinesStatements();

// Adds the kept lines to a file made before them, every row pending.
void ensureFoldedLines(Connection& connection);

// Whether the file keeps the lines.
bool keepsFoldedLines(Connection& connection);

// Folds at most `limit` pending rows of the table into the kept lines, in one
// transaction; true when none is left pending.
bool foldPendingLines(Connection& connection, const PeopleTable& table, qsizetype limit);

// The first line's key after `after` (or from the first line) in key order
// whose folded text contains the folded text, going round past the last line
// and ending with `after` itself; nothing when none does. With writes,
// pending rows are folded into the kept lines first (as many as a search
// allows); without, they are searched as they stand.
std::optional<RowKey> nextLineContaining(const PeopleTable& table, const QString& text, std::optional<RowKey> after,
                                         bool writes);

} // namespace store
