#include "model/store/Connection.h"
#include "model/store/StoreError.h"
#include "support/TestDatabase.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <future>
#include <thread>

using Work = std::function<void(store::Connection&)>;

// Every failure carries the store's own code and text, also where Qt's driver drops them (BEGIN and
// COMMIT), on clean lines; a failed transaction leaves nothing.
class StoreErrorsTest : public QObject {
    Q_OBJECT
private slots:
    void fileFailureCarriesItsOwnCode_data()
    {
        QTest::addColumn<Work>("work");
        QTest::addColumn<QString>("message");
        const auto insert = [](const QString& before, const QVariantList& row) {
            return Work([=](store::Connection& c) {
                if (!before.isEmpty())
                    c.run(before);
                c.transaction([&] { c.run("INSERT INTO Child VALUES (?, ?, ?)", {row[0], row[1], row[2]}); });
            });
        };
        QTest::newRow("begin inside a transaction")
            << insert("BEGIN", {1, {}, {}}) << "Error 1: cannot start a transaction within a transaction";
        QTest::newRow("commit refused by a deferred key")
            << insert("PRAGMA foreign_keys = ON", {1, 99, {}}) << "Error 787: FOREIGN KEY constraint failed";
        QTest::newRow("file full") << insert("PRAGMA max_page_count = 3", {1, {}, QByteArray(20000, 'x')})
                                   << "Error 13: database or disk is full";
        QTest::newRow("statement refused by a trigger")
            << insert("CREATE TEMP TRIGGER refuse BEFORE INSERT ON Child BEGIN SELECT RAISE(ABORT, 'refused'); END",
                      {1, {}, {}})
            << "Error 1811: refused";
        // Another program holds the file past the wait: the write gives up.
        QTest::newRow("file held past the wait") << Work([](store::Connection& c) {
            store::Connection other(c.database().databaseName());
            other.run("BEGIN EXCLUSIVE");
            store::setFileLockWait(500);
            auto cleanUp = qScopeGuard([] { store::setFileLockWait(0); });
            c.transaction([&] { c.run("INSERT INTO Child VALUES (1, NULL, NULL)"); });
        }) << "Error 5: database is locked";
    }
    void fileFailureCarriesItsOwnCode()
    {
        QFETCH(Work, work);
        QTemporaryDir dir;
        const QString path = dir.filePath("x.mdb");
        QFile(path).open(QIODevice::WriteOnly);
        store::Connection(path).run("CREATE TABLE Parent (Id INTEGER PRIMARY KEY)");
        store::Connection(path).run("CREATE TABLE Child (Id INTEGER, ParentId INTEGER REFERENCES Parent (Id) "
                                    "DEFERRABLE INITIALLY DEFERRED, Data BLOB)");
        QString shown;
        try {
            store::Connection connection(path);
            work(connection);
        } catch (const store::StoreError& error) {
            shown = error.message();
        }
        QTEST(shown, "message");
        QCOMPARE(testdb::firstValue(path, "SELECT count(*) FROM Child"), QString("0"));
    }

    // Another program holding the file for a moment, also one that reads before it writes, is waited for:
    // the write goes in once it lets go, however busy the machine (the wait's bound is far beyond the moment).
    void writeWaitsForAFileHeldAMoment()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("x.mdb");
        QFile(path).open(QIODevice::WriteOnly);
        store::Connection(path).run("CREATE TABLE Child (Id INTEGER)");
        std::promise<void> held;
        std::thread holder([&] {
            {
                store::Connection other(path);
                other.transaction([&] {
                    other.run("SELECT count(*) FROM Child");
                    held.set_value();
                    std::this_thread::sleep_for(std::chrono::milliseconds(300));
                    other.run("INSERT INTO Child VALUES (2)");
                });
            }
            store::closeThreadConnections();
        });
        auto joined = qScopeGuard([&] { holder.join(); });
        held.get_future().wait();
        store::Connection writer(path);
        writer.transaction([&] { writer.run("SELECT count(*) FROM Child"); writer.run("INSERT INTO Child VALUES (1)"); });
        QCOMPARE(testdb::firstValue(path, "SELECT count(*) FROM Child"), QString("2"));
    }

    // The server's words as libpq gives them.
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
        QTEST(store::StoreError(state, text).message(), "message");
    }
};

QTEST_MAIN(StoreErrorsTest)
#include "tst_StoreErrors.moc"
