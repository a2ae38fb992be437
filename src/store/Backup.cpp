#include "store/Backup.h"

#include "store/Connection.h"
#include "store/FileHealth.h"
#include "store/PrivateFiles.h"
#include "store/SqliteHandle.h"
#include "store/StoreError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>

namespace store {

namespace {

const QString kFolderName = QStringLiteral("backups");
const QString kDateForm = QStringLiteral("yyyy-MM-dd");
const QString kPartial = QStringLiteral(".part");
const QString kDamagedMark = QStringLiteral("-damaged");
constexpr int kPagesPerStep = 4096;

QString baseName(const QString& dbPath)
{
    return QFileInfo(dbPath).completeBaseName();
}

// Only names the program gives its copies count: nothing else in the folder is
// ever removed.
QRegularExpression backupName(const QString& dbPath)
{
    return QRegularExpression(QStringLiteral("^%1-\\d{4}-\\d{2}-\\d{2}\\.mdb$")
                                  .arg(QRegularExpression::escape(baseName(dbPath))));
}

// A failure of the copy: SQLite's code and text, or the file system's.
[[noreturn]] void failCopy(sqlite3* target, const QString& partial)
{
    const StoreError error = sqliteFailure(target);
    sqlite3_close(target);
    QFile::remove(partial);
    throw error;
}

// Copies every page of the database at dbPath into a new file at partial.
void writeCopy(const QString& dbPath, const QString& partial)
{
    Connection source(dbPath);
    sqlite3* from = sqliteHandle(source.database());
    if (!from)
        throw StoreError(-1, QStringLiteral("Only a database file can be copied."));
    QString why;
    if (!createPrivateFile(partial, &why))
        throw StoreError(-1, QStringLiteral("Could not create the copy '%1': %2").arg(partial, why));
    sqlite3* to = nullptr;
    if (sqlite3_open_v2(partial.toUtf8().constData(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        failCopy(to, partial);
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        failCopy(to, partial);
    // Every page is copied under one read lock of the source, taken before
    // the first step and kept between steps, so nothing another program writes
    // meanwhile makes the copy start over; the steps let a stop come between.
    // A source held by another program (busy, locked) ends a step early
    // without leaving an error on either connection, so the step's own code
    // is kept.
    int step = sqlite3_exec(from, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    while (step == SQLITE_OK)
        step = wholeFileWorkStopped() ? SQLITE_INTERRUPT : sqlite3_backup_step(backup, kPagesPerStep);
    sqlite3_exec(from, "COMMIT", nullptr, nullptr, nullptr);
    if (sqlite3_backup_finish(backup) != SQLITE_OK)
        failCopy(to, partial);
    if (step != SQLITE_DONE) {
        sqlite3_close(to);
        QFile::remove(partial);
        throw StoreError(step, QString::fromUtf8(sqlite3_errstr(step)));
    }
    if (sqlite3_close(to) != SQLITE_OK) {
        QFile::remove(partial);
        throw StoreError(-1, QStringLiteral("Could not close the copy '%1'.").arg(partial));
    }
}

// What the integrity check finds wrong with the copy at path.
QStringList copyProblems(const QString& path)
{
    Connection copy(path);
    return fileProblems(copy);
}

void rename(const QString& from, const QString& to)
{
    if (!QFile::rename(from, to)) {
        QFile::remove(from);
        throw StoreError(-1, QStringLiteral("Could not name the copy '%1'.").arg(to));
    }
}

} // namespace

QString backupFolder(const QString& dbPath)
{
    return QFileInfo(dbPath).absoluteDir().filePath(kFolderName);
}

QString backupPath(const QString& dbPath, const QDate& day)
{
    return QDir(backupFolder(dbPath))
        .filePath(baseName(dbPath) + QLatin1Char('-') + day.toString(kDateForm) + QStringLiteral(".mdb"));
}

QString damagedCopyPath(const QString& copyPath)
{
    const QFileInfo copy(copyPath);
    return copy.dir().filePath(copy.completeBaseName() + kDamagedMark + QLatin1Char('.') + copy.suffix());
}

QStringList existingBackups(const QString& dbPath)
{
    const QDir folder(backupFolder(dbPath));
    const QRegularExpression pattern = backupName(dbPath);
    QFileInfoList copies;
    for (const QFileInfo& copy : folder.entryInfoList(QDir::Files, QDir::Name))
        if (pattern.match(copy.fileName()).hasMatch())
            copies << copy;
    // A copy's name carries the day the clock gave; the file's own time says
    // when it was written, in the order the copies came. Copies of one moment
    // keep the order of their names.
    std::stable_sort(copies.begin(), copies.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() < b.lastModified();
    });
    QStringList paths;
    for (const QFileInfo& copy : copies)
        paths << copy.filePath();
    return paths;
}

QStringList copyDatabase(const QString& dbPath, const QString& target)
{
    if (!makePrivateFolder(QFileInfo(target).absolutePath()))
        throw StoreError(-1, QStringLiteral("Could not create the folder '%1'.")
                                 .arg(QFileInfo(target).absolutePath()));
    const QString partial = target + kPartial;
    QFile::remove(partial);
    writeCopy(dbPath, partial);
    QStringList problems;
    try {
        problems = copyProblems(partial);
    } catch (const StoreError& error) {
        // A check stopped half way says nothing of the copy.
        if (isInterruption(error.number())) {
            QFile::remove(partial);
            throw;
        }
        problems << error.message();
    }
    rename(partial, problems.isEmpty() ? target : damagedCopyPath(target));
    return problems;
}

DailyBackup takeDailyBackup(const QString& dbPath, const QDate& today)
{
    const QString target = backupPath(dbPath, today);
    // A damaged copy of the day was said when it was made; the next start of
    // the day does not make and say another.
    if (QFileInfo::exists(target) || QFileInfo::exists(damagedCopyPath(target)))
        return {};
    DailyBackup result;
    result.problems = copyDatabase(dbPath, target);
    if (!result.problems.isEmpty()) {
        result.outcome = DailyBackup::Outcome::Damaged;
        result.damagedCopy = damagedCopyPath(target);
        return result;
    }
    result.outcome = DailyBackup::Outcome::Taken;
    QStringList others = existingBackups(dbPath);
    others.removeAll(target);
    for (qsizetype i = 0; i + kBackupsKept - 1 < others.size(); ++i)
        QFile::remove(others[i]);
    return result;
}

} // namespace store
