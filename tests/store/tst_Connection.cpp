#include "store/Connection.h"
#include "store/PoliciesColumns.h"
#include "store/Schema.h"
#include "store/StoreError.h"

#include <QFile>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

class ConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void newDatabaseHasTheThreeTables();
    void emptyFileGetsTheSchema();
    void missingFileIsAnErrorAndIsNotCreated();
    void fileThatIsNotADatabaseIsRefusedUntouched();
    void failedTransactionLeavesNothing();
    void emptyTextIsStoredAsNullAndReadAsEmpty();

private:
    QTemporaryDir m_dir;
};

void ConnectionTest::newDatabaseHasTheThreeTables()
{
    const QString path = m_dir.filePath("new.mdb");
    store::createDatabase(path);
    store::Connection connection(path);
    for (const char* table : {"Agent", "Customer", "Policies"}) {
        QSqlQuery query = connection.run(QStringLiteral("SELECT * FROM %1").arg(table));
        QVERIFY2(!query.next(), table);
    }
    const QSqlRecord policies = connection.database().record("Policies");
    QCOMPARE(policies.count(), 1 + store::policiesColumns().size());
    QCOMPARE(store::policiesColumns().size(), 81);
    QVERIFY(policies.contains("ID"));
    QVERIFY(policies.contains("Down"));
    QSqlQuery version = connection.run("PRAGMA user_version");
    QVERIFY(version.next());
    QCOMPARE(version.value(0).toInt(), store::kSchemaVersion);
}

void ConnectionTest::emptyFileGetsTheSchema()
{
    const QString path = m_dir.filePath("zero.mdb");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    store::ensureSchema(path);
    store::Connection connection(path);
    QVERIFY(connection.database().tables().contains("Policies"));
}

void ConnectionTest::missingFileIsAnErrorAndIsNotCreated()
{
    const QString path = m_dir.filePath("gone.mdb");
    QVERIFY_THROWS_EXCEPTION(store::StoreError, store::Connection{path});
    QVERIFY(!QFile::exists(path));
}

void ConnectionTest::fileThatIsNotADatabaseIsRefusedUntouched()
{
    const QString path = m_dir.filePath("letter.mdb");
    const QByteArray content(4096, 'x');
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    try {
        store::ensureSchema(path);
        QFAIL("a text file was taken for a database");
    } catch (const store::StoreError& error) {
        QCOMPARE(error.number(), 26);
        QVERIFY(error.message().startsWith("Error 26: "));
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void ConnectionTest::failedTransactionLeavesNothing()
{
    const QString path = m_dir.filePath("tx.mdb");
    store::createDatabase(path);
    {
        store::Connection connection(path);
        QVERIFY_THROWS_EXCEPTION(store::StoreError, connection.transaction([&] {
            connection.run("INSERT INTO Agent (Name) VALUES (?)", {"Jo"});
            connection.run("INSERT INTO NoSuchTable (Name) VALUES (?)", {"Jo"});
        }));
    }
    store::Connection connection(path);
    QSqlQuery count = connection.run("SELECT count(*) FROM Agent");
    QVERIFY(count.next());
    QCOMPARE(count.value(0).toInt(), 0);
}

void ConnectionTest::emptyTextIsStoredAsNullAndReadAsEmpty()
{
    const QString path = m_dir.filePath("null.mdb");
    store::createDatabase(path);
    store::Connection connection(path);
    connection.run("INSERT INTO Agent (Name, Company) VALUES (?, ?)",
                   {store::nullIfEmpty(""), store::nullIfEmpty("Acme")});
    QSqlQuery query = connection.run("SELECT Name, Company, Name IS NULL FROM Agent");
    QVERIFY(query.next());
    QCOMPARE(store::textOf(query.value(0)), QString());
    QCOMPARE(store::textOf(query.value(1)), QString("Acme"));
    QCOMPARE(query.value(2).toInt(), 1);
}

QTEST_GUILESS_MAIN(ConnectionTest)
#include "tst_Connection.moc"
