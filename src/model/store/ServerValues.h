#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QSqlError>
#include <QString>
#include <QVariant>

#include <libpq-fe.h>

// How values cross between Qt SQL and libpq's text format on the office server.
namespace store::server {

// The statement with PostgreSQL's $1, $2, ... for each ? outside quotes, as UTF-8.
QByteArray numberedPlaceholders(const QString& sql);

// A bound value as libpq sends it: text, or null. Numbers and truths carry
// their type; everything else is left for the server to infer from where it
// stands, as a quoted literal would be.
struct Parameter {
    Oid type = 0;
    QByteArray text;
    bool null = false;
};
Parameter parameter(const QVariant& value);

// The Qt type of a column of this PostgreSQL type.
QMetaType fieldType(Oid type);
// A field's text as the value of its column's type.
QVariant fieldValue(Oid type, const char* text, int length);

// The failure in the server's own words, with its SQLSTATE as the error code.
QSqlError error(const QString& what, PGconn* connection, const PGresult* result,
                QSqlError::ErrorType type = QSqlError::StatementError);

} // namespace store::server
