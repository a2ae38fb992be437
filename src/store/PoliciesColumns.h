#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace store {

// The columns of a saved contract, in the order saving writes them
// (ID, assigned by the store, is not among them).
const QStringList& policiesColumns();

// The eight slot columns of one family: "PolicyNo" -> PolicyNo1 … PolicyNo8.
QStringList slotColumns(const QString& family);

// The seven slot families, in their stored order.
const QStringList& slotFamilies();

// How a contract's Run (the local date and time it was saved or copied) is stored:
// yyyy-MM-ddTHH:mm:ss.
QString storedRun(const QDateTime& run);

// The Agent and Customer tables' columns, in the order the program reads them.
const QStringList& agentColumns();
const QStringList& customerColumns();

} // namespace store
