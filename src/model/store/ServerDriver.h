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

private:
    bool command(const char* sql, const QString& what, const char* refusedStatus = nullptr);

    PGconn* m_connection = nullptr;
};

} // namespace store
