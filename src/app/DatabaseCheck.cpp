#include "app/DatabaseCheck.h"

#include "model/store/Backup.h"
#include "model/store/Connection.h"
#include "model/store/FileHealth.h"
#include "model/store/ListChanges.h"
#include "model/store/Restore.h"
#include "model/store/Schema.h"
#include "model/store/StoreError.h"
#include "model/store/WriteToken.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString notOurs(const QString& path)
{
    return shown(path) + QStringLiteral(" is not a QUILLON database.");
}

// Whether a new file can be made in the folder: the one test that holds
// for every user, root included, and every kind of lock on a folder.
bool folderTakesFiles(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quillon-probe-XXXXXX")));
    return probe.open();
}

// A crash journal that SQLite must roll back into the file and then remove,
// in a folder where it cannot: what to do, before the store's own words.
QString journalStuckMessage(const QString& path)
{
    QString journal;
    for (const QString& suffix : {QStringLiteral("-journal"), QStringLiteral("-wal")})
        if (journal.isEmpty() && QFileInfo::exists(path + suffix))
            journal = path + suffix;
    const QString folder = QFileInfo(path).absolutePath();
    if (journal.isEmpty() || folderTakesFiles(folder))
        return {};
    return shown(path) + QStringLiteral(" was left half written when a program stopped, and its crash journal ") +
           shown(journal) + QStringLiteral(" cannot be rolled back into it because the folder ") + shown(folder) +
           QStringLiteral(" cannot be written. The folder must be writable for the file to be recovered; make it "
                          "writable and start QUILLON again.");
}

} // namespace

QString damagedDatabaseMessage(const QString& path)
{
    const QString folder = shown(store::backupFolder(path));
    QString text = shown(path) + QStringLiteral(" is damaged and cannot be used.\n");
    if (store::existingBackups(path).isEmpty())
        return text + QStringLiteral("No backup of it has been taken yet; backups are kept in ") + folder +
               QLatin1Char('.');
    return text + QStringLiteral("The latest backup is in ") + folder + QLatin1Char('.');
}

QString backupFailedMessage(const QString& path, const QString& storeMessage)
{
    return QStringLiteral("The daily backup of ") + shown(path) + QStringLiteral(" could not be written to ") +
           shown(store::backupFolder(path)) + QStringLiteral(".\n") + storeMessage;
}

