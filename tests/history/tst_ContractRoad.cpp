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
    printers.answer = {true, "Office Laser", {}, {}};
    program.session().services.printers = &printers;
    const AppWindows& w = program.app->windows();
    QWidget* main = program.main();
    auto type = [&](QWidget* window, const char* field, const QString& text) {
        program.control<QLineEdit>(window, field)->setText(text);
    };
    TestProgram::whileOpen([&] { program.click(main, "cmdNewAgent"); }, [&] {
        type(w.frmAddAgent, "txtName", "Ann Agent");
        program.click(w.frmAddAgent, "cmdOK");
    });
    TestProgram::whileOpen([&] { program.click(main, "cmdNewCust"); }, [&] {
        type(w.frmAddCust, "txtDBA", "Carl's Hauling");
        program.click(w.frmAddCust, "cmdOK");
    });
    program.agents()->setCurrentRow(0);
    program.customers()->setCurrentRow(0);
    program.click(main, "cmdNext");
    type(w.frmPolicies1, "txtPolicy1_0", "POL-1");
    type(w.frmPolicies1, "txtPremium1_0", "1000");
    type(w.frmPolicies1, "txtInception1_0", "12/15/2024");
    program.click(w.frmPolicies1, "cmdNext");
    program.click(w.frmPreview, "cmdPrint");
    program.click(w.frmPolicies1, "cmdBack");
    QVERIFY(main->isVisible());

    TestProgram::whileOpen([&] { program.click(main, "cmdPrevContract"); },
                           [&] { program.click(w.frmPrevious, "cmdEdit"); });
    QCOMPARE(program.control<QLineEdit>(w.frmPolicies1, "txtPolicy1_0")->text(), QString("POL-1"));
    program.click(w.frmPolicies1, "cmdNext");
    program.click(w.frmPreview, "cmdPrint");
    QVERIFY(program.messages.shown.isEmpty());
    QCOMPARE(printers.jobs.size(), 2);
    store::Connection connection(program.session().DBPath);
    QSqlQuery rows = connection.run("SELECT COUNT(*) FROM Policies WHERE DBA = ? AND Agent = ? AND PolicyNo1 = ?"
                                    " AND Premium1 = ?", {"Carl's Hauling", "Ann Agent", "POL-1", "1000"});
    QVERIFY(rows.next());
    QCOMPARE(rows.value(0).toInt(), 2);

    // << Previous leads to the list, which shows both, the reopened one selected.
    program.click(w.frmPolicies1, "cmdBack");
    QVERIFY(w.frmPrevious->isVisible());
    QCOMPARE(w.frmPrevious->dataRows(), 2);
    QCOMPARE(w.frmPrevious->chosenRow(), 1);
    program.click(w.frmPrevious, "cmdDone");
    // A contract started anew from the main window goes back there again.
    program.click(main, "cmdNext");
    program.click(w.frmPolicies1, "cmdBack");
    QVERIFY(main->isVisible() && !w.frmPrevious->isVisible());
}

QTEST_MAIN(ContractRoadTest)
#include "tst_ContractRoad.moc"
