#include "history/ContractHistoryStore.h"
#include "history/HistoryFixture.h"
#include "history/RunText.h"

#include <QtTest>

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
};

void ContractHistoryStoreTest::listsExactlyTheCustomersRowsInSavingOrder_data()
{
    // Stored DBA of each row in saving order (a null QVariant is a NULL DBA),
    // the name asked for, and the positions of the rows that must be listed.
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QList<int>>("listed");

    QTest::newRow("interleaved customers keep saving order")
        << QVariantList{"Acme", "Beta", "Acme", "Beta", "Acme"} << "Acme" << QList<int>{0, 2, 4};
    QTest::newRow("other letter case is another customer")
        << QVariantList{"ACME", "Acme", "acme"} << "Acme" << QList<int>{1};
    QTest::newRow("trailing blank is another customer") << QVariantList{"Acme ", "Acme"} << "Acme"
                                                        << QList<int>{1};
    QTest::newRow("null DBA never matches, not even an empty name")
        << QVariantList{QVariant(), "Acme"} << "" << QList<int>{};
    QTest::newRow("quote and percent are plain text")
        << QVariantList{"O'Hara %", "O'Hara x"} << "O'Hara %" << QList<int>{0};
}

void ContractHistoryStoreTest::listsExactlyTheCustomersRowsInSavingOrder()
{
    QFETCH(QVariantList, stored);
    QFETCH(QString, asked);
    QFETCH(QList<int>, listed);

    TempDatabase db;
    QList<qint64> ids, expected, got;
    for (const QVariant& dba : stored)
        ids << db.insert({{"DBA", dba}});
    for (int position : listed)
        expected << ids[position];
    for (const history::ListedContract& contract : history::listContracts(db.path(), asked))
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

    const QList<history::ListedContract> list = history::listContracts(db.path(), "Acme");
    QCOMPARE(list.size(), 2);
    QCOMPARE(list[0].cells, (QStringList{"Company 7", "Agent 7", "12/6/2026 8:53:07 PM", "120",
                                         "70.00", "1077.50", "10.50", "8", "133.81", "LA-7",
                                         QString::number(fullId)}));
    QCOMPARE(list[1].cells,
             (QStringList{"", "Only", "", "", "", "", "", "", "", "", QString::number(bareId)}));
}

void ContractHistoryStoreTest::runIsShownAsUsDateAndTime_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("morning, one-digit month and day") << "2025-01-05T09:03:07" << "1/5/2025 9:03:07 AM";
    QTest::newRow("midnight") << "2025-07-04T00:00:00" << "7/4/2025 12:00:00 AM";
    QTest::newRow("noon") << "2025-07-04T12:00:00" << "7/4/2025 12:00:00 PM";
    QTest::newRow("leap day") << "2024-02-29T23:59:59" << "2/29/2024 11:59:59 PM";
    QTest::newRow("leap day of a common year is shown as stored")
        << "2025-02-29T10:00:00" << "2025-02-29T10:00:00";
    QTest::newRow("hour 24 is shown as stored") << "2025-01-01T24:00:00" << "2025-01-01T24:00:00";
    QTest::newRow("text that is no date is shown as stored") << "yesterday" << "yesterday";
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
    QVERIFY2(!all.contains("TEMP B-TREE") && !all.contains("SCAN"), qPrintable(all));
}

void ContractHistoryStoreTest::copyDuplicatesEveryColumnButIdAndRun_data()
{
    QTest::addColumn<Columns>("original");
    Columns noLoan = savedContract("Acme", 2);
    noLoan.remove("LoanAuthorization");
    noLoan["PolicyNo8"] = "kept in slot 8";
    QTest::newRow("null loan authorization, slot 8 filled") << noLoan;
    QTest::newRow("nothing but the customer") << Columns{{"DBA", "Acme"}};
}

void ContractHistoryStoreTest::copyDuplicatesEveryColumnButIdAndRun()
{
    QFETCH(Columns, original);
    TempDatabase db;
    const qint64 id = db.insert(original);
    const qint64 last = db.insert(savedContract("Beta", 11));

    const qint64 copyId = history::copyContract(db.path(), id, QDateTime(QDate(2027, 3, 4), QTime(15, 6, 7)));
    QVERIFY(copyId > last);
    const Columns before = db.row(id);
    Columns copy = db.row(copyId);
    QCOMPARE(copy.value("Run").toString(), QString("2027-03-04T15:06:07"));
    copy["Run"] = before.value("Run");
    for (const QString& column : store::policiesColumns()) {
        QCOMPARE(copy.value(column).isNull(), before.value(column).isNull());
        QCOMPARE(copy.value(column).toString(), before.value(column).toString());
    }
    QCOMPARE(history::copyContract(db.path(), copyId + 1, QDateTime::currentDateTime()), 0);
}

QTEST_GUILESS_MAIN(ContractHistoryStoreTest)
#include "tst_ContractHistoryStore.moc"
