#include "model/store/WriteToken.h"

#include "model/store/Connection.h"
#include "model/store/StoreError.h"

#include <QSqlRecord>
#include <QUuid>
#include <QVariantList>

namespace store {

namespace {

// The claim stamps the token with the store's time (see WriteToken.h); the
// stamp's own placeholder comes last, bound only on the file.
const QString kClaim = QStringLiteral("INSERT INTO WriteTokens (Token, Stamp) VALUES (?, %1) ON CONFLICT DO NOTHING");
// The server's clock, in seconds.
const QString kServerNow = QStringLiteral("CAST(EXTRACT(EPOCH FROM now()) AS BIGINT)");
// A new stamp on the file: never below the newest it holds, nor below the desk's time bound to it.
const QString kFileStamp = QStringLiteral("MAX(?, COALESCE((SELECT MAX(Stamp) FROM WriteTokens), 0))");
// The file's own time when it prunes: its newest stamp, whatever the pruning desk's clock says.
const QString kFileNow = QStringLiteral("(SELECT MAX(Stamp) FROM WriteTokens)");
// Old by the store's time (%1) and not among the kWriteTokensKept newest (the
// offset is bound one less: the stamp of the last of those).
const QString kExpired = QStringLiteral(
    "Stamp < %1 - ? AND Stamp < (SELECT Stamp FROM WriteTokens ORDER BY Stamp DESC LIMIT 1 OFFSET ?)");
const QString kStampIndex = QStringLiteral("CREATE INDEX IF NOT EXISTS WriteTokensByStamp ON WriteTokens (Stamp)");
// A token begins with the UTC time it was made.
const QString kStampFormat = QStringLiteral("yyyyMMddHHmmss");
// While the session that lost its COMMIT is still finishing it, the server
// makes the question wait for that session; a frozen one is not waited for long.
constexpr int kAskWaitMs = 5000;

bool onFile(Connection& connection)
{
    return connection.backend() == Backend::File;
}

// Runs sql with the values bound in order.
QSqlQuery runWith(Connection& connection, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = connection.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    connection.run(query);
    return query;
}

// Runs sql whose %1 is a new stamp, with its values; on the file the desk's
// time in seconds is bound after them.
QSqlQuery runStamping(Connection& connection, const QString& sql, QVariantList values, qint64 deskSeconds)
{
    if (onFile(connection))
        values << deskSeconds;
    return runWith(connection, sql.arg(onFile(connection) ? kFileStamp : kServerNow), values);
}

// The desk's time a token was made, in seconds since 1970; now when it does not say.
qint64 madeAt(const QString& token)
{
    QDateTime made = QDateTime::fromString(token.left(kStampFormat.size()), kStampFormat);
    made.setTimeSpec(Qt::UTC);
    return made.isValid() ? made.toSecsSinceEpoch() : QDateTime::currentSecsSinceEpoch();
}

// Whether a write whose COMMIT went unanswered was stored, asked on a new session.
bool tokenStored(const Place& place, const QString& token)
{
    Connection connection(place);
    bool stored = false;
    connection.rolledBack([&] {
        if (connection.backend() == Backend::Server)
            connection.run(QStringLiteral("SELECT set_config('lock_timeout', ?, true)"),
                           {QString::number(kAskWaitMs)});
        stored = !claimToken(connection, token);
    });
    return stored;
}

bool hasTable(Connection& connection)
{
    return store::hasTable(connection, QStringLiteral("WriteTokens"));
}

// The columns after the token, as the program makes them.
const QStringList& laterColumns()
{
    static const QStringList columns{QStringLiteral("RowKey"), QStringLiteral("Stamp")};
    return columns;
}

} // namespace

QStringList writeTokensCreateStatements()
{
    return {QStringLiteral("CREATE TABLE WriteTokens (Token TEXT PRIMARY KEY NOT NULL, RowKey BIGINT, Stamp BIGINT)"),
            kStampIndex};
}

bool writeTokensCurrent(Connection& connection)
{
    if (!hasTable(connection))
        return false;
    const QSqlRecord record = connection.database().record(QStringLiteral("WriteTokens"));
    for (const QString& column : laterColumns())
        if (record.indexOf(column) < 0)
            return false;
    return true;
}

void completeWriteTokens(Connection& connection)
{
    if (!hasTable(connection)) {
        for (const QString& statement : writeTokensCreateStatements())
            connection.runUnprepared(statement);
        return;
    }
    const QSqlRecord record = connection.database().record(QStringLiteral("WriteTokens"));
    for (const QString& column : laterColumns())
        if (record.indexOf(column) < 0)
            connection.runUnprepared(QStringLiteral("ALTER TABLE WriteTokens ADD COLUMN %1 BIGINT").arg(column));
    connection.runUnprepared(kStampIndex);
}

void pruneWriteTokens(Connection& connection)
{
    const QString expired = kExpired.arg(onFile(connection) ? kFileNow : kServerNow);
    const QVariantList bounds{qint64(kWriteTokenDays) * 24 * 60 * 60, kWriteTokensKept - 1};
    const qint64 deskNow = QDateTime::currentSecsSinceEpoch();
    // Asked first, so a database nobody wrote to for a week is not written
    // at every start (a file on a read-only disk still starts).
    if (!runWith(connection, QStringLiteral("SELECT 1 FROM WriteTokens WHERE Stamp IS NULL OR (%1) LIMIT 1").arg(expired),
                 bounds).next())
        return;
    connection.transaction([&] {
        // Tokens an older release stored bear no stamp: their age counts from now.
        runStamping(connection, QStringLiteral("UPDATE WriteTokens SET Stamp = %1 WHERE Stamp IS NULL"), {}, deskNow);
        runWith(connection, QStringLiteral("DELETE FROM WriteTokens WHERE ") + expired, bounds);
    });
}

void ensureWriteTokens(Connection& connection)
{
    if (!writeTokensCurrent(connection))
        connection.transaction([&] { completeWriteTokens(connection); });
    pruneWriteTokens(connection);
}

void recordRowKey(Connection& connection, const QString& token, qint64 key)
{
    if (!token.isEmpty())
        connection.run(QStringLiteral("UPDATE WriteTokens SET RowKey = ? WHERE Token = ?"), {key, token});
}

qint64 rowKeyStoredWith(const Place& place, const QString& token)
{
    try {
        Connection connection(place);
        QSqlQuery query = connection.run(QStringLiteral("SELECT RowKey FROM WriteTokens WHERE Token = ?"), {token});
        return query.next() ? query.value(0).toLongLong() : 0;
    } catch (const StoreError&) {
        // The row is stored either way; only its key stays unknown.
        return 0;
    }
}

QString newWriteToken(const QDateTime& now)
{
    return now.toUTC().toString(kStampFormat) + QLatin1Char('-')
        + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString PendingWrite::tokenFor(const QString& contents, const QDateTime& now)
{
    if (m_token.isEmpty() || contents != m_contents) {
        m_token = newWriteToken(now);
        m_contents = contents;
        m_unknown = false;
    }
    return m_token;
}

void PendingWrite::failed(StoreError& failure)
{
    if (failure.outcomeUnknown() || failure.commitUnanswered())
        m_unknown = true;
    if (m_unknown)
        failure.setOutcomeUnknown();
}

bool claimToken(Connection& connection, const QString& token)
{
    return runStamping(connection, kClaim, {token}, madeAt(token)).numRowsAffected() == 1;
}

QString serverClaimWithKey(const QString& key, const QString& condition)
{
    return QStringLiteral("Claimed AS (INSERT INTO WriteTokens (Token, Stamp, RowKey) SELECT ?, %1, %2 WHERE %3 "
                          "ON CONFLICT DO NOTHING RETURNING RowKey)")
        .arg(kServerNow, key, condition);
}

bool writeOnce(const Place& place, const QString& token, const std::function<void(Connection&)>& work)
{
    return writeOnceClaiming(place, token, [&](Connection& connection) {
        if (!token.isEmpty() && !claimToken(connection, token))
            return false;
        work(connection);
        return true;
    });
}

bool writeOnceClaiming(const Place& place, const QString& token, const std::function<bool(Connection&)>& work)
{
    try {
        Connection connection(place);
        bool fresh = true;
        connection.transaction([&] { fresh = work(connection); });
        return fresh;
    } catch (StoreError& failure) {
        if (!failure.commitUnanswered() || token.isEmpty())
            throw;
        bool stored = false, asked = true;
        try {
            stored = tokenStored(place, token);
        } catch (const StoreError&) {
            asked = false;
        }
        if (!asked) {
            failure.setOutcomeUnknown();
            throw;
        }
        if (!stored) {
            // Asked and answered: the write was not stored.
            failure.setCommitUnanswered(false);
            throw;
        }
        return false;
    }
}

} // namespace store
