#include "history/HistoryFixture.h"

#include <QtTest>

// The previous-contracts list over stored rows: listing, Done, Delete, Copy and reopening.
class PreviousContractsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsExactlyTheCustomersRowsInSavingOrder();
    void contractRowIsBroughtIntoRange_data();
    void contractRowIsBroughtIntoRange();
    void deleteSelectsTheRowAbove_data();
    void deleteSelectsTheRowAbove();
    void copyAddsTheDuplicateLastAndSelectsIt_data();
    void copyAddsTheDuplicateLastAndSelectsIt();
    void reopenReplacesWhatWasOnTheSchedule_data();
    void reopenReplacesWhatWasOnTheSchedule();
    void copyEditSaveGivesThreeRows();
};

void PreviousContractsWindowTest::listsExactlyTheCustomersRowsInSavingOrder()
{
    // Letter case, a trailing blank, NULL, quotes and wildcards: each is another customer.
    HistoryRig rig;
    QList<qint64> ids;
    for (const QVariant& dba : QVariantList{"Acme", "ACME", "Acm'%", "Acme ", QVariant(), "acme", "Acme"})
        ids << rig.insert({{"DBA", dba}});
    rig.open("Acme");
    QCOMPARE(rig.listedIds(), (QList<qint64>{ids[0], ids[6]}));
    rig.open("Acm'%");
    QCOMPARE(rig.listedIds(), QList<qint64>{ids[2]});
    rig.open("");
    QCOMPARE(rig.listedIds(), QList<qint64>{});
}

void PreviousContractsWindowTest::contractRowIsBroughtIntoRange_data()
{
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("rowBefore");
    QTest::addColumn<int>("rowAfter"); // also the row selected; 0 is none
    QTest::newRow("first showing selects the first row") << 3 << 0 << 1;
    QTest::newRow("row 5, two contracts now") << 2 << 5 << 2;
    QTest::newRow("one past the last row") << 2 << 3 << 2;
    QTest::newRow("a row within the list is kept") << 3 << 2 << 2;
    QTest::newRow("customer without contracts") << 0 << 2 << 0;
}

void PreviousContractsWindowTest::contractRowIsBroughtIntoRange()
{
    QFETCH(int, contracts);
    QFETCH(int, rowBefore);
    QFETCH(int, rowAfter);
    HistoryRig rig;
    rig.save("Acme", contracts);
    const QList<qint64> beta = rig.save("Beta", 3);
    rig.session.ContractRow = std::int16_t(rowBefore);
    rig.open("Acme");
    QCOMPARE(rig.previous->windowTitle(), QString("Previous Contracts"));
    QCOMPARE(rig.grid()->rowCount(), contracts);
    QCOMPARE(rig.selected(), rowAfter);
    QCOMPARE(int(rig.session.ContractRow), rowAfter);
    QCOMPARE(rig.enabled(), QList<bool>(3, rowAfter > 0));
    if (!contracts) { // a double-click on the empty grid reopens nothing
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(rig.previous->isVisible() && !rig.schedule->isVisible());
    }
    rig.press("cmdDone");
    QVERIFY(!rig.previous->isVisible());

    // The main window's list is read afresh and starts where this one left off, at row 1 at least.
    rig.session.SelectedName = "Beta";
    QTimer::singleShot(0, [&] { rig.press("cmdDone"); });
    rig.previous->showModalFromMain(); // returns once Done hides it
    QCOMPARE(rig.listedIds(), beta);
    QCOMPARE(rig.selected(), qMax(rowAfter, 1));
    QCOMPARE(rig.enabled(), QList<bool>(3, true));
}

void PreviousContractsWindowTest::deleteSelectsTheRowAbove_data()
{
    QTest::addColumn<int>("contracts");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QList<int>>("left"); // rows of the first listing still listed
    QTest::addColumn<int>("selected");
    QTest::newRow("the only contract") << 1 << 1 << QList<int>{} << 0;
    QTest::newRow("row 1 of 3") << 3 << 1 << QList<int>{2, 3} << 1;
    QTest::newRow("row 2 of 3") << 3 << 2 << QList<int>{1, 3} << 1;
    QTest::newRow("row 3 of 3") << 3 << 3 << QList<int>{1, 2} << 2;
}

void PreviousContractsWindowTest::deleteSelectsTheRowAbove()
{
    QFETCH(int, contracts);
    QFETCH(int, chosen);
    QFETCH(QList<int>, left);
    QFETCH(int, selected);
    HistoryRig rig;
    const QList<qint64> ids = rig.save("Acme", contracts);
    rig.open("Acme");
    rig.choose(chosen);
    rig.press("cmdDelete");
    QList<qint64> kept;
    for (int row : left)
        kept << ids[row - 1];
    QCOMPARE(rig.listedIds(), kept);
    QCOMPARE(rig.selected(), selected);
    QCOMPARE(int(rig.session.ContractRow), selected);
    QCOMPARE(rig.enabled(), QList<bool>(3, selected > 0));
    QVERIFY(rig.messages.shown.isEmpty() && rig.previous->isVisible());
}

void PreviousContractsWindowTest::copyAddsTheDuplicateLastAndSelectsIt_data()
{
    QTest::addColumn<QString>("removed"); // from the copied row
    QTest::newRow("row 1 of 3") << "";
    QTest::newRow("row 1 of 3 without loan authorization") << "LoanAuthorization";
}

