#include "store/Connection.h"
#include "store/StoreError.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// Every failure carries SQLite's own extended code and text, also where Qt's
// driver drops them (BEGIN and COMMIT), and a failed transaction leaves nothing.
class StoreErrorsTest : public QObject {
    Q_OBJECT
private slots:
    void failureCarriesTheStoresOwnCode_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<std::function<void(store::Connection&)>>("work");
        QTest::addColumn<QString>("message");
        QTest::newRow("begin inside a transaction") << QString()
            << std::function<void(store::Connection&)>([](store::Connection& c) {
                   c.run("BEGIN");
                   c.transaction([&] { c.run("INSERT INTO Child VALUES (1, NULL, NULL)"); });
               })
            << "Error 1: cannot start a transaction within a transaction";
        QTest::newRow("commit refused by a deferred key") << "PRAGMA foreign_keys = ON"
            << std::function<void(store::Connection&)>([](store::Connection& c) {
                   c.transaction([&] { c.run("INSERT INTO Child VALUES (1, 99, NULL)"); });
               })
            << "Error 787: FOREIGN KEY constraint failed";
        QTest::newRow("file full") << "PRAGMA max_page_count = 3"
            << std::function<void(store::Connection&)>([](store::Connection& c) {
                   c.transaction([&] { c.run("INSERT INTO Child VALUES (1, NULL, ?)", {QByteArray(20000, 'x')}); });
               })
            << "Error 13: database or disk is full";
        QTest::newRow("statement refused by a trigger") << QString()
            << std::function<void(store::Connection&)>([](store::Connection& c) {
                   c.run("CREATE TEMP TRIGGER refuse BEFORE INSERT ON Child BEGIN SELECT RAISE(ABORT, 'refused'); END");
                   c.transaction([&] { c.run("INSERT INTO Child VALUES (1, NULL, NULL)"); });
               })
            << "Error 1811: refused";
    }
    void failureCarriesTheStoresOwnCode()
    {
        QFETCH(QString, setUp);
        QFETCH(std::function<void(store::Connection&)>, work);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("x.mdb");
        QFile(path).open(QIODevice::WriteOnly);
        {
            store::Connection connection(path);
            connection.run("CREATE TABLE Parent (Id INTEGER PRIMARY KEY)");
            connection.run("CREATE TABLE Child (Id INTEGER, ParentId INTEGER REFERENCES Parent (Id) "
                           "DEFERRABLE INITIALLY DEFERRED, Data BLOB)");
        }
        QString shown;
        try {
            store::Connection connection(path);
            if (!setUp.isEmpty())
                connection.run(setUp);
            work(connection);
        } catch (const store::StoreError& error) {
            shown = error.message();
        }
        QCOMPARE(shown, message);
        store::Connection connection(path);
        QSqlQuery count = connection.run("SELECT count(*) FROM Child");
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), 0);
    }

    // The server's words as libpq gives them, shown on clean lines with the SQLSTATE.
    void serverTextOnCleanLines_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("connection closed, hint indented with tabs") << "08006"
            << "server closed the connection unexpectedly\n\tThis probably means the server terminated abnormally\n"
               "\tbefore or while processing the request.\n"
            << "Error 08006: server closed the connection unexpectedly This probably means the server "
               "terminated abnormally before or while processing the request.";
        QTest::newRow("severity and an empty ()") << "57P01"
            << "FATAL:  terminating connection due to administrator command\n()"
            << "Error 57P01: terminating connection due to administrator command";
        QTest::newRow("detail on its own line") << "23505"
            << "ERROR:  duplicate key value violates unique constraint \"x\"\nDETAIL:  Key (a)=(1) already exists.\n"
            << "Error 23505: duplicate key value violates unique constraint \"x\"\nDETAIL:  Key (a)=(1) already exists.";
    }
    void serverTextOnCleanLines()
    {
        QFETCH(QString, state);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(store::StoreError(state, text).message(), message);
    }
};

QTEST_MAIN(StoreErrorsTest)
#include "tst_StoreErrors.moc"
