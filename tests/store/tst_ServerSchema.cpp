#include "store/Connection.h"
#include "store/PoliciesColumns.h"
#include "store/ServerSchema.h"
#include "store/StoreError.h"

#include "support/ThrowawayServer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

class ServerSchemaTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_server.started(), qPrintable(m_server.error())); }

    // An empty server database gets the tables once; the server numbers the
    // rows; a second start leaves the schema and its rows alone.
    void emptyDatabaseGetsSchema()
    {
        store::Connection connection(store::Place(m_server.address(QStringLiteral("postgres"))));
        QSqlDatabase& db = connection.database();
        QVERIFY(!store::serverHasSchema(connection));
        store::completeServerSchema(connection);
        QVERIFY(store::serverHasSchema(connection));
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("INSERT INTO Policies (DBA) VALUES ('A'), ('B')")));
        store::completeServerSchema(connection);
        QVERIFY(query.exec(QStringLiteral("SELECT ID FROM Policies ORDER BY ID")));
        QList<qint64> ids;
        while (query.next())
            ids << query.value(0).toLongLong();
        QCOMPARE(ids, (QList<qint64>{1, 2}));
        QCOMPARE(db.record(QStringLiteral("policies")).count(), int(store::policiesColumns().size()) + 1);
        QVERIFY(query.exec(QStringLiteral("SELECT Version FROM SchemaVersion")) && query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QVERIFY(query.exec(QStringLiteral("SELECT 1 FROM pg_indexes WHERE indexname = 'policiesbydba'")));
        QVERIFY(query.next());
    }

    // Every row another agent adds, changes or removes raises that table's
    // count, so an open list can tell that it no longer shows the table.
    void everyWriteRaisesTheListCount()
    {
        store::Connection connection(store::Place(m_server.address(QStringLiteral("postgres"))));
        QSqlQuery query(connection.database());
        const auto count = [&](const char* table) {
            query.prepare(QStringLiteral("SELECT Changes FROM ListChanges WHERE TableName = ?"));
            query.addBindValue(QString::fromLatin1(table));
            return query.exec() && query.next() ? query.value(0).toLongLong() : -1;
        };
        QCOMPARE(count("Agent"), 0);
        QCOMPARE(count("Customer"), 0);
        QVERIFY(query.exec(QStringLiteral("INSERT INTO Agent (Name) VALUES ('A'), ('B')")));
        QVERIFY(query.exec(QStringLiteral("UPDATE Agent SET Company = 'C'")));
        QVERIFY(query.exec(QStringLiteral("DELETE FROM Agent WHERE Name = 'A'")));
        QCOMPARE(count("Agent"), 5);
        QCOMPARE(count("Customer"), 0);
        QVERIFY(query.exec(QStringLiteral("INSERT INTO Customer (Name) VALUES ('X')")));
        QCOMPARE(count("Customer"), 1);
        QCOMPARE(count("Agent"), 5);
        QVERIFY(query.exec(QStringLiteral("SELECT 1 FROM pg_indexes WHERE indexname = 'customerwithoutdba'")));
        QVERIFY(query.next());
    }

    // A database made by an older program gets the columns it lacks, its rows kept.
    void olderDatabaseGetsMissingColumns()
    {
        store::Connection connection(store::Place(m_server.address(QStringLiteral("postgres"))));
        connection.execute(QStringLiteral("ALTER TABLE Policies DROP COLUMN Tax"));
        connection.execute(QStringLiteral("ALTER TABLE Customer DROP COLUMN Fax"));
        store::completeServerSchema(connection);
        QSqlQuery query = connection.run(QStringLiteral("SELECT DBA, Tax FROM Policies ORDER BY ID"));
        QStringList rows;
        while (query.next())
            rows << query.value(0).toString() + '|' + (query.value(1).isNull() ? "NULL" : "?");
        QCOMPARE(rows, (QStringList{"A|NULL", "B|NULL"}));
        QVERIFY(connection.database().record(QStringLiteral("customer")).indexOf(QStringLiteral("Fax")) >= 0);
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
