#pragma once

#include "model/store/Place.h"

#include <QList>
#include <QString>

#include <optional>

namespace store {

class Connection;

// The index Find Contract keeps of what a contract is found by: its DBA, its
// customer's name and each of its policy numbers, folded as searches compare
// them, one entry per word and contract (table ContractWords, its key Word
// then ID). Every contract up to the ID in ContractWordsUpTo has its words in.
// The index is only a short cut: contracts are never changed in place, so a
// word of a contract deleted since only points at nothing, and whatever it
// finds is still compared with the contract itself.

// Brings the words of the contracts stored since the last catching up into
// the index, in batches, for at most about budgetMs (all of them when
// budgetMs is 0). True when the index then covers every contract; false too
// when it cannot be written now (a standby, a file that cannot be written, a
// lock held past a moment). Made on first use, so older files and office
// databases get it without a start-up step. On the server it waits, briefly,
// for the contracts being stored at that moment, as their IDs may commit out
// of order.
bool catchUpContractWords(const Place& place, int budgetMs);

// The IDs of the contracts with a word starting with folded (already folded),
// newest first; nothing when more than atMost entries start so (a prefix that
// common is found faster by walking the newest contracts).
std::optional<QList<qint64>> contractsWithWordStarting(const Place& place, const QString& folded, int atMost);

// Empties the index, to be taken in anew from the first contract: for
// contracts copied in under IDs an emptied database's index already passed.
void forgetContractWords(Connection& connection);

// The words a contract is found by: the texts folded, trimmed, without empties and repeats.
QStringList contractWords(const QStringList& texts);

} // namespace store
