#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace store {

// Daily copies of the database file, kept in a folder "backups" beside it as
// <name>-<yyyy-mm-dd>.mdb. They are taken with SQLite's online backup, so a copy
// is a consistent database even while another program writes to the file.

constexpr int kBackupsKept = 30;

// The folder that holds the copies of the database at dbPath.
QString backupFolder(const QString& dbPath);

// The copy of the database at dbPath taken on that day.
QString backupPath(const QString& dbPath, const QDate& day);

// The copies of the database at dbPath that exist, oldest first.
QStringList existingBackups(const QString& dbPath);

// Copies the database into target, which must not exist. The copy is written
// under a temporary name and takes its own name only when whole, so a failure
// or a crash never leaves a half copy that looks like a backup. Throws StoreError.
void copyDatabase(const QString& dbPath, const QString& target);

// Takes today's copy unless there is one, then removes all but the newest
// kBackupsKept copies. True when a copy was taken. Throws StoreError.
bool takeDailyBackup(const QString& dbPath, const QDate& today);

} // namespace store