QString serverUnreachableMessage(const store::ServerAddress& server, const store::StoreError& error)
{
    // libpq indents its hints with a tab; the box shows each line as it comes.
    QStringList lines;
    for (const QString& line : error.message().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    // A server on its way down (or not yet up) refuses new sessions for a
    // moment; libpq may give that with a code of its own, so its words count too.
    const bool goingAway = QStringList{QStringLiteral("57P01"), QStringLiteral("57P02"), QStringLiteral("57P03")}
                               .contains(error.code()) ||
                           error.description().contains(QStringLiteral("the database system is shutting down")) ||
                           error.description().contains(QStringLiteral("the database system is starting up"));
    const QString why = goingAway ? QStringLiteral(" is shutting down or restarting and cannot be opened now; "
                                                   "try again shortly.\n")
                                  : QStringLiteral(" cannot be opened.\n");
    return QStringLiteral("The office database on ") + server.displayName() + why + lines.join(QLatin1Char('\n')) +
           QStringLiteral("\nProgram cannot continue.");
}

QString restoreQuestion(const QString& path, const QString& backup, const QDateTime& at)
{
    qint64 contracts = 0;
    try {
        contracts = store::contractsIn(backup);
    } catch (const store::StoreError&) {
    }
    const QString held = contracts == 1 ? QStringLiteral("1 contract") : QStringLiteral("%1 contracts").arg(contracts);
    return QStringLiteral("\n\nPut the latest good backup, ") + QFileInfo(backup).fileName() +
           QStringLiteral(", taken on ") + store::copyDay(backup).toString(QStringLiteral("M/d/yyyy")) +
           QStringLiteral(" and holding ") + held +
           QStringLiteral(", in its place? The damaged file is kept beside it as ") +
           QFileInfo(store::setAsidePath(path, at)).fileName() + QStringLiteral(".\n") + kOtherBackup +
           QStringLiteral(" lets you choose another copy from ") + shown(store::backupFolder(path)) +
           QStringLiteral(" instead.");
}

QString copyCannotServeMessage(const QString& copy)
{
    return shown(copy) + QStringLiteral(" is not a whole QUILLON database and cannot take the file's place.");
}

QString damagedBackupMessage(const QString& path, const store::DailyBackup& backup)
{
    return QStringLiteral("Today's backup of ") + shown(path) +
           QStringLiteral(" failed its check and does not count as a backup; it is kept as ") +
           shown(backup.damagedCopy) + QStringLiteral(". The earlier backups are as they were.\n") +
           backup.problems.mid(0, 3).join(QLatin1Char('\n'));
}

namespace {

using Kind = DatabaseVerdict::Kind;

DatabaseVerdict damaged(const QString& path)
{
    return {Kind::Damaged, damagedDatabaseMessage(path)};
}

// Reads the file; only the rebuilding of its indexes writes.
DatabaseVerdict inspect(const QString& path, bool mendIndexes)
{
    if (store::hasAccessSignature(path))
        return {Kind::Unusable,
                shown(path) + QStringLiteral(" is an Access database; QUILLON keeps its data in its own database file.")};
    // SQLite takes an empty file for an empty database; here it is one that lost its content.
    if (QFileInfo(path).size() == 0)
        return damaged(path);
    try {
        store::Connection connection(path);
        const QStringList problems = store::fileProblems(connection);
        if (!problems.isEmpty() && !store::onlyIndexesDisagree(problems))
            return damaged(path);
        const store::SchemaInspection inspection = store::inspectSchema(connection);
        if (inspection.state == store::SchemaState::Foreign) {
            QString text = notOurs(path);
            for (const QString& part : inspection.foreignParts)
                text += QLatin1Char('\n') + part;
            return {Kind::Unusable, text};
        }
        if (problems.isEmpty())
            return {};
        if (!mendIndexes)
            return damaged(path);
        store::rebuildIndexes(connection);
    } catch (const store::StoreError& error) {
        if (store::isDamage(error.number()))
            return damaged(path);
        if (store::isNotADatabase(error.number()))
            return {Kind::Unusable, notOurs(path) + QLatin1Char('\n') + error.message()};
        if (const QString stuck = journalStuckMessage(path); !stuck.isEmpty())
            return {Kind::Unusable, stuck + QLatin1Char('\n') + error.message()};
        return {Kind::Unusable, error.message()};
    }
    // What the rebuilt indexes left is checked again, as any file is.
    DatabaseVerdict again = inspect(path, false);
    again.indexesRebuilt = again.kind == Kind::Usable;
    return again;
}

} // namespace

DatabaseVerdict checkDatabase(const QString& path)
{
    return inspect(path, true);
}

bool looksReady(const QString& path)
{
    if (store::hasAccessSignature(path) || QFileInfo(path).size() == 0)
        return false;
    try {
        store::Connection connection(path);
        return store::inspectSchema(connection).state == store::SchemaState::Complete &&
               store::changeCount(connection, QStringLiteral("Agent")).has_value() &&
               store::writeTokensCurrent(connection);
    } catch (const store::StoreError&) {
        return false;
    }
}

namespace {

void takeCopy(LaterCheck& result, const QString& path, const QDate& today)
{
    try {
        result.backup = store::takeDailyBackup(path, today);
    } catch (const store::StoreError& error) {
        result.backup.reset();
        result.backupFailure = error.message();
    }
}

} // namespace

LaterCheck checkFileLater(const LaterCheckRequest& request)
{
    // The first start of a day reads the whole file for its copy, and the copy
    // gets the whole integrity check before it counts. The copy holds the
    // file's pages as they were read, so a whole copy is the file's verdict
    // too: the file is read once and checked once instead of twice each.
    // Only when the copy is not whole (or none was made) is the file itself
    // checked, which also says whether a rebuild of its indexes mends it;
    // a start finding the file as the last clean end left it skips that
    // reading back (and takes writes during its copy), unless its copy just
    // came out damaged.
    const QString& path = request.path;
    const QDate& today = request.today;
    LaterCheck result;
    takeCopy(result, path, today);
    const bool copyWhole = result.backup && result.backup->outcome == store::DailyBackup::Outcome::Taken;
    const bool copyDamaged = result.backup && result.backup->outcome == store::DailyBackup::Outcome::Damaged;
    if (!copyWhole && (copyDamaged || !request.unchangedSinceCleanEnd)) {
        if (request.fileCheckBegins)
            request.fileCheckBegins();
        result.verdict = checkDatabase(path);
    }
    if (result.backup && result.backup->outcome == store::DailyBackup::Outcome::Damaged) {
        // The copy of a damaged file says nothing the file does not; a file
        // its index rebuild mended gets the whole copy it now makes.
        if (result.verdict.kind != Kind::Usable || result.verdict.indexesRebuilt) {
            QFile::remove(result.backup->damagedCopy);
            result.backup.reset();
            if (result.verdict.kind == Kind::Usable)
                takeCopy(result, path, today);
        }
    }
    if (result.verdict.kind == Kind::Usable) {
        // Old write tokens go once the file is known whole; failing to drop
        // them costs nothing but a little room.
        try {
            store::completeSchema(path);
        } catch (const store::StoreError&) {
        }
    }
    return result;
}
