#pragma once

#include <QMetaType>
#include <QSqlDriver>

#include <libpq-fe.h>

// The handle of a server connection is the libpq session, in a QVariant, as
// Qt's own PostgreSQL driver hands it out.
Q_DECLARE_OPAQUE_POINTER(PGconn*)
Q_DECLARE_METATYPE(PGconn*)

namespace store {

// The office server's connection for Qt SQL, straight over libpq. Qt's own
// PostgreSQL driver pastes a prepared statement's values into the text it
// sends (EXECUTE name ('...')), so a failed statement put customers' names and
// amounts into the server's log; here values travel as protocol parameters,
// apart from the statement's text. The store code above sees the same
// QSqlQuery as on the file.
//
// Connect options are a libpq connection string (keyword='value' pairs).
class ServerDriver : public QSqlDriver {
public:
    explicit ServerDriver(QObject* parent = nullptr);
    ~ServerDriver() override;

    bool hasFeature(DriverFeature feature) const override;
    bool open(const QString& db, const QString& user, const QString& password, const QString& host, int port,
              const QString& options) override;
    void close() override;
    QSqlResult* createResult() const override;
    QVariant handle() const override;

    bool beginTransaction() override;
    bool commitTransaction() override;
    bool rollbackTransaction() override;

    QStringList tables(QSql::TableType type) const override;
    QSqlRecord record(const QString& table) const override;

    PGconn* connection() const { return m_connection; }

    // The next transaction's BEGIN goes out together with its first statement,
    // in one round trip; a transaction that ends before any statement costs none.
    void beginWithNextStatement(const QByteArray& begin);
    // Sends a BEGIN still waiting for its statement on its own, for work done
    // straight over libpq (COPY): null when it went in, else its failed result.
    PGresult* sendWaitingBegin();
    // Runs a statement: after the waiting BEGIN in one pipeline, when there is
    // one; otherwise alone. The statement's result, the failed BEGIN's, or
    // null when the connection failed.
    PGresult* execParams(const char* sql, int count, const Oid* types, const char* const* values);
    // Runs a statement of its own text the same way, but after a waiting BEGIN
    // sent alone: such a text may hold several statements, which a pipeline refuses.
    PGresult* exec(const char* sql);
    // Whether the last statement failed because its BEGIN was refused.
    bool beginRefused() const { return m_beginRefused; }

private:
    bool command(const char* sql, const QString& what, const char* refusedStatus = nullptr);
    PGresult* afterBegin(const char* sql, int count, const Oid* types, const char* const* values);

    PGconn* m_connection = nullptr;
    QByteArray m_waitingBegin;
    bool m_beginRefused = false;
};

} // namespace store
