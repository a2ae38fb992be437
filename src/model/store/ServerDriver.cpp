#include "model/store/ServerDriver.h"

#include "model/store/LibpqOnDemand.h"
#include "model/store/Place.h"
#include "model/store/ServerResult.h"
#include "model/store/ServerValues.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <utility>

namespace store {

namespace {
const QString kTables = QStringLiteral(
    "SELECT c.relname FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "WHERE c.relkind IN (%1) AND pg_catalog.pg_table_is_visible(c.oid) "
    "AND n.nspname NOT IN ('pg_catalog', 'information_schema') ORDER BY 1");
const QString kColumns = QStringLiteral(
    "SELECT a.attname, a.atttypid FROM pg_catalog.pg_attribute a WHERE a.attrelid = pg_catalog.to_regclass(?) "
    "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum");

// Qt's own driver takes ';' between connect options as well as spaces; the
// same here, but only outside quoted values, which stay whole.
QString optionsAsConnectionString(const QString& options)
{
    QString text = options;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && quoted)
            ++i;
        else if (text[i] == QLatin1Char('\''))
            quoted = !quoted;
        else if (text[i] == QLatin1Char(';') && !quoted)
            text[i] = QLatin1Char(' ');
    }
    return text;
}

} // namespace

ServerDriver::ServerDriver(QObject* parent) : QSqlDriver(parent) {}

ServerDriver::~ServerDriver() { close(); }

bool ServerDriver::hasFeature(DriverFeature feature) const
{
    switch (feature) {
    case Transactions:
    case QuerySize:
    case PreparedQueries:
    case PositionalPlaceholders:
    case Unicode:
    case BLOB:
    case LowPrecisionNumbers:
        return true;
    default:
        return false;
    }
}

bool ServerDriver::open(const QString& db, const QString& user, const QString& password, const QString& host,
                        int port, const QString& options)
{
    close();
    if (const QString missing = libpq::load(); !missing.isEmpty()) {
        setLastError(QSqlError(QStringLiteral("Unable to connect"), missing, QSqlError::ConnectionError));
        setOpenError(true);
        return false;
    }
    QStringList conninfo;
    const std::pair<const char*, QString> keywords[] = {{"host", host},
                                                        {"port", port >= 0 ? QString::number(port) : QString()},
                                                        {"dbname", db},
                                                        {"user", user},
                                                        {"password", password}};
    for (const auto& [keyword, value] : keywords)
        if (!value.isEmpty())
            conninfo << QString::fromLatin1(keyword) + QLatin1Char('=') + connectionStringValue(value);
    conninfo << QStringLiteral("client_encoding='UTF8'");
    if (!options.trimmed().isEmpty())
        conninfo << optionsAsConnectionString(options);
    m_connection = PQconnectdb(conninfo.join(QLatin1Char(' ')).toUtf8().constData());
    if (PQstatus(m_connection) != CONNECTION_OK) {
        setLastError(server::error(QStringLiteral("Unable to connect"), m_connection, nullptr,
                                   QSqlError::ConnectionError));
        PQfinish(m_connection);
        m_connection = nullptr;
        setOpenError(true);
        return false;
    }
    setOpen(true);
    setOpenError(false);
    return true;
}

void ServerDriver::close()
{
    if (m_connection) {
        PQfinish(m_connection);
        m_connection = nullptr;
    }
    setOpen(false);
}

QSqlResult* ServerDriver::createResult() const { return new ServerResult(this); }

QVariant ServerDriver::handle() const { return QVariant::fromValue(m_connection); }

bool ServerDriver::command(const char* sql, const QString& what, const char* refusedStatus)
{
    if (!m_connection)
        return false;
    PGresult* result = PQexec(m_connection, sql);
    // COMMIT of a transaction that failed on the way answers ROLLBACK.
    const bool done = PQresultStatus(result) == PGRES_COMMAND_OK &&
                      !(refusedStatus && qstrcmp(PQcmdStatus(result), refusedStatus) == 0);
    if (!done)
        setLastError(server::error(what, m_connection, result, QSqlError::TransactionError));
    PQclear(result);
    return done;
}

bool ServerDriver::beginTransaction() { return command("BEGIN", QStringLiteral("Could not begin transaction")); }

