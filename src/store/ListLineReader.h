#pragma once

#include "store/ListLines.h"

namespace store {

class Connection;

// Reads the lines of an agent or customer list: a statement without values that
// gives the row key and the line's text. On the SQLite store the rows are read
// straight from its own interface as UTF-8, the form the list keeps them in,
// which lists a million customers several times faster than going through a
// value object per column; any other store goes the ordinary way.
ListLines readListLines(Connection& connection, const QString& sql);

} // namespace store
