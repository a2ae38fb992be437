#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace store {

// The columns of a saved contract, in the order saving writes them
// (ID, assigned by the store, is not among them).
const QStringList& policiesColumns();

// A contract keeps its schedule rows in numbered slots, one column of each
// slot family per slot. Slots 1 to 8 were the table's first columns; slots 9
// to 11 were appended after its last column when Section 3 came to be kept.
inline constexpr int kPolicySlots = 11;
inline constexpr int kFirstAppendedSlot = 9;

// The slot (from 1) that keeps row `row` (from 0) of schedule section
// `section` (from 0): Section 1 in slots 1 to 4, Section 2 in 5 to 7, Section 3
// in 9 to 11. Slot 8 keeps no row of the schedule.
constexpr int slotOfScheduleRow(int section, int row)
{
    constexpr int firstSlot[] = {1, 5, 9};
    return firstSlot[section] + row;
}

// The slot columns of one family, slot 1 first: "PolicyNo" -> PolicyNo1 … PolicyNo11.
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
