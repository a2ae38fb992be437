#include "model/store/Restore.h"

#include "model/store/Backup.h"
#include "model/store/Connection.h"
#include "model/store/FileHealth.h"
#include "model/store/PoliciesTable.h"
#include "model/store/PrivateFiles.h"
#include "model/store/Schema.h"
#include "model/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <iterator>

namespace store {

namespace {

const QString kRestoring = QStringLiteral(".restoring");

} // namespace

bool canServe(const QString& copy)
{
    if (QFileInfo(copy).size() == 0)
        return false;
    try {
        Connection connection(copy);
        if (!fileProblems(connection).isEmpty())
            return false;
        const SchemaState state = inspectSchema(connection).state;
        return state == SchemaState::Complete || state == SchemaState::MissingColumns;
    } catch (const StoreError&) {
        return false;
    }
}

qint64 contractsIn(const QString& copy)
{
    Connection connection(copy);
    QSqlQuery count = connection.run(QStringLiteral("SELECT count(*) FROM Policies"));
    return count.next() ? count.value(0).toLongLong() : 0;
}

namespace {

[[noreturn]] void failRestore(const QString& text, const QString& path)
{
    throw StoreError(-1, text.arg(QDir::toNativeSeparators(path)));
}

// The file itself and what SQLite may keep beside it while or after it
// writes: the rollback journal, and the write-ahead log with its index.
QStringList companionSuffixes()
{
    return {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};
}

} // namespace

QString latestGoodBackup(const QString& dbPath)
{
    const QStringList copies = existingBackups(dbPath);
    for (auto copy = copies.crbegin(); copy != copies.crend(); ++copy)
        if (canServe(*copy))
            return *copy;
    return {};
}

QString setAsidePath(const QString& dbPath, const QDateTime& at)
{
    const QFileInfo file(dbPath);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral("-damaged-") +
                               at.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) + QLatin1Char('.') + file.suffix());
}

void restoreBackup(const QString& dbPath, const QString& backup, const QDateTime& at)
{
    // The copy is written beside the file first, so a full disk or a lost
    // backup leaves everything where it was.
    const QString incoming = dbPath + kRestoring;
    QFile::remove(incoming);
    if (!copyToPrivateFile(backup, incoming)) {
        QFile::remove(incoming);
        failRestore(QStringLiteral("Could not copy the backup into %1."), incoming);
    }
    // The copy's numbering stops where it was taken; the copies taken since
    // handed out more IDs, which their notes carry: none is handed out again.
    const QStringList copies = existingBackups(dbPath);
    if (!copies.isEmpty()) {
        try {
            raiseContractIdsAbove(Place(incoming), copyProgress(copies.last()).contractIds);
        } catch (const StoreError&) {
            QFile::remove(incoming);
            throw;
        }
    }
    const QString aside = setAsidePath(dbPath, at);
    QStringList moved;
    for (const QString& suffix : companionSuffixes()) {
        if (!QFileInfo::exists(dbPath + suffix))
            continue;
        if (!QFile::rename(dbPath + suffix, aside + suffix)) {
            for (const QString& back : moved)
                QFile::rename(aside + back, dbPath + back);
            QFile::remove(incoming);
            failRestore(QStringLiteral("Could not move %1 aside."), dbPath + suffix);
        }
        // A file set aside still holds every customer: no one else may read it.
        closeToOthers(aside + suffix);
        moved << suffix;
    }
    if (!QFile::rename(incoming, dbPath))
        failRestore(QStringLiteral("Could not put the backup in place of %1."), dbPath);
}

} // namespace store
