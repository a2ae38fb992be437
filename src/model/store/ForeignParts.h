#pragma once

#include <QStringList>

namespace store {

class Connection;

// What in an open database of the program's tables would make the program
// store or show something else than the user sees: a trigger, view or rule it
// did not make (one that rewrites a saved amount, say), a table key that is
// not the integer key it was made with (rows saved with no key can never be
// reached again), or one of its columns with another type, a default or a
// NOT NULL (a value stored changed, or an empty one filled in), or, on the
// office server, row-level security on any table (rows hidden). What the
// program itself makes is read from its own schema statements, on the file
// and on the office server. One plain sentence per part; empty when the
// database holds nothing foreign. Reads only.
QStringList foreignParts(Connection& connection);

} // namespace store
