#pragma once

#include <QStringList>

namespace store {

class Connection;

// Indexes the program added after its tables first shipped: made with a new
// schema and added to an older database at start-up.
//  - PoliciesByRun: a span of printing days, for Find Contract and the report;
//  - AgentByInitial, CustomerByInitial: the first letter of each list line,
//    lower case, then the key, so the first-letter jump seeks the next line
//    with that letter instead of reading every line after the chosen one.
QStringList addedIndexStatements();

// Adds those an older database lacks. The server is asked first, in one
// statement: it would answer every kept index with a notice.
void ensureAddedIndexes(Connection& connection);

} // namespace store
