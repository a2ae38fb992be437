#include "model/store/ServerValues.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace store::server {

namespace {
// PostgreSQL's type numbers (pg_type.oid) for the types told apart here.
constexpr Oid kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700,
              kFloat8 = 701, kDate = 1082, kTime = 1083, kTimestamp = 1114, kTimestampTz = 1184,
              kNumeric = 1700;
} // namespace

QByteArray numberedPlaceholders(const QString& sql)
{
    QString numbered;
    numbered.reserve(sql.size() + 16);
    QChar quote;
    int next = 1;
    for (const QChar ch : sql) {
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
        } else if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            quote = ch;
        } else if (ch == QLatin1Char('?')) {
            numbered += QLatin1Char('$') + QString::number(next++);
            continue;
        }
        numbered += ch;
    }
    return numbered.toUtf8();
}

Parameter parameter(const QVariant& value)
{
    if (value.isNull())
        return {0, {}, true};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return {kBool, value.toBool() ? "true" : "false"};
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
        return {kInt8, QByteArray::number(value.toLongLong())};
    case QMetaType::ULongLong:
        return {kNumeric, QByteArray::number(value.toULongLong())};
    case QMetaType::Float:
    case QMetaType::Double:
        return {kFloat8, QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest)};
    case QMetaType::QByteArray:
        return {kBytea, "\\x" + value.toByteArray().toHex()};
    case QMetaType::QDate:
        return {0, value.toDate().toString(Qt::ISODate).toLatin1()};
    case QMetaType::QDateTime:
        return {0, value.toDateTime().toString(Qt::ISODateWithMs).toLatin1()};
    default:
        return {0, value.toString().toUtf8()};
    }
}

QMetaType fieldType(Oid type)
{
    switch (type) {
    case kBool:
        return QMetaType::fromType<bool>();
    case kInt8:
        return QMetaType::fromType<qlonglong>();
    case kInt2:
    case kInt4:
        return QMetaType::fromType<int>();
    case kOid:
        return QMetaType::fromType<uint>();
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return QMetaType::fromType<double>();
    case kBytea:
        return QMetaType::fromType<QByteArray>();
    case kDate:
        return QMetaType::fromType<QDate>();
    case kTime:
        return QMetaType::fromType<QTime>();
    case kTimestamp:
    case kTimestampTz:
        return QMetaType::fromType<QDateTime>();
    default:
        return QMetaType::fromType<QString>();
    }
}

QVariant fieldValue(Oid type, const char* text, int length)
{
    const QByteArray bytes = QByteArray::fromRawData(text, length);
    switch (type) {
    case kBool:
        return bytes == "t";
    case kInt8:
        return bytes.toLongLong();
    case kInt2:
    case kInt4:
        return bytes.toInt();
    case kOid:
        return bytes.toUInt();
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return bytes.toDouble();
    case kBytea: {
        size_t size = 0;
        unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        const QByteArray value(reinterpret_cast<const char*>(raw), qsizetype(size));
        PQfreemem(raw);
        return value;
    }
    case kDate:
        return QDate::fromString(QString::fromLatin1(bytes), Qt::ISODate);
    case kTime:
        return QTime::fromString(QString::fromLatin1(bytes), Qt::ISODateWithMs);
    case kTimestamp:
    case kTimestampTz:
        return QDateTime::fromString(QString::fromLatin1(bytes), Qt::ISODateWithMs);
    default:
        return QString::fromUtf8(bytes);
    }
}

QSqlError error(const QString& what, PGconn* connection, const PGresult* result, QSqlError::ErrorType type)
{
    const char* message = result ? PQresultErrorMessage(result) : nullptr;
    if (!message || !*message)
        message = connection ? PQerrorMessage(connection) : "no connection to the server";
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    return QSqlError(what, QString::fromUtf8(message).trimmed(), type,
                     state ? QString::fromLatin1(state) : QString());
}

} // namespace store::server
