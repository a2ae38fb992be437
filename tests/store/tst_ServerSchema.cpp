#include "store/PoliciesColumns.h"
#include "store/ServerSchema.h"

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
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("schema"));
        db.setHostName(m_server.socketFolder());
        db.setPort(m_server.port());
        db.setUserName(m_server.user());
        db.setDatabaseName(QStringLiteral("postgres"));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QVERIFY(!store::serverHasSchema(db));
        QCOMPARE(store::completeServerSchema(db), QString());
        QVERIFY(store::serverHasSchema(db));
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("INSERT INTO Policies (DBA) VALUES ('A'), ('B')")));
        QCOMPARE(store::completeServerSchema(db), QString());
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

private:
    ThrowawayServer m_server;
};

QTEST_GUILESS_MAIN(ServerSchemaTest)
#include "tst_ServerSchema.moc"
