#include "store/WriteToken.h"

#include "store/Connection.h"
#include "store/StoreError.h"

#include <QUuid>

namespace store {

namespace {

const QString kClaim = QStringLiteral("INSERT INTO WriteTokens (Token) VALUES (?) ON CONFLICT DO NOTHING");
// A token begins with the UTC time it was made, so a cut-off time is a cut-off token.
const QString kStampFormat = QStringLiteral("yyyyMMddHHmmss");
// While the session that lost its COMMIT is still finishing it, the server
// makes the question wait for that session; a frozen one is not waited for long.
constexpr int kAskWaitMs = 5000;

// Stores the token in the open transaction; false when it was stored before.
// On the server a token another session is storing at this moment is waited
// for until that session has committed or given up.
bool claim(Connection& connection, const QString& token)
{
    return connection.run(kClaim, {token}).numRowsAffected() == 1;
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
        stored = !claim(connection, token);
    });
    return stored;
}

} // namespace

bool hasWriteTokens(Connection& connection)
{
    for (const QString& table : connection.database().tables())
        if (table.compare(QStringLiteral("WriteTokens"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

const QString& writeTokensCreateStatement()
{
    static const QString sql =
        QStringLiteral("CREATE TABLE WriteTokens (Token TEXT PRIMARY KEY NOT NULL, RowKey BIGINT)");
    return sql;
}

void ensureWriteTokens(Connection& connection, const QDateTime& now)
{
    const QString cutOff = now.toUTC().addDays(-kWriteTokenDays).toString(kStampFormat);
    if (!hasWriteTokens(connection)) {
        connection.transaction([&] { connection.execute(writeTokensCreateStatement()); });
        return;
    }
    // Asked first, so a database nobody wrote to for a week is not written
    // at every start (a file on a read-only disk still starts).
    if (!connection.run(QStringLiteral("SELECT 1 FROM WriteTokens WHERE Token < ? LIMIT 1"), {cutOff}).next())
        return;
    connection.transaction(
        [&] { connection.run(QStringLiteral("DELETE FROM WriteTokens WHERE Token < ?"), {cutOff}); });
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

QString PendingWrite::tokenFor(const QString& contents)
{
    if (m_token.isEmpty() || contents != m_contents) {
        m_token = newWriteToken(QDateTime::currentDateTimeUtc());
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

bool writeOnce(const Place& place, const QString& token, const std::function<void(Connection&)>& work)
{
    try {
        Connection connection(place);
        bool fresh = true;
        connection.transaction([&] {
            if (!token.isEmpty() && !claim(connection, token)) {
                fresh = false;
                return;
            }
            work(connection);
        });
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
