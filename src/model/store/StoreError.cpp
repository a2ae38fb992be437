#include "model/store/StoreError.h"

#include "model/store/CleanEnd.h"
#include "model/store/FileHealth.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QStringList>

namespace store {

StoreError::StoreError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_code(QString::number(number)),
      m_description(cleanStoreText(description))
{
    // Every failure of the file passes here: one that says a file is damaged
    // keeps the run from vouching for its file at the end.
    if (isDamage(number))
        noteDamageMet();
}

StoreError::StoreError(const QString& sqlState, const QString& description)
    : std::runtime_error(description.toStdString()), m_code(sqlState), m_description(cleanStoreText(description))
{
}

StoreError StoreError::from(const QSqlError& error)
{
    QString description = error.databaseText();
    if (description.trimmed().isEmpty())
        description = error.driverText();
    if (description.trimmed().isEmpty())
        description = QStringLiteral("The database gave no words for this failure.");
    bool isNumber = false;
    const int number = error.nativeErrorCode().toInt(&isNumber);
    if (isNumber)
        return StoreError(number, description);
    // The server's SQLSTATE; a failure the driver saw before the server
    // answered anything is a broken connection.
    const QString state = error.nativeErrorCode().isEmpty() ? QStringLiteral("08006") : error.nativeErrorCode();
    return StoreError(state, description);
}

QString StoreError::message() const
{
    // A failure the program itself found (a folder it could not make) has no
    // code of the store's to show.
    if (m_number == -1)
        return m_description;
    return QStringLiteral("Error %1: %2").arg(m_code, m_description);
}

QString cleanStoreText(const QString& text)
{
    static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL|PANIC):\\s+"));
    static const QRegularExpression driverName(QStringLiteral("^QPSQL:\\s*"));
    QStringList lines;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        QString line = raw.trimmed();
        line.remove(severity).remove(driverName);
        while (line.endsWith(QStringLiteral("()")))
            line = line.chopped(2).trimmed();
        if (line.isEmpty())
            continue;
        const bool continues = raw.startsWith(QLatin1Char('\t')) || raw.startsWith(QLatin1Char(' '));
        if (continues && !lines.isEmpty())
            lines.last() += QLatin1Char(' ') + line;
        else
            lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace store
