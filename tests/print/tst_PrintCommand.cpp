#include "app/Session.h"
#include "print/PrintCommand.h"
#include "print/PrinterChoice.h"
#include "support/ContractWindowsStub.h"
#include "support/FakePrinterDialogService.h"
#include "support/FakeServices.h"

#include <QtTest>

// Save / Print: the contract is saved first, the dialog decides the printer,
// both pages go to it, and whatever happens the user lands on the schedule,
// except after a cancelled dialog.
class PrintCommandTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void chosenPrinterBecomesCurrent_data();
    void chosenPrinterBecomesCurrent();
    void firstRunTakesTheDefaultPrinterOnce();
    void savesBeforeTheDialogOpens();
    void cancelPrintsNothingAndStays();
    void failedSaveStopsBeforeTheDialog();
    void printsBothPagesAndReturnsToTheSchedule();
    void failingPrinterGivesOneMessageAndStopsDrawing();
    void secondPrinterServesThisAndLaterJobs();

private:
    void run();

    std::unique_ptr<ContractWindowsStub> m_windows;
    FakePrinterDialogService m_printers;
    FakeMessageBoxService m_messages;
    Session m_session;
    QStringList m_events;
    bool m_saveSucceeds = true;
};

void PrintCommandTest::init()
{
    m_windows = std::make_unique<ContractWindowsStub>();
    m_windows->setText("lblAmtFin", "2120.00");
    m_windows->setText("txtPolicy1_0", "POL-1");
    m_windows->review->show();
    m_printers = FakePrinterDialogService();
    m_printers.printers = {{"Office Laser", "laser driver", "usb1", true}, {"Front Desk", "inkjet", "lpt1", false}};
    m_printers.answer.confirmed = true;
    m_printers.answer.printerName = "Office Laser";
    m_printers.onShow = [this] { m_events.append("dialog"); };
    m_messages.clear();
    m_session = Session();
    m_session.services = {&m_messages, nullptr, &m_printers};
    m_events.clear();
    m_saveSucceeds = true;
}

void PrintCommandTest::run()
{
    runSavePrint(m_session, SavePrintWindows{m_windows->review.get(), m_windows->schedule.get(), [this] {
                                                 m_events.append("save");
                                                 return m_saveSucceeds;
                                             }});
}

void PrintCommandTest::chosenPrinterBecomesCurrent_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QString>("expectedDriver");
    const QStringList two = {"Office Laser", "Front Desk"};
    QTest::newRow("another installed printer") << "Office Laser" << "Front Desk" << two << "Front Desk" << "driver of Front Desk";
    QTest::newRow("same printer in other case is taken again")
        << "Office Laser" << "office laser" << two << "Office Laser" << "driver of Office Laser";
    QTest::newRow("upper-case current equal to the chosen name is kept as it was")
        << "LABEL" << "label" << QStringList{"LABEL"} << "LABEL" << "old driver";
    QTest::newRow("unknown name keeps the current printer") << "Office Laser" << "Nowhere" << two << "Office Laser" << "old driver";
    QTest::newRow("no name (a PDF file) keeps the current printer") << "Office Laser" << "" << two << "Office Laser" << "old driver";
    QTest::newRow("last of two matching names wins") << "Office Laser" << "shared" << QStringList{"Shared", "SHARED", "Other"}
                                                    << "SHARED" << "driver of SHARED";
    QTest::newRow("no printers installed") << "" << "" << QStringList{} << "" << "old driver";
}

void PrintCommandTest::chosenPrinterBecomesCurrent()
{
    QFETCH(QString, current);
    QFETCH(QString, chosen);
    QFETCH(QStringList, installed);
    QFETCH(QString, expectedName);
    QFETCH(QString, expectedDriver);
    QList<ui::InstalledPrinter> printers;
    for (const QString& name : installed)
        printers.append({name, "driver of " + name, "port", false});
    ui::CurrentPrinter printer;
    printer.deviceName = current;
    printer.driverName = "old driver";
    printer.settings.copies = 2;
    print::switchToChosenPrinter(printer, chosen, printers);
    QCOMPARE(printer.deviceName, expectedName);
    QCOMPARE(printer.driverName, expectedDriver);
    QCOMPARE(printer.settings.copies, 2);
}

