#pragma once

#include "model/history/ContractHistoryStore.h"
#include "model/print/NoteValues.h"

#include <QString>

namespace history {

// The note of a stored contract as Save / Print drew it: every figure, date,
// classification and schedule text from the stored row, nothing worked out
// again. A contract keeps its agent's and customer's names, not their
// addresses, so those come from the first Agent row with the stored name and
// company and the first Customer row with the stored name and DBA, as the
// tables hold them now; a party no row matches prints with its names alone.
print::NoteValues storedNoteValues(const store::Place& place, const StoredContract& contract,
                                   const QString& version);

} // namespace history
