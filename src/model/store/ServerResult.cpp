#include "model/store/ServerResult.h"

#include "model/store/ServerDriver.h"
#include "model/store/ServerValues.h"

#include <QSqlField>
#include <QSqlRecord>

#include <vector>

namespace store {

ServerResult::ServerResult(const ServerDriver* driver) : QSqlResult(driver) {}

ServerResult::~ServerResult() { clearResult(); }

ServerDriver* ServerResult::owner() const
{
    // The driver made this result and outlives it.
    return const_cast<ServerDriver*>(static_cast<const ServerDriver*>(driver()));
}

PGconn* ServerResult::connection() const
{
    return owner() ? owner()->connection() : nullptr;
}

void ServerResult::clearResult()
{
    PQclear(m_result);
    m_result = nullptr;
    m_rows = 0;
    setAt(QSql::BeforeFirstRow);
    setActive(false);
}

bool ServerResult::take(PGresult* result)
{
    m_result = result;
    const ExecStatusType status = PQresultStatus(result);
    if (!result || (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)) {
        setLastError(server::error(QStringLiteral("Unable to run the statement"), connection(), result));
        return false;
    }
    setSelect(status == PGRES_TUPLES_OK);
    m_rows = PQntuples(result);
    setActive(true);
    return true;
}

bool ServerResult::reset(const QString& sql)
{
    clearResult();
    if (!connection())
        return false;
    return take(owner()->exec(sql.toUtf8().constData()));
}

bool ServerResult::prepare(const QString& sql)
{
    clearResult();
    m_prepared = server::numberedPlaceholders(sql);
    return connection() != nullptr;
}

bool ServerResult::exec()
{
    clearResult();
    if (!connection())
        return false;
    const QList<QVariant>& bound = boundValues();
    std::vector<server::Parameter> parameters;
    parameters.reserve(size_t(bound.size()));
    for (const QVariant& value : bound)
        parameters.push_back(server::parameter(value));
    std::vector<Oid> types;
    std::vector<const char*> texts;
    for (const server::Parameter& p : parameters) {
        types.push_back(p.type);
        texts.push_back(p.null ? nullptr : p.text.constData());
    }
    // Text-format parameters end at their NUL, so lengths and formats are not needed.
    return take(owner()->execParams(m_prepared.constData(), int(parameters.size()), types.data(), texts.data()));
}

QVariant ServerResult::data(int field)
{
    if (!m_result || at() < 0 || at() >= m_rows || field < 0 || field >= PQnfields(m_result))
        return {};
    const Oid type = PQftype(m_result, field);
    if (PQgetisnull(m_result, at(), field))
        return QVariant(server::fieldType(type));
    return server::fieldValue(type, PQgetvalue(m_result, at(), field), PQgetlength(m_result, at(), field));
}

bool ServerResult::isNull(int field)
{
    return !m_result || at() < 0 || at() >= m_rows || PQgetisnull(m_result, at(), field);
}

bool ServerResult::fetch(int row)
{
    if (!isActive() || !isSelect() || row < 0 || row >= m_rows)
        return false;
    setAt(row);
    return true;
}

bool ServerResult::fetchFirst() { return fetch(0); }

bool ServerResult::fetchLast() { return fetch(m_rows - 1); }

int ServerResult::size() { return isSelect() ? m_rows : -1; }

int ServerResult::numRowsAffected()
{
    return m_result ? QByteArray(PQcmdTuples(m_result)).toInt() : -1;
}

QSqlRecord ServerResult::record() const
{
    QSqlRecord fields;
    if (!m_result || !isSelect())
        return fields;
    for (int i = 0; i < PQnfields(m_result); ++i)
        fields.append(QSqlField(QString::fromUtf8(PQfname(m_result, i)), server::fieldType(PQftype(m_result, i))));
    return fields;
}

QVariant ServerResult::handle() const { return QVariant::fromValue(static_cast<void*>(m_result)); }

void ServerResult::detachFromResultSet() { clearResult(); }

} // namespace store
