#include "support/TestDatabase.h"

#include "model/store/Connection.h"
#include "model/store/Schema.h"
#include "model/store/ServerSchema.h"
#include "support/ThrowawayServer.h"

#include <QSqlRecord>
#include <QtTest>

namespace testdb {

ThrowawayServer& server()
{
    // Made on first use, stopped when the program ends, also after failed tests.
    static ThrowawayServer instance;
    if (!instance.started())
        qFatal("the throwaway server did not start: %s", qPrintable(instance.error()));
    return instance;
}

QStringList columnOf(const store::Place& place, const QString& table, const QString& columns)
{
    store::Connection connection(place);
    const QString key = table == QLatin1String("Policies") ? QStringLiteral("ID") : QStringLiteral("RowKey");
    QSqlQuery query = connection.run(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(columns, table, key));
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QString firstValue(const store::Place& place, const QString& sql)
{
    store::Connection connection(place);
    QSqlQuery query = connection.run(sql);
    return query.next() ? query.value(0).toString() : QStringLiteral("<none>");
}

bool onServer()
{
    return qEnvironmentVariable("QUILLON_TEST_BACKEND") == QLatin1String("server");
}

store::Place freshDatabase(const QString& filePath)
{
    if (!onServer()) {
        store::createDatabase(filePath);
        return store::Place(filePath);
    }
    static int made = 0;
    return freshDatabaseOn(server(), QStringLiteral("test%1").arg(++made));
}

store::Place freshDatabaseOn(ThrowawayServer& server, const QString& dbname)
{
    const store::ServerAddress address = server.createDatabase(dbname);
    if (!address.namesServer())
        qFatal("no database on the throwaway server: %s", qPrintable(server.error()));
    const store::Place place(address);
    store::Connection connection(place);
    store::completeServerSchema(connection);
    return place;
}

QString serverSection(const store::Place& place)
{
    if (!place.isServer())
        return {};
    return QStringLiteral("[server]\nhost=%1\nport=%2\ndbname=%3\nuser=%4\n")
        .arg(place.server.host).arg(place.server.port).arg(place.server.dbname, place.server.user);
}

} // namespace testdb