void PreviousContractsWindowTest::copyAddsTheDuplicateLastAndSelectsIt()
{
    QFETCH(QString, removed);
    HistoryRig rig;
    Columns first = savedContract("Acme", 1);
    first.insert({{"PolicyNo8", "slot 8"}, {"Run", QVariant()}});
    first.remove(removed);
    const qint64 id = rig.insert(first);
    const qint64 last = rig.save("Acme", 2).last();
    rig.session.ContractRow = 2;
    rig.clock = QDateTime(QDate(2026, 12, 6), QTime(20, 53, 52));
    rig.open("Acme");
    rig.choose(1);
    QCOMPARE(rig.cells(1)[2], QString()); // a null date shows empty
    rig.press("cmdCopy");

    QCOMPARE(rig.grid()->rowCount(), 4);
    QCOMPARE(rig.selected(), 4);
    QCOMPARE(int(rig.session.ContractRow), 4);
    const QStringList copy = rig.cells(4);
    QCOMPARE(copy.mid(0, 10), (QStringList{"Company 1", "Agent 1", "12/6/2026 8:53:52 PM", "120", "70.00",
                                           "1077.50", "10.50", "8", "133.81", removed.isEmpty() ? "LA-1" : ""}));
    QVERIFY(copy[history::kIdColumn].toLongLong() > last);
    Columns original = rig.row(id), stored = rig.row(copy[history::kIdColumn].toLongLong());
    QCOMPARE(stored.take("Run").toString(), QString("2026-12-06T20:53:52"));
    original.remove("Run");
    for (auto it = original.cbegin(); it != original.cend(); ++it) {
        QCOMPARE(stored.value(it.key()).isNull(), it.value().isNull());
        QCOMPARE(stored.value(it.key()).toString(), it.value().toString());
    }
}

void PreviousContractsWindowTest::reopenReplacesWhatWasOnTheSchedule_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("tax");
    QTest::newRow("Edit, tax 12.5 is written and ticked") << false << "12.5";
    QTest::newRow("double-click, tax 0 leaves the emptied tax alone") << true << "0";
}

void PreviousContractsWindowTest::reopenReplacesWhatWasOnTheSchedule()
{
    QFETCH(bool, doubleClick);
    QFETCH(QString, tax);
    HistoryRig rig;
    // What another contract of this run left on screen.
    rig.fillSchedule("500", "600", "700");
    rig.field("txtPolicy1_3")->setText("old row 4");
    rig.field("txtDescription")->setText("old description");
    rig.box("chkFees")->setChecked(true);
    rig.field("txtFees")->setText("25");
    rig.reviewField("txtLoanAut")->setText("LA-OLD");

    rig.save("Acme", 1);
    Columns chosen = savedContract("Acme", 2);
    chosen.insert({{"PolicyNo2", "P-2b"}, {"PolicyNo3", "P-2c"}, {"PolicyNo5", "Truck"}, {"Surcharge", "0.00"},
                   {"Tax", tax}, {"Description", QVariant()}, {"Agent", QVariant()}});
    rig.insert(chosen);
    rig.save("Acme", 1);
    rig.open("Acme");
    if (doubleClick)
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, rig.centreOf(2));
    else {
        rig.choose(2);
        rig.press("cmdEdit");
    }

    QVERIFY(!rig.previous->isVisible() && rig.schedule->isVisible());
    QStringList shown{rig.reviewField("txtLoanAut")->text()};
    for (const char* name : {"txtPolicy1_0", "txtPolicy1_1", "txtPolicy1_2", "txtPolicy1_3", "txtPolicy2_0",
                             "txtPremium1_0", "txtPremium2_0", "txtDescription", "txtFees", "txtSurcharge", "txtTax"})
        shown << rig.field(name)->text();
    for (const char* name : {"chkFees", "chkSurcharge", "chkTax"})
        shown << (rig.box(name)->isChecked() ? "ticked" : "");
    const bool taxed = tax != "0";
    QCOMPARE(shown, (QStringList{"", "P-2", "P-2b", "P-2c", "", "Truck", "1000", "", "", "", "0.00",
                                 taxed ? tax : "", "", "ticked", taxed ? "ticked" : ""}));
    // The reopened contract's parties replace the last ones, an empty agent included.
    QCOMPARE((QStringList{rig.session.CurAgent.Name, rig.session.CurAgent.Company, rig.session.CurCust.Name,
                          rig.session.CurCust.DBA}),
             (QStringList{"", "Company 2", "Customer 2", "Acme"}));

    auto* back = rig.in<QPushButton>(rig.schedule.get(), "cmdBack");
    QCOMPARE(back->text(), QString("<< Previous"));
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(rig.previous->isVisible() && !rig.schedule->isVisible());
    QCOMPARE(rig.selected(), 2);
}

void PreviousContractsWindowTest::copyEditSaveGivesThreeRows()
{
    HistoryRig rig;
    const qint64 first = rig.insert(savedContract("Acme", 1));
    rig.open("Acme");
    rig.press("cmdCopy"); // selects the copy
    rig.press("cmdEdit");
    rig.clickNext();
    rig.clickSavePrint();
    QVERIFY(rig.messages.shown.isEmpty());
    rig.open("Acme");
    QCOMPARE(rig.grid()->rowCount(), 3);
    // The new row carries the reopened contract, not the parties the run started with.
    const Columns saved = rig.row(rig.listedIds().last()), copied = rig.row(first);
    for (const char* column : {"DBA", "Customer", "Agent", "Company", "PolicyNo1", "Premium1", "Tax"})
        QCOMPARE(saved.value(column).toString(), copied.value(column).toString());
}

QTEST_MAIN(PreviousContractsWindowTest)
#include "tst_PreviousContractsWindow.moc"
