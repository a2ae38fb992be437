#include "model/store/Connection.h"

#include "model/store/ServerDriver.h"
#include "model/store/ServerLink.h"
#include "model/store/ServerRole.h"
#include "model/store/SqliteHandle.h"
#include "model/store/StoreError.h"

#include <QAtomicInt>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QFileInfo>
#include <QStringList>
#include <QSqlError>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace store {

namespace {
QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("quillon-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The store's own number for "the file does not exist".
constexpr int kFileNotFound = 3024;

// Another program holding the file (a copy running elsewhere, a backup tool,
// another agent's start-up check of a large file) is waited for this long
// before the operation fails with "database is locked": longer than any one
// read or write of the program takes, and as long as the office server's
// bound on a statement.
constexpr qint64 kLockWaitMs = 30000;
std::atomic<qint64> lockWaitMs{kLockWaitMs};

// The program's writes on a file from their BEGIN to their end, on any thread.
std::atomic<int> fileWritesUnderway{0};

// SQLite's own wait sleeps longer and longer between looks (up to a tenth of
// a second), so of several programs waiting, the one that has waited longest
// looks least often and keeps losing the lock to those that just came: one
// save could wait seconds behind a stream of others. Short sleeps of varied
// length give every waiting program an even chance at each release.
int waitForLock(void*, int looks)
{
    // A thread waits for one lock at a time; the first look starts its clock.
    thread_local QElapsedTimer waited;
    if (looks == 0)
        waited.start();
    if (waited.elapsed() >= lockWaitMs.load(std::memory_order_relaxed))
        return 0;
    std::this_thread::sleep_for(std::chrono::microseconds(QRandomGenerator::global()->bounded(200, 3000)));
    return 1;
}
// Taking the write lock at the start means a writer never holds a read lock
// that another writer waits for: no two writers can end up each waiting for
// the other, which SQLite settles by failing one of them at once.
const QString kBeginWriting = QStringLiteral("BEGIN IMMEDIATE");
// A standby refuses this at once, and the server skips what was sent with it.
const QByteArray kBeginServerWriting = QByteArrayLiteral("BEGIN READ WRITE");
// What several statements read belongs together even while others write.
const QByteArray kBeginServerReading = QByteArrayLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ");
// What the server answers a writing transaction begun on a standby.
const QString kRefusedOnStandby = QStringLiteral("0A000");

// The names of the server sessions this thread keeps open between operations.
QStringList& threadSessions()
{
    thread_local QStringList names;
    return names;
}

// One kept session per thread and server: Qt's connections belong to the
// thread that made them.
QString serverSessionName(const ServerAddress& server)
{
    thread_local const QString thread = nextConnectionName();
    return QStringLiteral("%1-server-%2-%3-%4")
        .arg(thread, server.displayName(), server.user, connectionOptions(server));
}

void forget(QSqlDatabase& db, const QString& name)
{
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
    threadSessions().removeOne(name);
}

} // namespace

template <typename Call>
bool Connection::answered(Call&& call)
{
    if (m_backend != Backend::Server)
        return call();
    AnswerWatch watch(m_db);
    const bool ok = call();
    m_answerLate = watch.finish();
    return ok;
}

Connection::Connection(const Place& place) : m_backend(place.backend)
{
    if (place.isServer())
        openServer(place.server);
    else
        openFile(place.filePath);
}

void Connection::openFile(const QString& dbPath)
{
    if (!QFileInfo(dbPath).isFile())
        throw StoreError(kFileNotFound, QStringLiteral("Could not find file '%1'.").arg(dbPath));
    m_name = nextConnectionName();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(dbPath);
    if (!m_db.open()) {
        const StoreError error = StoreError::from(m_db.lastError());
        forget(m_db, m_name);
        throw error;
    }
    if (sqlite3* handle = sqliteHandle(m_db))
        sqlite3_busy_handler(handle, waitForLock, nullptr);
    // Opening does not read the file; a first read tells a database from any other file.
    QSqlQuery probe(m_db);
    if (!probe.exec(QStringLiteral("PRAGMA schema_version"))) {
        const StoreError error = failure(probe.lastError());
        probe = QSqlQuery();
        forget(m_db, m_name);
        throw error;
    }
}

void Connection::openServer(const ServerAddress& server)
{
    m_name = serverSessionName(server);
    if (QSqlDatabase::contains(m_name)) {
        m_db = QSqlDatabase::database(m_name, false);
        if (m_db.isOpen() && sessionStillOpen(m_db))
            return;
        // Nothing of this operation was sent yet: a new session costs the user nothing.
        forget(m_db, m_name);
    }
    m_db = QSqlDatabase::addDatabase(new ServerDriver, m_name);
    applyServerAddress(server, m_db);
    threadSessions().append(m_name);
    bool open = m_db.open();
    // Each host's reason, as libpq gives them when none would take changes.
    const QString refused = m_db.lastError().databaseText();
    if (!open && server.prefersPrimary()) {
        // No host accepts changes: one that only reads still shows the lists,
        // and refuses each change on its own.
        applyServerAddress(server, m_db, true);
        open = m_db.open();
    }
    if (!open) {
        // A login that fails has no SQLSTATE of the server's: the session was never established.
        const StoreError error(QStringLiteral("08001"), refused);
        forget(m_db, m_name);
        throw error;
    }
}

Connection::~Connection()
{
    if (m_backend == Backend::Server && !m_drop) {
        m_db = QSqlDatabase();
        return;
    }
    forget(m_db, m_name);
}

QSqlQuery Connection::prepare(const QString& sql)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!answered([&] { return query.prepare(sql); }))
        throw failure(query.lastError());
    return query;
}

