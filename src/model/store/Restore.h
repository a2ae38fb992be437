#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace store {

// Putting a daily copy back in place of a damaged database file.

// Whether the copy can take the file's place: whole, and a database of the program's.
bool canServe(const QString& copy);

// The copy with the most work in it (see existingBackups) that can serve;
// empty when none can.
QString latestGoodBackup(const QString& dbPath);

// How many contracts the copy holds. Throws StoreError.
qint64 contractsIn(const QString& copy);

// The name the damaged file at dbPath is kept under when a copy is put back
// at that moment: <name>-damaged-<yyyy-mm-dd-hhmmss>.mdb, beside it.
QString setAsidePath(const QString& dbPath, const QDateTime& at);

// Moves the file at dbPath aside to setAsidePath(dbPath, at), each of its
// -journal, -wal and -shm files under the same new name, so that SQLite can
// still recover the original from them, then copies backup into its place.
// No connection may be open on dbPath. Nothing is moved when the copy cannot
// be written, and what was moved is moved back when a move fails. Throws
// StoreError.
void restoreBackup(const QString& dbPath, const QString& backup, const QDateTime& at);

} // namespace store
