#include "app/DatabaseCheck.h"

#include "store/Backup.h"
#include "store/Connection.h"
#include "store/FileHealth.h"
#include "store/Schema.h"
#include "store/StoreError.h"

#include <QDir>

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString notOurs(const QString& path)
{
    return shown(path) + QStringLiteral(" is not a QUILLON database.");
}

} // namespace

QString damagedDatabaseMessage(const QString& path)
{
    const QString folder = shown(store::backupFolder(path));
    QString text = shown(path) + QStringLiteral(" is damaged and cannot be used.\n");
    if (store::existingBackups(path).isEmpty())
        return text + QStringLiteral("No backup of it has been taken yet; backups are kept in ") + folder +
               QLatin1Char('.');
    return text + QStringLiteral("The latest backup is in ") + folder + QLatin1Char('.');
}

QString backupFailedMessage(const QString& path, const QString& storeMessage)
{
    return QStringLiteral("The daily backup of ") + shown(path) + QStringLiteral(" could not be written to ") +
           shown(store::backupFolder(path)) + QStringLiteral(".\n") + storeMessage;
}

QString serverUnreachableMessage(const store::ServerAddress& server, const QString& serverText)
{
    // libpq indents its hints with a tab; the box shows each line as it comes.
    QStringList lines;
    for (const QString& line : serverText.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return QStringLiteral("The office database on ") + server.displayName() +
           QStringLiteral(" cannot be opened.\n") + lines.join(QLatin1Char('\n')) +
           QStringLiteral("\nProgram cannot continue.");
}

std::optional<QString> databaseProblem(const QString& path)
{
    if (store::hasAccessSignature(path))
        return shown(path) + QStringLiteral(" is an Access database; QUILLON keeps its data in its own database file.");
    try {
        store::Connection connection(path);
        if (!store::fileProblems(connection).isEmpty())
            return damagedDatabaseMessage(path);
        if (store::inspectSchema(connection).state == store::SchemaState::Foreign)
            return notOurs(path);
    } catch (const store::StoreError& error) {
        if (store::isDamage(error.number()))
            return damagedDatabaseMessage(path);
        if (store::isNotADatabase(error.number()))
            return notOurs(path) + QLatin1Char('\n') + error.message();
        return error.message();
    }
    return std::nullopt;
}
