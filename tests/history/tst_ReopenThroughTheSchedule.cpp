#include "contract/ContractWindows.h"
#include "history/ContractHistoryStore.h"
#include "history/HistoryFixture.h"
#include "support/FakePrinterDialogService.h"

#include <QTableWidget>
#include <QtTest>

// Reopening saved contracts into the real policy schedule and going on from there.
class ReopenThroughTheScheduleTest : public QObject {
    Q_OBJECT
private slots:
    void reopenedContractReplacesWhatWasOnScreen_data();
    void reopenedContractReplacesWhatWasOnScreen();
    void previousLeadsBackToTheReopenedRow();
    void copyEditSaveGivesThreeRows();

private:
    static void chooseAndPress(ContractWindows& w, int row, const char* button);
};

// Shows the customer's list as the main window does and presses a button on row (from 1).
void ReopenThroughTheScheduleTest::chooseAndPress(ContractWindows& w, int row, const char* button)
{
    w.session.SelectedName = "Acme";
    w.schedule->hide();
    w.previous->showFromSchedule();
    auto* grid = w.previous->findChild<QTableWidget*>("fgRecords");
    grid->setCurrentCell(row - 1, 0);
    QTest::mouseClick(w.previous->findChild<QPushButton*>(button), Qt::LeftButton);
}

void ReopenThroughTheScheduleTest::reopenedContractReplacesWhatWasOnScreen_data()
{
    QTest::addColumn<QVariant>("tax");
    QTest::addColumn<QString>("taxShown");
    QTest::addColumn<bool>("taxTicked");
    QTest::newRow("tax 12.5 is written and ticked") << QVariant("12.5") << "12.5" << true;
    QTest::newRow("tax 0 leaves the emptied tax alone") << QVariant("0") << "" << false;
}

void ReopenThroughTheScheduleTest::reopenedContractReplacesWhatWasOnScreen()
{
    QFETCH(QVariant, tax);
    QFETCH(QString, taxShown);
    QFETCH(bool, taxTicked);

    ContractWindows w;
    // What another contract of this run left on screen.
    w.fillSchedule("500", "600", "700");
    w.field("txtPolicy1_3")->setText("old row 4");
    w.field("txtDescription")->setText("old description");
    w.box("chkFees")->setChecked(true);
    w.field("txtFees")->setText("25");
    w.reviewField("txtLoanAut")->setText("LA-OLD");

    Columns stored = savedContract("Acme", 1);
    stored["PolicyNo2"] = "P-2";
    stored["PolicyNo3"] = "P-3";
    stored["Tax"] = tax;
    stored.remove("Description");
    insertContract(w.session.DBPath, stored);
    chooseAndPress(w, 1, "cmdEdit");

    QVERIFY(w.schedule->isVisible());
    QCOMPARE((QStringList{w.field("txtPolicy1_0")->text(), w.field("txtPolicy1_1")->text(),
                          w.field("txtPolicy1_2")->text(), w.field("txtPolicy1_3")->text()}),
             (QStringList{"P-1", "P-2", "P-3", ""}));
    QCOMPARE(w.field("txtPremium1_0")->text(), QString("1000"));
    QCOMPARE(w.field("txtPremium2_0")->text(), QString());
    QCOMPARE(w.field("txtPremium3_0")->text(), QString());
    QCOMPARE(w.field("txtDescription")->text(), QString());
    QCOMPARE(w.field("txtTax")->text(), taxShown);
    QCOMPARE(w.box("chkTax")->isChecked(), taxTicked);
    QVERIFY(!w.box("chkFees")->isChecked());
    QCOMPARE(w.field("txtFees")->text(), QString());
    QCOMPARE(w.reviewField("txtLoanAut")->text(), QString());
}

void ReopenThroughTheScheduleTest::previousLeadsBackToTheReopenedRow()
{
    ContractWindows w;
    for (int n = 1; n <= 3; ++n)
        insertContract(w.session.DBPath, savedContract("Acme", n));
    chooseAndPress(w, 2, "cmdEdit");
    auto* back = w.in<QPushButton>(w.schedule.get(), "cmdBack");
    QCOMPARE(back->text(), QString("<< Previous"));

    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(!w.schedule->isVisible());
    QVERIFY(w.previous->isVisible());
    auto* grid = w.previous->findChild<QTableWidget*>("fgRecords");
    QCOMPARE(grid->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(grid->selectionModel()->selectedRows().first().row(), 1);
}

void ReopenThroughTheScheduleTest::copyEditSaveGivesThreeRows()
{
    ContractWindows w;
    FakePrinterDialogService printers;
    printers.printers = {{"Office Laser", "laser", "usb1", true}};
    printers.answer.confirmed = true;
    printers.answer.printerName = "Office Laser";
    w.session.services.printers = &printers;
    insertContract(w.session.DBPath, savedContract("Acme", 1));

    chooseAndPress(w, 1, "cmdCopy");
    chooseAndPress(w, 2, "cmdEdit");
    w.clickNext();
    QVERIFY(w.review->isVisible());
    w.clickSavePrint();
    QVERIFY(w.messages.shown.isEmpty());

    const auto rows = w.storedRows();
    QCOMPARE(rows.size(), 3);
    // The new row carries the reopened contract, not the parties the run started with.
    for (const char* column : {"DBA", "Customer", "Agent", "Company", "PolicyNo1", "Premium1", "Tax"})
        QCOMPARE(rows[2].value(column), rows[1].value(column));
    QCOMPARE(rows[2].value("Run"), QString("2025-03-14T10:30:05"));

    w.schedule->hide();
    w.previous->showFromSchedule();
    QCOMPARE(w.previous->dataRows(), 3);
}

QTEST_MAIN(ReopenThroughTheScheduleTest)
#include "tst_ReopenThroughTheSchedule.moc"
