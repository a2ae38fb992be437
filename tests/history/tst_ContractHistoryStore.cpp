#include "history/ContractHistoryStore.h"
#include "history/HistoryFixture.h"
#include "history/RunText.h"

#include <QtTest>

using history::ListedContract;

class ContractHistoryStoreTest : public QObject {
    Q_OBJECT
private slots:
    void listsExactlyTheCustomersRowsInSavingOrder_data();
    void listsExactlyTheCustomersRowsInSavingOrder();
    void cellsShowTheStoredTexts();
    void runIsShownAsUsDateAndTime_data();
    void runIsShownAsUsDateAndTime();
    void listIsServedByTheIndexWithoutSorting();
    void copyDuplicatesEveryColumnButIdAndRun_data();
    void copyDuplicatesEveryColumnButIdAndRun();
    void copyOfAVanishedRowAddsNothing();
    void deleteRemovesOnlyThatRow();
    void readBackKeepsNullsApart();
};

void ContractHistoryStoreTest::listsExactlyTheCustomersRowsInSavingOrder_data()
{
    // Stored DBA of each row in saving order (a null QVariant is a NULL DBA),
    // the name asked for, and the positions of the rows that must be listed.
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QList<int>>("listed");

    const QVariant null;
    QTest::newRow("only the customer's own rows") << QVariantList{"Acme", "Beta", "Acme"} << "Acme"
                                                  << QList<int>{0, 2};
    QTest::newRow("other letter case is another customer")
        << QVariantList{"ACME", "Acme", "acme"} << "Acme" << QList<int>{1};
    QTest::newRow("trailing blank is another customer")
        << QVariantList{"Acme ", "Acme"} << "Acme" << QList<int>{1};
    QTest::newRow("null DBA never matches a name") << QVariantList{null, "Acme"} << "Acme"
                                                   << QList<int>{1};
    QTest::newRow("null DBA never matches an empty name") << QVariantList{null} << "" << QList<int>{};
    QTest::newRow("customer without contracts") << QVariantList{"Beta"} << "Acme" << QList<int>{};
    QTest::newRow("interleaved customers keep saving order")
        << QVariantList{"Acme", "Beta", "Acme", "Beta", "Acme"} << "Acme" << QList<int>{0, 2, 4};
    QTest::newRow("quote and percent are plain text")
        << QVariantList{"O'Hara %", "O'Hara x"} << "O'Hara %" << QList<int>{0};
}

void ContractHistoryStoreTest::listsExactlyTheCustomersRowsInSavingOrder()
{
    QFETCH(QVariantList, stored);
    QFETCH(QString, asked);
    QFETCH(QList<int>, listed);

    TempDatabase db;
    QList<qint64> ids;
    for (const QVariant& dba : stored)
        ids << db.insert({{"DBA", dba}, {"Agent", "A"}});

    QList<qint64> expected;
    for (int position : listed)
        expected << ids[position];
    QList<qint64> got;
    for (const ListedContract& contract : history::listContracts(db.path(), asked))
        got << contract.id;
    QCOMPARE(got, expected);
}

void ContractHistoryStoreTest::cellsShowTheStoredTexts()
{
    TempDatabase db;
    Columns full = savedContract("Acme", 7);
    full["Financed"] = "120";  // stored as typed, never reformatted
    const qint64 fullId = db.insert(full);
    const qint64 bareId = db.insert({{"DBA", "Acme"}, {"Agent", "Only"}});

    const QList<ListedContract> list = history::listContracts(db.path(), "Acme");
    QCOMPARE(list.size(), 2);
    QCOMPARE(list[0].cells, (QStringList{"Company 7", "Agent 7", "12/6/2026 8:53:07 PM", "120",
                                         "70.00", "1077.50", "10.50", "8", "133.81", "LA-7",
                                         QString::number(fullId)}));
    QCOMPARE(list[1].cells, (QStringList{"", "Only", "", "", "", "", "", "", "", "",
                                         QString::number(bareId)}));
}

void ContractHistoryStoreTest::runIsShownAsUsDateAndTime_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("evening") << "2026-12-06T20:53:52" << "12/6/2026 8:53:52 PM";
    QTest::newRow("morning, one-digit month and day") << "2025-01-05T09:03:07" << "1/5/2025 9:03:07 AM";
    QTest::newRow("midnight") << "2025-07-04T00:00:00" << "7/4/2025 12:00:00 AM";
    QTest::newRow("noon") << "2025-07-04T12:00:00" << "7/4/2025 12:00:00 PM";
    QTest::newRow("empty stays empty") << "" << "";
    QTest::newRow("text that is no date is shown as stored") << "yesterday" << "yesterday";
    QTest::newRow("last second of the day") << "2024-12-31T23:59:59" << "12/31/2024 11:59:59 PM";
    QTest::newRow("leap day") << "2024-02-29T13:00:05" << "2/29/2024 1:00:05 PM";
    QTest::newRow("blank between date and time") << "2024-03-01 07:08:09" << "3/1/2024 7:08:09 AM";
    QTest::newRow("leap day of a common year is shown as stored")
        << "2025-02-29T10:00:00" << "2025-02-29T10:00:00";
    QTest::newRow("hour 24 is shown as stored") << "2025-01-01T24:00:00" << "2025-01-01T24:00:00";
    QTest::newRow("second 60 is shown as stored") << "2025-01-01T10:00:60" << "2025-01-01T10:00:60";
    QTest::newRow("letter among the digits is shown as stored")
        << "2025-0a-01T10:00:00" << "2025-0a-01T10:00:00";
    QTest::newRow("date alone is shown as stored") << "2025-01-01" << "2025-01-01";
}

