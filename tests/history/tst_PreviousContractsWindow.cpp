#include "history/HistoryFixture.h"

#include <QtTest>

// The previous-contracts list over stored rows: listing, Edit, Copy, Delete, Done.
class PreviousContractsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsExactlyTheCustomersRowsInSavingOrder_data();
    void listsExactlyTheCustomersRowsInSavingOrder();
    void cellsShowTheStoredTexts();
    void contractRowIsBroughtIntoRange_data();
    void contractRowIsBroughtIntoRange();
    void everyShowingRereadsTheTable();
    void deleteSelectsTheRowAbove_data();
    void deleteSelectsTheRowAbove();
    void copyAddsTheDuplicateLastAndSelectsIt_data();
    void copyAddsTheDuplicateLastAndSelectsIt();
    void reopenReplacesWhatWasOnTheSchedule_data();
    void reopenReplacesWhatWasOnTheSchedule();
    void copyEditSaveGivesThreeRows();
};

void PreviousContractsWindowTest::listsExactlyTheCustomersRowsInSavingOrder_data()
{
    // Stored DBA of each row in saving order (null is NULL), the name asked
    // for, and the positions of the rows that must be listed.
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QList<int>>("listed");
    QTest::newRow("interleaved customers keep saving order")
        << QVariantList{"Acme", "Beta", "Acme", "Beta", "Acme"} << "Acme" << QList<int>{0, 2, 4};
    QTest::newRow("other letter case or a trailing blank is another customer")
        << QVariantList{"ACME", "Acme", "acme", "Acme "} << "Acme" << QList<int>{1};
    QTest::newRow("null DBA never matches, not even an empty name")
        << QVariantList{QVariant(), "Acme"} << "" << QList<int>{};
    QTest::newRow("quote and percent are plain text")
        << QVariantList{"O'Hara %", "O'Hara x"} << "O'Hara %" << QList<int>{0};
}

void PreviousContractsWindowTest::listsExactlyTheCustomersRowsInSavingOrder()
{
    QFETCH(QVariantList, stored);
    QFETCH(QString, asked);
    QFETCH(QList<int>, listed);
    HistoryRig rig;
    QList<qint64> ids, expected;
    for (const QVariant& dba : stored)
        ids << rig.insert({{"DBA", dba}});
    for (int position : listed)
        expected << ids[position];
    rig.open(asked);
    QCOMPARE(rig.listedIds(), expected);
}

void PreviousContractsWindowTest::cellsShowTheStoredTexts()
{
    HistoryRig rig;
    const qint64 full = rig.insert(savedContract("Acme", 52));
    const qint64 bare = rig.insert({{"DBA", "Acme"}, {"Agent", "Only"}});
    const QList<history::ListedContract> list = history::listContracts(rig.session.DBPath, "Acme");
    QCOMPARE(list.size(), 2);
    QCOMPARE(list[0].cells, (QStringList{"Company 52", "Agent 52", "12/6/2026 8:53:52 PM", "120", "70.00",
                                         "1077.50", "10.50", "8", "133.81", "LA-52", QString::number(full)}));
    // Null Run and LoanAuthorization show as empty cells.
    QCOMPARE(list[1].cells, (QStringList{"", "Only", "", "", "", "", "", "", "", "", QString::number(bare)}));
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
    rig.save("Beta", 3);
    rig.session.ContractRow = std::int16_t(rowBefore);
    rig.open("Acme");
    QCOMPARE(rig.grid()->rowCount(), contracts);
    QCOMPARE(rig.selected(), rowAfter);
    QCOMPARE(int(rig.session.ContractRow), rowAfter);
    QCOMPARE(rig.enabled(), QList<bool>(3, rowAfter > 0));
    if (!contracts) { // a double-click on the empty grid reopens nothing
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(rig.previous->isVisible() && !rig.schedule->isVisible());
    }
    // The next customer's list starts where this one left off, at row 1 at least.
    rig.open("Beta");
    QCOMPARE(rig.selected(), qMax(rowAfter, 1));
    QCOMPARE(rig.enabled(), QList<bool>(3, true));
}

void PreviousContractsWindowTest::everyShowingRereadsTheTable()
{
    HistoryRig rig;
    QList<qint64> ids = rig.save("Acme", 1);
    rig.open("Acme");
    QCOMPARE(rig.previous->windowTitle(), QString("Previous Contracts"));
    rig.press("cmdDone");
    QVERIFY(!rig.previous->isVisible());

    ids << rig.insert(savedContract("Acme", 9));
    QTimer::singleShot(0, [&] { rig.press("cmdDone"); });
    rig.previous->showModalFromMain(); // returns once Done hides it
    QVERIFY(!rig.previous->isVisible());
    QCOMPARE(rig.listedIds(), ids);
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
    QTest::addColumn<bool>("loanAuthorizationNull");
    QTest::newRow("row 1 of 3") << false;
    QTest::newRow("row 1 of 3 without loan authorization") << true;
}

