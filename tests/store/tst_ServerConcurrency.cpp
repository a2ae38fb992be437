#include "store/Connection.h"
#include "store/CustomerTable.h"
#include "store/PoliciesColumns.h"
#include "store/PoliciesTable.h"
#include "store/ServerSchema.h"
#include "store/StoreError.h"

#include "support/ThrowawayServer.h"

#include <QElapsedTimer>
#include <QtTest>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

// Every column of contract n of saver s, so that a row mixed from two saves shows.
QStringList contractTexts(int saver, int n)
{
    QStringList texts;
    for (const QString& column : store::policiesColumns())
        texts << QStringLiteral("%1/%2/%3").arg(column).arg(saver).arg(n);
    return texts;
}

// Failures seen on other threads, reported by the test's own thread.
struct Problems {
    std::mutex lock;
    QStringList seen;
    void add(const QString& problem)
    {
        const std::lock_guard<std::mutex> guard(lock);
        seen << problem;
    }
};

} // namespace

// Several agents' programs on one office server at the same time.
class ServerConcurrencyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_server.started(), qPrintable(m_server.error())); }

    // Four programs saving 500 contracts each at once: every save lands as its
    // own whole row with its own ID, and none waits long.
    void simultaneousSavesAllLand()
    {
        const store::Place place(m_server.createDatabase(QStringLiteral("saves")));
        {
            store::Connection connection(place);
            store::completeServerSchema(connection);
        }
        constexpr int kSavers = 4, kEach = 500;
        Problems problems;
        std::atomic<qint64> slowestMs{0};
        std::vector<std::thread> savers;
        for (int saver = 0; saver < kSavers; ++saver) {
            savers.emplace_back([&, saver] {
                for (int n = 0; n < kEach; ++n) {
                    QElapsedTimer timer;
                    timer.start();
                    try {
                        if (store::appendPolicy(place, store::policiesColumns(), contractTexts(saver, n)) <= 0)
                            problems.add(QStringLiteral("no ID for %1/%2").arg(saver).arg(n));
                    } catch (const store::StoreError& error) {
                        problems.add(error.message());
                    }
                    qint64 seen = slowestMs.load();
                    while (timer.elapsed() > seen && !slowestMs.compare_exchange_weak(seen, timer.elapsed())) {
                    }
                }
                store::closeThreadConnections();
            });
        }
        for (std::thread& saver : savers)
            saver.join();
        QVERIFY2(problems.seen.isEmpty(), qPrintable(problems.seen.join('\n')));
        QVERIFY2(slowestMs.load() < 5000, qPrintable(QString::number(slowestMs.load())));

        store::Connection connection(place);
        QSqlQuery rows = connection.run(QStringLiteral("SELECT ID, %1 FROM Policies ORDER BY ID")
                                            .arg(store::policiesColumns().join(QStringLiteral(", "))));
        QSet<QString> contracts;
        qint64 lastId = 0;
        while (rows.next()) {
            QVERIFY(rows.value(0).toLongLong() > lastId);
            lastId = rows.value(0).toLongLong();
            const QStringList first = rows.value(1).toString().split('/');
            QCOMPARE(first.size(), 3);
            const QStringList expected = contractTexts(first[1].toInt(), first[2].toInt());
            for (int column = 0; column < expected.size(); ++column)
                QCOMPARE(rows.value(column + 1).toString(), expected[column]);
            contracts.insert(first[1] + '/' + first[2]);
        }
        QCOMPARE(contracts.size(), kSavers * kEach);
    }

    // Two programs editing and deleting customers they chose, by key, while a
    // third lists them: every list is one consistent state, no row changes
    // that nobody chose, and an edit of a row another program deleted
    // touches nothing.
    void editsAndDeletesTouchOnlyTheChosenRows()
    {
        const store::Place place(m_server.createDatabase(QStringLiteral("lists")));
        {
            store::Connection connection(place);
            store::completeServerSchema(connection);
        }
        const store::PeopleTable customers = store::customerTable(place);
        constexpr int kRows = 300;
        QList<store::RowKey> keys;
        for (int n = 0; n < kRows; ++n)
            keys << customers.insert({QStringLiteral("Name %1").arg(n), QStringLiteral("DBA %1").arg(n)}).key;
        const auto chosenForEdit = [](int n) { return n % 3 == 1; };
        const auto chosenForDelete = [](int n) { return n % 3 == 2; };

        Problems problems;
        std::atomic<bool> writing{true};
        std::thread editor([&] {
            for (int n = 0; n < kRows; ++n)
                if (chosenForEdit(n))
                    customers.update(keys[n], {QString(), QStringLiteral("Edited %1").arg(n)});
            store::closeThreadConnections();
        });
        std::thread deleter([&] {
            for (int n = kRows - 1; n >= 0; --n)
                if (chosenForDelete(n))
                    customers.remove(keys[n]);
            store::closeThreadConnections();
        });
        std::thread lister([&] {
            qsizetype lastCount = kRows + 1;
            while (writing.load()) {
                const store::ListRead read = customers.readLines();
                if (read.lines.size() > lastCount)
                    problems.add(QStringLiteral("a deleted row came back"));
                lastCount = read.lines.size();
                for (qsizetype line = 0; line < read.lines.size(); ++line) {
                    const int n = keys.indexOf(read.lines.key(line));
                    const QString text = read.lines.text(line);
                    if (n < 0 || (text != QStringLiteral("DBA %1").arg(n)
                                  && !(chosenForEdit(n) && text == QStringLiteral("Edited %1").arg(n))))
                        problems.add(QStringLiteral("line %1 reads %2").arg(line).arg(text));
                }
            }
            store::closeThreadConnections();
        });
        editor.join();
        deleter.join();
        writing = false;
        lister.join();
        QVERIFY2(problems.seen.isEmpty(), qPrintable(problems.seen.mid(0, 5).join('\n')));

        // An edit of a line whose row another program deleted finds no row.
        QCOMPARE(customers.update(keys[2], {QStringLiteral("Late"), QStringLiteral("Late")}).kind,
                 store::RowChange::Kind::None);
        const store::ListRead final = customers.readLines();
        QStringList expected;
        for (int n = 0; n < kRows; ++n) {
            if (chosenForDelete(n))
                continue;
            expected << (chosenForEdit(n) ? QStringLiteral("Edited %1") : QStringLiteral("DBA %1")).arg(n);
        }
        QStringList shown;
        for (qsizetype line = 0; line < final.lines.size(); ++line)
            shown << final.lines.text(line);
        QCOMPARE(shown, expected);
        QCOMPARE(*final.changes, qint64(kRows + kRows / 3 + kRows / 3));
    }

private:
    ThrowawayServer m_server;
};

QTEST_GUILESS_MAIN(ServerConcurrencyTest)
#include "tst_ServerConcurrency.moc"
