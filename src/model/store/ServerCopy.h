#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace store {

class Connection;

// Rows streamed into a table of the office server with COPY: one round trip
// for many rows instead of one per row. The rows go in COPY's text form, a
// batch per statement so that none runs longer than the server's bound on a
// statement. Used inside the caller's transaction, which a failure spoils.
class ServerCopyIn {
public:
    ServerCopyIn(Connection& server, const QString& table, const QStringList& columns);
    // Adds one row: a value for each column, NULL as an invalid or null QVariant.
    void add(const QVariantList& values);
    // Sends what is still held. Throws StoreError, as add may.
    void finish();

private:
    void send();

    Connection& m_server;
    QByteArray m_statement;
    QByteArray m_batch;
    int m_rows = 0;
};

// A value in COPY's text form: NULL as \N, and the backslash, tab, newline and
// carriage return escaped so that no text can end its field or row.
QByteArray copyText(const QVariant& value);

} // namespace store
