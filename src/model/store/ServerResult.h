#pragma once

#include <QList>
#include <QSqlResult>

#include <libpq-fe.h>

namespace store {

class ServerDriver;

// One statement on the office server and the rows it gave. The whole result
// is in memory once it is run, so rows can be visited in any order.
class ServerResult : public QSqlResult {
public:
    explicit ServerResult(const ServerDriver* driver);
    ~ServerResult() override;

protected:
    QVariant data(int field) override;
    bool isNull(int field) override;
    bool reset(const QString& sql) override;
    bool prepare(const QString& sql) override;
    bool exec() override;
    bool fetch(int row) override;
    bool fetchFirst() override;
    bool fetchLast() override;
    int size() override;
    int numRowsAffected() override;
    QSqlRecord record() const override;
    QVariant handle() const override;
    void detachFromResultSet() override;

private:
    ServerDriver* owner() const;
    PGconn* connection() const;
    void clearResult();
    // Takes the libpq result of a statement just sent; false (and the
    // server's error) when it failed.
    bool take(PGresult* result);

    PGresult* m_result = nullptr;
    int m_rows = 0;
    // The prepared text with $1, $2, ... where the statement had ?.
    QByteArray m_prepared;
};

} // namespace store
