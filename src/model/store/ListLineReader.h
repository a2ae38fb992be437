#pragma once

#include "model/store/ListLines.h"

#include <QList>

#include <vector>

namespace store {

class Connection;

// Reads the lines of an agent or customer list: a statement that gives the
// row key and the line's text, its values (keys and counts) bound in order.
// On the SQLite store the rows are read straight from its own interface as
// UTF-8, the form the list keeps them in, which lists a million customers
// several times faster than going through a value object per column; any
// other store goes the ordinary way.
ListLines readListLines(Connection& connection, const QString& sql, const QList<qint64>& values = {});
// The same for a statement that gives row keys alone.
std::vector<RowKey> readRowKeys(Connection& connection, const QString& sql, const QList<qint64>& values = {});

} // namespace store