void ContractHistoryStoreTest::runIsShownAsUsDateAndTime()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(history::runShownText(stored), shown);
}

void ContractHistoryStoreTest::listIsServedByTheIndexWithoutSorting()
{
    // A full scan or an extra sort would make the list slow with many stored contracts.
    TempDatabase db;
    store::Connection connection(db.path());
    QSqlQuery plan = connection.run("EXPLAIN QUERY PLAN " + history::listContractsSql(), {"Acme"});
    QStringList steps;
    while (plan.next())
        steps << plan.value(3).toString();
    const QString all = steps.join(" | ");
    QVERIFY2(all.contains("USING INDEX PoliciesByDBA (DBA=?)"), qPrintable(all));
    QVERIFY2(!all.contains("TEMP B-TREE"), qPrintable(all));
    QVERIFY2(!all.contains("SCAN"), qPrintable(all));
}

void ContractHistoryStoreTest::copyDuplicatesEveryColumnButIdAndRun_data()
{
    QTest::addColumn<Columns>("original");
    QTest::newRow("contract as saved") << savedContract("Acme", 1);
    Columns noLoan = savedContract("Acme", 2);
    noLoan.remove("LoanAuthorization");
    QTest::newRow("null loan authorization") << noLoan;
    Columns slot8 = savedContract("Acme", 3);
    slot8["PolicyNo8"] = "kept in slot 8";
    slot8["Section3"] = "330.00";
    QTest::newRow("slot 8 and section 3 total carried over") << slot8;
    QTest::newRow("nothing but the customer") << Columns{{"DBA", "Acme"}};
}

void ContractHistoryStoreTest::copyDuplicatesEveryColumnButIdAndRun()
{
    QFETCH(Columns, original);
    TempDatabase db;
    db.insert(savedContract("Acme", 10));
    const qint64 id = db.insert(original);
    const qint64 last = db.insert(savedContract("Beta", 11));

    const QDateTime now(QDate(2027, 3, 4), QTime(15, 6, 7));
    const qint64 copyId = history::copyContract(db.path(), id, now);
    QVERIFY(copyId > last);

    const Columns before = db.row(id);
    Columns copy = db.row(copyId);
    QCOMPARE(copy.value("Run").toString(), QString("2027-03-04T15:06:07"));
    copy["Run"] = before.value("Run");
    for (const QString& column : store::policiesColumns()) {
        QCOMPARE(copy.value(column).isNull(), before.value(column).isNull());
        QCOMPARE(copy.value(column).toString(), before.value(column).toString());
    }
    QCOMPARE(db.row(id), before);  // the original is left as it was
}

void ContractHistoryStoreTest::copyOfAVanishedRowAddsNothing()
{
    TempDatabase db;
    const qint64 id = db.insert(savedContract("Acme", 1));
    QCOMPARE(history::copyContract(db.path(), id + 1, QDateTime::currentDateTime()), 0);
    QCOMPARE(db.ids(), QList<qint64>{id});
}

void ContractHistoryStoreTest::deleteRemovesOnlyThatRow()
{
    TempDatabase db;
    const qint64 a = db.insert(savedContract("Acme", 1));
    const qint64 b = db.insert(savedContract("Acme", 2));
    const qint64 c = db.insert(savedContract("Beta", 3));
    history::deleteContract(db.path(), b);
    QCOMPARE(db.ids(), (QList<qint64>{a, c}));
    history::deleteContract(db.path(), b);  // already gone: nothing happens
    QCOMPARE(db.ids(), (QList<qint64>{a, c}));

    // An ID is never handed out again, so a later copy cannot take b's place.
    const qint64 copy = history::copyContract(db.path(), c, QDateTime::currentDateTime());
    QVERIFY(copy > c);
}

void ContractHistoryStoreTest::readBackKeepsNullsApart()
{
    TempDatabase db;
    const qint64 id = db.insert({{"DBA", "Acme"}, {"Tax", "0"}});
    const history::StoredContract contract = history::readContract(db.path(), id);
    QCOMPARE(contract.value("Tax").toString(), QString("0"));
    QVERIFY(contract.contains("Fees"));
    QVERIFY(contract.value("Fees").isNull());
    QVERIFY(history::readContract(db.path(), id + 1).isEmpty());
}

QTEST_GUILESS_MAIN(ContractHistoryStoreTest)
#include "tst_ContractHistoryStore.moc"
