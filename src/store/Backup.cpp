#include "store/Backup.h"

#include "store/Connection.h"
#include "store/PrivateFiles.h"
#include "store/SqliteHandle.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace store {

namespace {

const QString kFolderName = QStringLiteral("backups");
const QString kDateForm = QStringLiteral("yyyy-MM-dd");
const QString kPartial = QStringLiteral(".part");

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

QStringList existingBackups(const QString& dbPath)
{
    const QDir folder(backupFolder(dbPath));
    const QRegularExpression pattern = backupName(dbPath);
    QStringList copies;
    // The date in the name sorts as text, oldest first.
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name))
        if (pattern.match(name).hasMatch())
            copies << folder.filePath(name);
    return copies;
}

void copyDatabase(const QString& dbPath, const QString& target)
{
    if (!makePrivateFolder(QFileInfo(target).absolutePath()))
        throw StoreError(-1, QStringLiteral("Could not create the folder '%1'.")
                                 .arg(QFileInfo(target).absolutePath()));
    const QString partial = target + kPartial;
    QFile::remove(partial);

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
    // One step copies every page under one read lock of the source. A source
    // held by another program (busy, locked) ends the step early without
    // leaving an error on either connection, so the step's own code is kept.
    const int step = sqlite3_backup_step(backup, -1);
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
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw StoreError(-1, QStringLiteral("Could not name the copy '%1'.").arg(target));
    }
}

bool takeDailyBackup(const QString& dbPath, const QDate& today)
{
    const QString target = backupPath(dbPath, today);
    if (QFileInfo::exists(target))
        return false;
    copyDatabase(dbPath, target);
    const QStringList copies = existingBackups(dbPath);
    for (qsizetype i = 0; i + kBackupsKept < copies.size(); ++i)
        QFile::remove(copies[i]);
    return true;
}

} // namespace store
