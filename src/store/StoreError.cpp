#include "store/StoreError.h"

#include <QSqlError>

namespace store {

StoreError::StoreError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

StoreError StoreError::from(const QSqlError& error)
{
    bool ok = false;
    int number = error.nativeErrorCode().toInt(&ok);
    if (!ok)
        number = -1;
    QString description = error.databaseText();
    if (description.isEmpty())
        description = error.text();
    if (description.isEmpty())
        description = QStringLiteral("Unknown database error");
    return StoreError(number, description);
}

QString StoreError::message() const
{
    return QStringLiteral("Error %1: %2").arg(m_number).arg(m_description);
}

} // namespace store
