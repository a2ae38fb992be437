#include "model/store/Backup.h"

#include "model/store/Connection.h"
#include "model/store/FileHealth.h"
#include "model/store/PrivateFiles.h"
#include "model/store/SqliteHandle.h"
#include "model/store/StoreError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

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

// A name no other program copying at the same moment uses: its process and a
// random part.
QString partialPath(const QString& target)
{
    return target + QStringLiteral(".%1-%2").arg(::getpid()).arg(QRandomGenerator::system()->generate(), 8, 16,
                                                                  QLatin1Char('0')) +
           kPartial;
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
    // A write of this program is not kept waiting for the whole copy: the
    // lock is let go between two steps until the write is stored, and taken
    // again. SQLite's backup then starts over from the first page, as it does
    // whenever a connection other than its own changed the source, so the
    // copy is always the file as it stood at one moment.
    // A source held by another program (busy, locked) ends a step early
    // without leaving an error on either connection, so the step's own code
    // is kept.
    const auto holdSource = [from] {
        return sqlite3_exec(from, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    };
    int step = holdSource();
    while (step == SQLITE_OK) {
        if (wholeFileWorkStopped()) {
            step = SQLITE_INTERRUPT;
        } else if (fileWriteUnderway()) {
            sqlite3_exec(from, "COMMIT", nullptr, nullptr, nullptr);
            while (fileWriteUnderway() && !wholeFileWorkStopped())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            step = holdSource();
        } else {
            step = sqlite3_backup_step(backup, kPagesPerStep);
        }
    }
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

// Gives the copy its name unless a file has it already: false then, and the
// copy is dropped. A rename that may not replace, or where the file system
// lacks it, a second link and the temporary name's removal.
bool nameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    int done = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (done != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
        done = ::link(source.constData(), target.constData());
        if (done == 0)
            ::unlink(source.constData());
    }
    if (done == 0)
        return true;
    const int why = errno;
    QFile::remove(from);
    if (why == EEXIST)
        return false;
    throw StoreError(-1, QStringLiteral("Could not name the copy '%1'.").arg(to));
}

qint64 firstNumber(Connection& connection, const QString& sql)
{
    QSqlQuery query = connection.run(sql);
    return query.next() ? query.value(0).toLongLong() : 0;
}

// The highest ID the copy's contracts ever had: its AUTOINCREMENT counter, which
// deleting the newest contract does not lower, or its highest ID where no
// counter is kept.
qint64 highestContractId(Connection& connection)
{
    const qint64 highest = firstNumber(connection, QStringLiteral("SELECT coalesce(max(ID), 0) FROM Policies"));
    if (firstNumber(connection, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'sqlite_sequence'")) == 0)
        return highest;
    return std::max(highest, firstNumber(connection, QStringLiteral(
                                                         "SELECT seq FROM sqlite_sequence WHERE name = 'Policies'")));
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

CopyProgress copyProgress(const QString& copyPath)
{
    try {
        Connection copy(copyPath);
        return {highestContractId(copy)};
    } catch (const StoreError&) {
        return {};
    }
}

QStringList existingBackups(const QString& dbPath)
{
    const QDir folder(backupFolder(dbPath));
    const QRegularExpression pattern = backupName(dbPath);
    struct Copy {
        QFileInfo file;
        CopyProgress progress;
    };
    QList<Copy> copies;
    for (const QFileInfo& copy : folder.entryInfoList(QDir::Files, QDir::Name))
        if (pattern.match(copy.fileName()).hasMatch())
            copies.append({copy, copyProgress(copy.filePath())});
    // A copy's name and its file's time carry whatever the clock said, and a
    // clock can go back; what the copy holds cannot. Copies of equal work go
    // by the time they were written, copies of one moment by their names.
    std::stable_sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        if (a.progress != b.progress)
            return a.progress < b.progress;
        return a.file.lastModified() < b.file.lastModified();
    });
    QStringList paths;
    for (const Copy& copy : copies)
        paths << copy.file.filePath();
    return paths;
}

QDate copyDay(const QString& copyPath)
{
    const QFileInfo copy(copyPath);
    const QRegularExpressionMatch named =
        QRegularExpression(QStringLiteral("-(\\d{4}-\\d{2}-\\d{2})\\.mdb$")).match(copy.fileName());
    const QDate day = named.hasMatch() ? QDate::fromString(named.captured(1), kDateForm) : QDate();
    return day.isValid() ? day : copy.lastModified().date();
}

QStringList copyDatabase(const QString& dbPath, const QString& target, bool* placed)
{
    if (!makePrivateFolder(QFileInfo(target).absolutePath()))
        throw StoreError(-1, QStringLiteral("Could not create the folder '%1'.")
                                 .arg(QFileInfo(target).absolutePath()));
    const QString partial = partialPath(target);
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
    const bool named = nameWithoutReplacing(partial, problems.isEmpty() ? target : damagedCopyPath(target));
    if (placed)
        *placed = named;
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
    bool placed = false;
    result.problems = copyDatabase(dbPath, target, &placed);
    // Another program starting on the file at the same moment took the day's copy.
    if (!placed)
        return {};
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