void PrintCommandTest::firstRunTakesTheDefaultPrinterOnce()
{
    ui::CurrentPrinter printer;
    print::settleCurrentPrinter(printer, {{"A", "a", "p", false}, {"B", "b", "q", true}});
    QCOMPARE(printer.deviceName, QString("B"));
    QVERIFY(!printer.followsDefault);
    print::settleCurrentPrinter(printer, {{"A", "a", "p", true}, {"B", "b", "q", false}});
    QCOMPARE(printer.deviceName, QString("B"));
}

void PrintCommandTest::savesBeforeTheDialogOpens()
{
    m_printers.answer.confirmed = false;
    run();
    QCOMPARE(m_events, (QStringList{"save", "dialog"}));
    QCOMPARE(m_printers.requests.size(), 1);
    const ui::PrinterDialogRequest& request = m_printers.requests[0];
    QCOMPARE(request.flags, 268);
    QCOMPARE(request.printerName, QString("Office Laser"));
    QCOMPARE(request.driverName, QString("laser driver"));
    QCOMPARE(request.port, QString("usb1"));
    QCOMPARE(m_printers.owners[0], m_windows->review.get());
}

void PrintCommandTest::cancelPrintsNothingAndStays()
{
    m_printers.answer.confirmed = false;
    run();
    QVERIFY(m_printers.jobs.isEmpty());
    QVERIFY(m_messages.shown.isEmpty());
    QVERIFY(m_windows->review->isVisible());
    QVERIFY(!m_windows->schedule->isVisible());
}

void PrintCommandTest::failedSaveStopsBeforeTheDialog()
{
    m_saveSucceeds = false;
    run();
    QCOMPARE(m_events, QStringList{"save"});
    QVERIFY(m_printers.jobs.isEmpty());
    QVERIFY(m_windows->review->isVisible());
}

void PrintCommandTest::printsBothPagesAndReturnsToTheSchedule()
{
    run();
    QCOMPARE(m_printers.jobs.size(), 1);
    const RecordingSurface& drawn = *m_printers.jobs[0].surface;
    QCOMPARE(drawn.newPageCalls, 1);
    QCOMPARE(drawn.endDocCalls, 1);
    QVERIFY(!drawn.textsOn(1).isEmpty());
    QVERIFY(!drawn.textsOn(2).isEmpty());
    // Printed from what the windows show.
    QVERIFY(drawn.find("$2120.00", 1));
    QVERIFY(drawn.find("POL-1", 1));
    QVERIFY(m_messages.shown.isEmpty());
    QVERIFY(!m_windows->review->isVisible());
    QVERIFY(m_windows->schedule->isVisible());
}

void PrintCommandTest::failingPrinterGivesOneMessageAndStopsDrawing()
{
    m_printers.failOnPage = 1;
    run();
    QCOMPARE(m_events, (QStringList{"save", "dialog"}));
    QCOMPARE(m_printers.jobs.size(), 1);
    const RecordingSurface& drawn = *m_printers.jobs[0].surface;
    QVERIFY(drawn.failed);
    QCOMPARE(drawn.callsAfterFailure, 0);
    QCOMPARE(drawn.endDocCalls, 0);
    QCOMPARE(m_messages.shown.size(), 1);
    QCOMPARE(m_messages.last().text,
             QString("Unable to communicate with the printer.  Results were saved but not printed."));
    QCOMPARE(m_messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(m_messages.last().title, QString("QUILLON"));
    QCOMPARE(m_messages.last().buttons, ui::MessageButtons::Ok);
    QVERIFY(!m_windows->review->isVisible());
    QVERIFY(m_windows->schedule->isVisible());
}

void PrintCommandTest::secondPrinterServesThisAndLaterJobs()
{
    m_printers.answer.printerName = "FRONT DESK";
    m_printers.answer.settings.copies = 3;
    run();
    m_windows->review->show();
    m_printers.answer.printerName = "Front Desk";
    run();
    QCOMPARE(m_printers.jobs.size(), 2);
    for (const FakePrinterDialogService::Job& job : m_printers.jobs) {
        QCOMPARE(job.printer.deviceName, QString("Front Desk"));
        QCOMPARE(job.printer.driverName, QString("inkjet"));
        QCOMPARE(job.printer.settings.copies, 3);
    }
    // The second dialog opens on the printer chosen the first time, not the desktop default.
    QCOMPARE(m_printers.requests[1].printerName, QString("Front Desk"));
    QCOMPARE(m_printers.requests[1].settings.copies, 3);
}

QTEST_MAIN(PrintCommandTest)
#include "tst_PrintCommand.moc"