QSqlQuery Connection::run(const QString& sql, std::initializer_list<QVariant> values)
{
    QSqlQuery query = prepare(sql);
    int position = 0;
    for (const QVariant& value : values)
        query.bindValue(position++, value);
    run(query);
    return query;
}

void Connection::runUnprepared(const QString& sql)
{
    QSqlQuery query(m_db);
    if (!answered([&] { return query.exec(sql); }))
        throw failure(query.lastError());
}

void Connection::run(QSqlQuery& query)
{
    if (!answered([&] { return query.exec(); }))
        throw failure(query.lastError());
}

void Connection::begin(Access access)
{
    if (m_backend == Backend::Server) {
        // Sent with the transaction's first statement: one round trip fewer for every transaction.
        auto* driver = static_cast<ServerDriver*>(m_db.driver());
        driver->beginWithNextStatement(access == Access::Write ? kBeginServerWriting : kBeginServerReading);
    } else if (access == Access::Write) {
        ++fileWritesUnderway;
        m_writeCounted = true;
        QSqlQuery query(m_db);
        if (!query.exec(kBeginWriting)) {
            endWriteCount();
            throw failure(query.lastError());
        }
    } else if (!m_db.transaction()) {
        throw failure(m_db.lastError());
    }
    m_inTransaction = true;
}

void Connection::commit()
{
    if (!answered([&] { return m_db.commit(); })) {
        StoreError error = failure(m_db.lastError());
        rollback();
        // Whatever the server said, the write may have been stored before
        // the connection failed; only asking again tells.
        if (m_backend == Backend::Server)
            error.setCommitUnanswered();
        throw error;
    }
    m_inTransaction = false;
    endWriteCount();
}

void Connection::endWriteCount() noexcept
{
    if (m_writeCounted)
        --fileWritesUnderway;
    m_writeCounted = false;
}

StoreError Connection::failure(const QSqlError& error)
{
    m_drop = true;
    const std::optional<StoreError> own = sqliteFailure(m_db);
    StoreError failed = m_backend == Backend::Server ? serverFailure(m_db, error, m_answerLate)
                        : own                        ? *own
                                                     : StoreError::from(error);
    if (m_backend == Backend::Server && failed.code() == kRefusedOnStandby
        && static_cast<ServerDriver*>(m_db.driver())->beginRefused())
        failed = standbyRefusal();
    // On the server one failed statement spoils its whole transaction; ending
    // it at once lets the statements still open be freed without complaint.
    if (m_backend == Backend::Server)
        rollback();
    return failed;
}

void Connection::rollback() noexcept
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    // A connection the driver found lost has nothing left to roll back.
    if (m_db.isOpen())
        answered([&] { return m_db.rollback(); });
    endWriteCount();
}

bool fileWriteUnderway()
{
    return fileWritesUnderway.load() > 0;
}

void setFileLockWait(qint64 milliseconds)
{
    lockWaitMs = milliseconds > 0 ? milliseconds : kLockWaitMs;
}

void closeThreadConnections()
{
    const QStringList names = threadSessions();
    for (const QString& name : names) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        forget(db, name);
    }
}

QString textOf(const QVariant& value)
{
    if (value.isNull())
        return QString();
    return value.toString();
}

QVariant nullIfEmpty(const QString& text)
{
    if (text.isEmpty())
        return QVariant(QMetaType::fromType<QString>());
    return text;
}

bool hasTable(Connection& connection, const QString& name)
{
    if (const std::optional<bool> found = sqliteHasTable(connection.database(), name))
        return *found;
    const QStringList tables = connection.database().tables();
    return std::any_of(tables.begin(), tables.end(),
                       [&](const QString& table) { return table.compare(name, Qt::CaseInsensitive) == 0; });
}

} // namespace store
