#include "store/Connection.h"
#include "store/PoliciesColumns.h"
#include "store/ServerSchema.h"
#include "store/StoreError.h"

#include "support/ThrowawayServer.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace {
QStringList values(store::Connection& connection, const char* sql)
{
    QSqlQuery query = connection.run(QString::fromUtf8(sql));
    QStringList found;
    while (query.next())
        found << query.value(0).toString();
    return found;
}
} // namespace

class ServerSchemaTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_server.started(), qPrintable(m_server.error())); }

    // An empty server database gets the tables once and the server numbers the rows; every row
    // written raises its table's change count, so an open list can tell that it no longer shows the
    // table; a database of an older program gets the columns it lacks, its rows kept.
    void schemaIsMadeThenCompleted()
    {
        store::Connection connection(store::Place(m_server.createDatabase(QStringLiteral("first"))));
        QVERIFY(!store::serverHasSchema(connection));
        store::completeServerSchema(connection);
        QVERIFY(store::serverHasSchema(connection));
        QCOMPARE(values(connection, "SELECT Version FROM SchemaVersion"), QStringList{"1"});
        QCOMPARE(values(connection, "SELECT indexname FROM pg_indexes WHERE indexname IN "
                                    "('policiesbydba', 'customerwithoutdba') ORDER BY 1"),
                 (QStringList{"customerwithoutdba", "policiesbydba"}));
        for (const char* sql : {"INSERT INTO Policies (DBA) VALUES ('A'), ('B')", "INSERT INTO Agent (Name) VALUES ('A'), ('B')",
                                "UPDATE Agent SET Company = 'C'", "DELETE FROM Agent WHERE Name = 'A'",
                                "INSERT INTO Customer (Name) VALUES ('X')", "ALTER TABLE Policies DROP COLUMN Tax",
                                "ALTER TABLE Customer DROP COLUMN Fax"})
            connection.execute(QString::fromUtf8(sql));
        QCOMPARE(values(connection, "SELECT TableName || ' ' || Changes FROM ListChanges "
                                    "WHERE TableName IN ('Agent', 'Customer') ORDER BY 1"),
                 (QStringList{"Agent 5", "Customer 1"}));
        store::completeServerSchema(connection);
        QCOMPARE(values(connection, "SELECT ID || ' ' || DBA || ' ' || coalesce(Tax, 'NULL') FROM Policies ORDER BY ID"),
                 (QStringList{"1 A NULL", "2 B NULL"}));
        QCOMPARE(connection.database().record(QStringLiteral("policies")).count(), int(store::policiesColumns().size()) + 1);
        QVERIFY(connection.database().record(QStringLiteral("customer")).indexOf(QStringLiteral("Fax")) >= 0);
    }

    // A statement the server refuses is logged without the customer's values
    // it carried: they travel apart from the statement's text.
    void refusedValuesStayOutOfTheLog()
    {
        const store::ServerAddress address = m_server.createDatabase(QStringLiteral("log"));
        {
            store::Connection connection{store::Place(address)};
            store::completeServerSchema(connection);
            connection.execute(QStringLiteral("ALTER TABLE Policies ADD CONSTRAINT refused CHECK (DBA IS NULL)"));
        }
        const QStringList carried{"P-RO1", "Ann Agent", "Carl Customer", "1000"};
        int refused = 0;
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                store::Connection connection{store::Place(address)};
                connection.transaction([&] {
                    connection.run(QStringLiteral("INSERT INTO Policies (PolicyNo1, Agent, DBA, Premium1) "
                                                  "VALUES (?, ?, ?, ?)"),
                                   {carried[0], carried[1], carried[2], carried[3]});
                });
            } catch (const store::StoreError&) {
                ++refused;
            }
        }
        QVERIFY(refused > 0);
        QFile log(m_server.logFile());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QVERIFY2(text.contains("VALUES ($1, $2, $3, $4)"), qPrintable(text));
        for (const QString& value : carried)
            QVERIFY2(!text.contains(value), qPrintable(value + " in the log:\n" + text));
    }

    // A trigger, view or rule of another program's, the program's own count function rewritten, or a
    // contract key that is not an integer key: the office database is refused, not used.
    void foreignPartsAreRefused_data()
    {
        QTest::addColumn<QString>("planted");  // statements separated by |
        QTest::addColumn<QString>("said");
        QTest::newRow("trigger") << "CREATE FUNCTION Fix() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                                    "NEW.Financed := '1.00'; RETURN NEW; END $$|CREATE TRIGGER PlantedFix BEFORE INSERT "
                                    "ON Policies FOR EACH ROW EXECUTE FUNCTION Fix()"
                                 << "Trigger plantedfix on policies was not made by QUILLON.";
        QTest::newRow("own function rewritten")
            << "CREATE OR REPLACE FUNCTION CountListChange() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RETURN NULL; END $$"
            << "Trigger agentcounted on agent was not made by QUILLON.";
        QTest::newRow("view") << "CREATE VIEW Totals AS SELECT count(*) FROM Policies" << "View totals was not made by QUILLON.";
        QTest::newRow("rule") << "CREATE RULE NoDelete AS ON DELETE TO Policies DO INSTEAD NOTHING"
                              << "Rule nodelete on policies was not made by QUILLON.";
        QTest::newRow("text key") << "ALTER TABLE Policies ALTER COLUMN ID DROP IDENTITY|"
                                     "ALTER TABLE Policies ALTER COLUMN ID TYPE TEXT"
                                  << "Policies.ID is not an integer key.";
    }
    void foreignPartsAreRefused()
    {
        QFETCH(QString, planted);
        QFETCH(QString, said);
        static int databases = 0;
        const store::Place place(m_server.createDatabase(QStringLiteral("foreign%1").arg(++databases)));
        store::Connection connection(place);
        store::completeServerSchema(connection);
        for (const QString& statement : planted.split('|'))
            connection.execute(statement);
        QVERIFY(!store::serverHasSchema(connection));
        try {
            store::completeServerSchema(connection);
            QFAIL("the database was taken for the program's");
        } catch (const store::StoreError& error) {
            QVERIFY2(error.description().startsWith("The database is not a QUILLON database.\n") &&
                         error.description().contains(said),
                     qPrintable(error.description()));
        }
    }

private:
    ThrowawayServer m_server;
};

QTEST_GUILESS_MAIN(ServerSchemaTest)
#include "tst_ServerSchema.moc"
