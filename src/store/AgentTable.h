#pragma once

#include "store/PeopleTable.h"

namespace store {

// The agent list's text of one row: Company, " - ", Name. Without a Company the
// line begins with the blank of " - "; without a Name it ends after it.
QString agentLine(const QString& company, const QString& name);

// One line per Agent row, in key order.
QList<ListLine> agentLines(const QString& dbPath);

PeopleTable agentTable(const QString& dbPath);

} // namespace store
