#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/TestProgram.h"
#include "support/FakePrinterDialogService.h"

#include <QtTest>

// One contract along the whole road through the real windows of a started
// program: new agent and customer, schedule, review, Save / Print, then
// Previous Contracts, Edit and Save / Print again.
class ContractRoadTest : public QObject {
    Q_OBJECT
private slots:
    void savedReopenedAndSavedAgain();
};

void ContractRoadTest::savedReopenedAndSavedAgain()
{
    TestProgram program;
    program.makeDatabase();
    QVERIFY(program.start());
    FakePrinterDialogService printers;
    printers.printers = {{"Office Laser", "laser", "usb1", true}};
    printers.answer.confirmed = true;
    printers.answer.printerName = "Office Laser";
    program.session().services.printers = &printers;
    const AppWindows& windows = program.app->windows();
    QWidget* main = program.main();
    QWidget* schedule = windows.frmPolicies1;
    QWidget* review = windows.frmPreview;
    PreviousContractsWindow* previous = windows.frmPrevious;

    auto addParty = [&](QWidget* dialog, const char* newButton, const QStringList& typed) {
        TestProgram::whileOpen([&] { program.click(main, newButton); }, [&] {
            for (const QString& entry : typed)
                program.control<QLineEdit>(dialog, qPrintable(entry.section('=', 0, 0)))
                    ->setText(entry.section('=', 1));
            program.click(dialog, "cmdOK");
        });
    };
    addParty(windows.frmAddAgent, "cmdNewAgent",
             {"txtName=Ann Agent", "txtCoName=Agency Co"});
    addParty(windows.frmAddCust, "cmdNewCust",
             {"txtDBA=Carl's Hauling", "txtName=Carl Customer"});
    program.agents()->setCurrentRow(0);
    program.customers()->setCurrentRow(0);

    program.click(main, "cmdNext");
    QVERIFY(schedule->isVisible());
    program.control<QLineEdit>(schedule, "txtPolicy1_0")->setText("POL-1");
    program.control<QLineEdit>(schedule, "txtPremium1_0")->setText("1000");
    program.control<QLineEdit>(schedule, "txtInception1_0")->setText("12/15/2024");
    program.click(schedule, "cmdNext");
    program.click(review, "cmdPrint");
    QVERIFY(schedule->isVisible());
    program.click(schedule, "cmdBack");
    QVERIFY(main->isVisible());

    // Reopen the saved contract from the main window and save it again.
    TestProgram::whileOpen([&] { program.click(main, "cmdPrevContract"); },
                           [&] { program.click(previous, "cmdEdit"); });
    QVERIFY(!previous->isVisible());
    QCOMPARE(program.control<QLineEdit>(schedule, "txtPolicy1_0")->text(), QString("POL-1"));
    program.click(schedule, "cmdNext");
    program.click(review, "cmdPrint");
    QVERIFY(program.messages.shown.isEmpty());
    QCOMPARE(printers.jobs.size(), 2);
    const QString db = program.session().DBPath;
    store::Connection connection(db);
    QSqlQuery rows = connection.run("SELECT DBA, Agent, PolicyNo1, Premium1 FROM Policies ORDER BY ID");
    QStringList stored;
    while (rows.next())
        stored << QStringList{rows.value(0).toString(), rows.value(1).toString(),
                              rows.value(2).toString(), rows.value(3).toString()}.join('|');
    QCOMPARE(stored, (QStringList{"Carl's Hauling|Ann Agent|POL-1|1000",
                                  "Carl's Hauling|Ann Agent|POL-1|1000"}));

    // << Previous leads to the list, which shows both, the reopened one selected.
    program.click(schedule, "cmdBack");
    QVERIFY(previous->isVisible());
    QCOMPARE(previous->dataRows(), 2);
    QCOMPARE(previous->chosenRow(), 1);
    program.click(previous, "cmdDone");

    // A new contract started from the main window goes back there again.
    program.click(main, "cmdNext");
    program.click(schedule, "cmdBack");
    QVERIFY(main->isVisible());
    QVERIFY(!previous->isVisible());
}

QTEST_MAIN(ContractRoadTest)
#include "tst_ContractRoad.moc"
