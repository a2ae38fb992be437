#include "model/store/ServerCopy.h"

#include "model/store/Connection.h"
#include "model/store/ServerDriver.h"
#include "model/store/ServerLink.h"
#include "model/store/ServerValues.h"
#include "model/store/StoreError.h"

#include <QSqlError>

#include <libpq-fe.h>

namespace store {

namespace {

// Rows per COPY statement: a second or so of the server's work, far inside its bound on one statement.
constexpr int kRowsPerStatement = 20000;

ServerDriver& serverDriver(Connection& server)
{
    auto* driver = dynamic_cast<ServerDriver*>(server.database().driver());
    if (!driver || !driver->connection())
        throw StoreError(-1, QStringLiteral("Rows can be copied in this way only to the office server."));
    return *driver;
}

// The failure in the server's words, read from its result, which is then freed.
StoreError failure(Connection& server, PGconn* connection, PGresult* result, bool late)
{
    const StoreError error = serverFailure(
        server.database(),
        server::error(QStringLiteral("Could not copy the rows"), connection, result, QSqlError::StatementError), late);
    PQclear(result);
    return error;
}

} // namespace

QByteArray copyText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QByteArrayLiteral("\\N");
    const QByteArray text = value.toString().toUtf8();
    QByteArray escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\t': escaped += "\\t"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

ServerCopyIn::ServerCopyIn(Connection& server, const QString& table, const QStringList& columns)
    : m_server(server),
      m_statement(QStringLiteral("COPY %1 (%2) FROM STDIN").arg(table, columns.join(QStringLiteral(", "))).toUtf8())
{
}

void ServerCopyIn::add(const QVariantList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_batch += '\t';
        m_batch += copyText(values[i]);
    }
    m_batch += '\n';
    if (++m_rows == kRowsPerStatement)
        send();
}

void ServerCopyIn::finish()
{
    if (m_rows > 0)
        send();
}

void ServerCopyIn::send()
{
    ServerDriver& driver = serverDriver(m_server);
    PGconn* connection = driver.connection();
    AnswerWatch watch(m_server.database());
    // The copy belongs to the caller's transaction, whose BEGIN may still be waiting for a statement.
    if (PGresult* refused = driver.sendWaitingBegin()) {
        const bool late = watch.finish();
        throw failure(m_server, connection, refused, late);
    }
    PGresult* started = PQexec(connection, m_statement.constData());
    if (PQresultStatus(started) != PGRES_COPY_IN) {
        const bool late = watch.finish();
        throw failure(m_server, connection, started, late);
    }
    PQclear(started);
    const bool sent = PQputCopyData(connection, m_batch.constData(), int(m_batch.size())) == 1 &&
                      PQputCopyEnd(connection, nullptr) == 1;
    // Every result is read, so the connection is ready for the next statement whatever happened.
    PGresult* failed = nullptr;
    while (PGresult* result = PQgetResult(connection)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK && !failed)
            failed = result;
        else
            PQclear(result);
    }
    const bool late = watch.finish();
    if (!sent || failed || late)
        throw failure(m_server, connection, failed, late);
    m_batch.clear();
    m_rows = 0;
}

} // namespace store
