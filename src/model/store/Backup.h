#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <compare>

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

// How far the database had come when a copy was taken, read from the copy
// itself: the highest contract ID it ever handed out. A clock that was wrong
// when the copy was made cannot change it. A copy that cannot be read has come
// nowhere (-1).
struct CopyProgress {
    qint64 contractIds = -1;
    auto operator<=>(const CopyProgress&) const = default;
};
CopyProgress copyProgress(const QString& copyPath);

// The copies of the database at dbPath that exist, the least work first:
// ordered by their progress, copies of equal progress by the time they were
// written.
QStringList existingBackups(const QString& dbPath);

// The day a copy was taken: the one its name carries, else the day it was written.
QDate copyDay(const QString& copyPath);

// Copies the database into target. The copy is written under a temporary
// name of its own (so programs copying at once never share one) and checked
// with SQLite's integrity check; it takes its own name only when whole, and
// only when no copy has that name yet, so a failure or a crash never leaves a
// half copy that looks like a backup and a copy is never replaced. A copy
// that is not whole is kept under damagedCopyPath(target), and what the check
// found is returned; empty when the copy is whole. placed, when given, tells
// whether this copy took its name; when another program's copy got there
// first, this one is dropped. Throws StoreError.
QStringList copyDatabase(const QString& dbPath, const QString& target, bool* placed = nullptr);

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

// Takes today's copy unless this day has one (another program starting at the
// same moment may take it; this one then leaves it). After a whole copy,
// removes the copies with the least work in them so that kBackupsKept stay,
// never the one just made, whatever the clock said then or says now. Throws
// StoreError.
DailyBackup takeDailyBackup(const QString& dbPath, const QDate& today);

} // namespace store
