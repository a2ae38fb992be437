#include "store/Connection.h"

#include "store/StoreError.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>

namespace store {

namespace {
QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("quillon-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The store's own number for "the file does not exist".
constexpr int kFileNotFound = 3024;
} // namespace

Connection::Connection(const QString& dbPath) : m_name(nextConnectionName())
{
    if (!QFileInfo(dbPath).isFile())
        throw StoreError(kFileNotFound, QStringLiteral("Could not find file '%1'.").arg(dbPath));
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(dbPath);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    if (!m_db.open()) {
        const StoreError error = StoreError::from(m_db.lastError());
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw error;
    }
    // Opening does not read the file; a first read tells a database from any other file.
    QSqlQuery probe(m_db);
    if (!probe.exec(QStringLiteral("PRAGMA schema_version"))) {
        const StoreError error = StoreError::from(probe.lastError());
        probe = QSqlQuery();
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw error;
    }
}

Connection::~Connection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlQuery Connection::prepare(const QString& sql)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw StoreError::from(query.lastError());
    return query;
}

QSqlQuery Connection::run(const QString& sql, std::initializer_list<QVariant> values)
{
    QSqlQuery query = prepare(sql);
    int position = 0;
    for (const QVariant& value : values)
        query.bindValue(position++, value);
    exec(query);
    return query;
}

void Connection::exec(QSqlQuery& query)
{
    if (!query.exec())
        throw StoreError::from(query.lastError());
}

void Connection::begin()
{
    if (!m_db.transaction())
        throw StoreError::from(m_db.lastError());
}

void Connection::commit()
{
    if (!m_db.commit()) {
        const StoreError error = StoreError::from(m_db.lastError());
        rollback();
        throw error;
    }
}

void Connection::rollback() noexcept
{
    m_db.rollback();
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

} // namespace store