bool ServerDriver::commitTransaction()
{
    // A transaction that never reached the server has nothing to commit.
    if (!m_waitingBegin.isEmpty()) {
        m_waitingBegin.clear();
        return true;
    }
    return command("COMMIT", QStringLiteral("Could not commit transaction"), "ROLLBACK");
}

bool ServerDriver::rollbackTransaction()
{
    if (!m_waitingBegin.isEmpty()) {
        m_waitingBegin.clear();
        return true;
    }
    return command("ROLLBACK", QStringLiteral("Could not roll back transaction"));
}

void ServerDriver::beginWithNextStatement(const QByteArray& begin)
{
    m_waitingBegin = begin;
}

PGresult* ServerDriver::sendWaitingBegin()
{
    m_beginRefused = false;
    if (m_waitingBegin.isEmpty() || !m_connection)
        return nullptr;
    const QByteArray begin = std::exchange(m_waitingBegin, QByteArray());
    PGresult* begun = PQexec(m_connection, begin.constData());
    if (PQresultStatus(begun) == PGRES_COMMAND_OK) {
        PQclear(begun);
        return nullptr;
    }
    m_beginRefused = true;
    return begun ? begun : PQmakeEmptyPGresult(m_connection, PGRES_FATAL_ERROR);
}

PGresult* ServerDriver::execParams(const char* sql, int count, const Oid* types, const char* const* values)
{
    m_beginRefused = false;
    if (!m_connection)
        return nullptr;
    if (m_waitingBegin.isEmpty())
        return PQexecParams(m_connection, sql, count, types, values, nullptr, nullptr, 0);
    return afterBegin(sql, count, types, values);
}

PGresult* ServerDriver::exec(const char* sql)
{
    if (!m_connection)
        return nullptr;
    if (PGresult* refused = sendWaitingBegin())
        return refused;
    return PQexec(m_connection, sql);
}

PGresult* ServerDriver::afterBegin(const char* sql, int count, const Oid* types, const char* const* values)
{
    if (PQenterPipelineMode(m_connection) != 1) {
        PGresult* refused = sendWaitingBegin();
        return refused ? refused : PQexecParams(m_connection, sql, count, types, values, nullptr, nullptr, 0);
    }
    const QByteArray begin = std::exchange(m_waitingBegin, QByteArray());
    PGresult* results[2] = {nullptr, nullptr};
    if (PQsendQueryParams(m_connection, begin.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0) == 1
        && PQsendQueryParams(m_connection, sql, count, types, values, nullptr, nullptr, 0) == 1
        && PQpipelineSync(m_connection) == 1) {
        // Each statement's results end with a null; the sync's own result ends the pipeline.
        int statement = 0;
        for (;;) {
            PGresult* result = PQgetResult(m_connection);
            if (!result) {
                if (PQstatus(m_connection) != CONNECTION_OK || ++statement > 2)
                    break;
                continue;
            }
            if (PQresultStatus(result) == PGRES_PIPELINE_SYNC) {
                PQclear(result);
                break;
            }
            if (statement < 2 && !results[statement])
                results[statement] = result;
            else
                PQclear(result);
        }
    }
    PQexitPipelineMode(m_connection);
    if (results[0] && PQresultStatus(results[0]) != PGRES_COMMAND_OK) {
        m_beginRefused = true;
        PQclear(results[1]);
        return results[0];
    }
    PQclear(results[0]);
    return results[1];
}

QStringList ServerDriver::tables(QSql::TableType type) const
{
    QStringList kinds;
    if (type & QSql::Tables)
        kinds << QStringLiteral("'r'") << QStringLiteral("'p'");
    if (type & QSql::Views)
        kinds << QStringLiteral("'v'") << QStringLiteral("'m'");
    QStringList names;
    if (kinds.isEmpty() || !isOpen())
        return names;
    QSqlQuery query(createResult());
    if (query.exec(kTables.arg(kinds.join(QLatin1Char(',')))))
        while (query.next())
            names << query.value(0).toString();
    return names;
}

QSqlRecord ServerDriver::record(const QString& table) const
{
    QSqlRecord fields;
    if (!isOpen())
        return fields;
    QSqlQuery query(createResult());
    query.prepare(kColumns);
    query.bindValue(0, table);
    if (query.exec())
        while (query.next())
            fields.append(QSqlField(query.value(0).toString(), server::fieldType(query.value(1).toUInt())));
    return fields;
}

} // namespace store
