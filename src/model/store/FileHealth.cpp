#include "model/store/FileHealth.h"

#include "model/store/Connection.h"
#include "model/store/SqliteHandle.h"
#include "model/store/StoreError.h"

#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

#include <QScopeGuard>

#include <algorithm>
#include <atomic>

namespace store {

namespace {
// An Access file starts with four bytes of page header, then its format's name.
constexpr qsizetype kSignatureOffset = 4;
const QByteArray kJetSignature = QByteArrayLiteral("Standard Jet DB");
const QByteArray kAceSignature = QByteArrayLiteral("Standard ACE DB");

// The whole check, not the quick one: only it compares each index with its
// table, and an index that misses a row hides that contract from its customer.
const QString kIntegrityCheck = QStringLiteral("PRAGMA integrity_check");
const QString kWhole = QStringLiteral("ok");
const QString kReindex = QStringLiteral("REINDEX");
// The check reads every page once: the store's usual 2 MB of cache for it
// only add to the program's memory while it runs, and speed it up no more
// than the system's own cache of the file does.
const QString kSmallCache = QStringLiteral("PRAGMA cache_size = -256");

// SQLite's words for an index that disagrees with its table.
bool isIndexProblem(const QString& line)
{
    static const QRegularExpression index(QStringLiteral(
        "^(row \\d+ missing from index \\S+|wrong # of entries in index \\S+|non-unique entry in index \\S+)$"));
    return index.match(line).hasMatch();
}
std::atomic<bool> stopped{false};

// How many of SQLite's steps run between two looks at whether to stop.
constexpr int kStepsBetweenLooks = 10000;

int stopWhenAsked(void*)
{
    return stopped.load(std::memory_order_relaxed) ? 1 : 0;
}
} // namespace

void stopWholeFileWork(bool stop)
{
    stopped = stop;
}

bool wholeFileWorkStopped()
{
    return stopped.load(std::memory_order_relaxed);
}

bool isInterruption(int storeCode)
{
    return storeCode > 0 && (storeCode & 0xff) == SQLITE_INTERRUPT;
}

bool hasAccessSignature(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(kSignatureOffset + kJetSignature.size());
    const QByteArray name = start.mid(kSignatureOffset);
    return name == kJetSignature || name == kAceSignature;
}

QStringList fileProblems(Connection& connection)
{
    QStringList problems;
    sqlite3* handle = sqliteHandle(connection.database());
    if (handle) {
        connection.runUnprepared(kSmallCache);
        sqlite3_progress_handler(handle, kStepsBetweenLooks, stopWhenAsked, nullptr);
    }
    const auto stopLooking = qScopeGuard([handle] {
        if (handle)
            sqlite3_progress_handler(handle, 0, nullptr, nullptr);
    });
    try {
        QSqlQuery check = connection.run(kIntegrityCheck);
        while (check.next()) {
            const QString line = check.value(0).toString();
            if (line != kWhole)
                problems << line;
        }
    } catch (const StoreError& error) {
        if (!isDamage(error.number()))
            throw;
        problems << error.description();
    }
    return problems;
}

bool onlyIndexesDisagree(const QStringList& problems)
{
    return !problems.isEmpty() && std::all_of(problems.begin(), problems.end(), isIndexProblem);
}

void rebuildIndexes(Connection& connection)
{
    connection.transaction([&] { connection.runUnprepared(kReindex); });
}

bool isDamage(int storeCode)
{
    // Extended codes keep the primary code in their low byte.
    const int primary = storeCode & 0xff;
    return storeCode > 0 && primary == SQLITE_CORRUPT;
}

bool isNotADatabase(int storeCode)
{
    return storeCode > 0 && (storeCode & 0xff) == SQLITE_NOTADB;
}

} // namespace store