void PreviousContractsWindowTest::copyAddsTheDuplicateLastAndSelectsIt()
{
    QFETCH(bool, loanAuthorizationNull);
    HistoryRig rig;
    Columns first = savedContract("Acme", 1);
    first["PolicyNo8"] = "slot 8";
    if (loanAuthorizationNull)
        first.remove("LoanAuthorization");
    const qint64 id = rig.insert(first);
    const qint64 last = rig.save("Acme", 2).last();
    rig.session.ContractRow = 2;
    rig.clock = QDateTime(QDate(2027, 3, 4), QTime(0, 6, 7));
    rig.open("Acme");
    rig.choose(1);
    rig.press("cmdCopy");

    QCOMPARE(rig.grid()->rowCount(), 4);
    QCOMPARE(rig.selected(), 4);
    QCOMPARE(int(rig.session.ContractRow), 4);
    QCOMPARE(rig.grid()->item(3, 2)->text(), QString("3/4/2027 12:06:07 AM"));
    const qint64 copyId = rig.listedIds().last();
    QVERIFY(copyId > last);
    Columns original = rig.row(id), copy = rig.row(copyId);
    QCOMPARE(copy.take("Run").toString(), QString("2027-03-04T00:06:07"));
    original.remove("Run");
    for (auto it = original.cbegin(); it != original.cend(); ++it) {
        QCOMPARE(copy.value(it.key()).isNull(), it.value().isNull());
        QCOMPARE(copy.value(it.key()).toString(), it.value().toString());
    }
}

void PreviousContractsWindowTest::reopenReplacesWhatWasOnTheSchedule_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<bool>("taxTicked");
    QTest::newRow("Edit, tax 12.5 is written and ticked") << "edit" << "12.5" << true;
    QTest::newRow("double-click, tax 0 leaves the emptied tax alone") << "double-click" << "0" << false;
    QTest::newRow("Edit while the main window waits") << "from main" << "12.5" << true;
}

void PreviousContractsWindowTest::reopenReplacesWhatWasOnTheSchedule()
{
    QFETCH(QString, how);
    QFETCH(QString, tax);
    QFETCH(bool, taxTicked);
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
    chosen.insert({{"PolicyNo2", "P-2b"}, {"PolicyNo3", "P-2c"}, {"PolicyNo5", "Truck"}, {"Tax", tax}});
    chosen.remove("Description");
    chosen.remove("Agent"); // another contract's agent must not stay behind
    rig.insert(chosen);
    rig.save("Acme", 1);
    rig.session.ContractRow = 2;
    if (how == "from main") {
        QTimer::singleShot(0, [&] { rig.press("cmdEdit"); });
        rig.previous->showModalFromMain(); // returns once Edit hides the window
    } else {
        rig.open("Acme");
        rig.choose(3);
        if (how == "double-click")
            QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, rig.centreOf(2));
        else {
            rig.choose(2);
            rig.press("cmdEdit");
        }
    }

    QVERIFY(!rig.previous->isVisible() && rig.schedule->isVisible());
    QStringList shown;
    for (const char* name : {"txtPolicy1_0", "txtPolicy1_1", "txtPolicy1_2", "txtPolicy1_3", "txtPolicy2_0",
                             "txtPremium1_0", "txtPremium2_0", "txtDescription", "txtFees", "txtTax"})
        shown << rig.field(name)->text();
    QCOMPARE(shown, (QStringList{"P-2", "P-2b", "P-2c", "", "Truck", "1000", "", "", "", taxTicked ? tax : ""}));
    QCOMPARE(rig.box("chkTax")->isChecked(), taxTicked);
    QVERIFY(!rig.box("chkFees")->isChecked());
    QCOMPARE(rig.reviewField("txtLoanAut")->text(), QString());
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
    QVERIFY(rig.review->isVisible());
    rig.clickSavePrint();
    QVERIFY(rig.messages.shown.isEmpty());
    rig.open("Acme");
    const QList<qint64> ids = rig.listedIds();
    QCOMPARE(ids.size(), 3);
    // The new row carries the reopened contract, not the parties the run started with.
    const Columns saved = rig.row(ids[2]), copied = rig.row(first);
    for (const char* column : {"DBA", "Customer", "Agent", "Company", "PolicyNo1", "Premium1", "Tax"})
        QCOMPARE(saved.value(column).toString(), copied.value(column).toString());
}

QTEST_MAIN(PreviousContractsWindowTest)
#include "tst_PreviousContractsWindow.moc"
