#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace store {

// Daily copies of the database file, kept in a folder "backups" beside it as
// <name>-<yyyy-mm-dd>.mdb. They are taken with SQLite's online backup, so a copy
// is a consistent database even while another program writes to the file, and
// each is checked whole before it counts as a backup.

constexpr int kBackupsKept = 30;

// The folder that holds the copies of the database at dbPath.
QString backupFolder(const QString& dbPath);

// The copy of the database at dbPath taken on that day.
QString backupPath(const QString& dbPath, const QDate& day);

// The name a copy that failed its check is kept under instead of its own:
// <name>-<yyyy-mm-dd>-damaged.mdb. It never counts as a backup and is never
// removed by the program.
QString damagedCopyPath(const QString& copyPath);

// The copies of the database at dbPath that exist, oldest first by the time
// they were made.
QStringList existingBackups(const QString& dbPath);

// Copies the database into target, which must not exist. The copy is written
// under a temporary name and checked with SQLite's integrity check; it takes
// its own name only when whole, so a failure or a crash never leaves a half
// copy that looks like a backup. A copy that is not whole is kept under
// damagedCopyPath(target), and what the check found is returned; empty when
// the copy is whole. Throws StoreError.
QStringList copyDatabase(const QString& dbPath, const QString& target);

// What the start of a day did about its copy.
struct DailyBackup {
    enum class Outcome {
        AlreadyTaken, // an earlier start of the day took it (or kept it as damaged)
        Taken,
        Damaged, // the copy failed its check: kept as damagedCopy, nothing removed
    };
    Outcome outcome = Outcome::AlreadyTaken;
    QString damagedCopy;
    QStringList problems;
};

// Takes today's copy unless this day has one. After a whole copy, removes the
// oldest copies by the time they were made so that kBackupsKept stay, never
// the one just made, whatever the clock said then or says now. Throws StoreError.
DailyBackup takeDailyBackup(const QString& dbPath, const QDate& today);

} // namespace store
