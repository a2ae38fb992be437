#pragma once

#include "store/PeopleTable.h"

#include <QList>
#include <QString>

namespace store {

class Connection;

// Reads the lines of an agent or customer list: a statement without values that
// gives the row key and the line's text. On the SQLite store the rows are read
// straight from its own interface, which lists a hundred thousand customers
// several times faster than going through a value object per column; any other
// store goes the ordinary way.
QList<ListLine> readListLines(Connection& connection, const QString& sql);

} // namespace store
