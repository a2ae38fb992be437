#pragma once

#include <QString>
#include <QStringList>

namespace store {

class Connection;

// Checks of the database file itself; they belong to the embedded SQLite store
// and are skipped for the office server.

// Whether the file begins as an Access (Jet or ACE) database does: a file of the
// system this program replaced, which it cannot read.
bool hasAccessSignature(const QString& path);

// What SQLite's integrity check finds wrong with the file's pages, records
// and indexes: empty when the file is whole. A file too broken to be checked
// at all gives the store's own description of it.
QStringList fileProblems(Connection& connection);

// Whether everything the check found is an index that disagrees with its
// table (a file put back beside a stale journal, say): rebuilding the indexes
// from the tables mends it without changing a row.
bool onlyIndexesDisagree(const QStringList& problems);

// Rebuilds every index of the file from its table, in one transaction.
void rebuildIndexes(Connection& connection);

// Stops every whole check and copy of a file running in this process as soon
// as it can, and every one started later, until allowed again: for a program
// that ends while they run. A stopped one fails with SQLite's "interrupted"
// and counts for nothing; a stopped copy leaves nothing behind.
void stopWholeFileWork(bool stop);
bool wholeFileWorkStopped();

// Whether a store error code says the work was stopped, not that anything failed.
bool isInterruption(int storeCode);

// Whether a store error code says the file's content is broken (as opposed to
// locked, missing, unreadable or not a database at all).
bool isDamage(int storeCode);

// Whether a store error code says the file is no database at all.
bool isNotADatabase(int storeCode);

} // namespace store
