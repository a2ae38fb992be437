#include "contract/ContractWindows.h"
#include "support/FakePrinterDialogService.h"

#include <QtTest>

// Save / Print pressed on the real loan-terms window: the contract row is
// stored before the dialog opens, and the note shows what the windows show.
class SavePrintFlowTest : public QObject {
    Q_OBJECT
private slots:
    void savePrintFromTheReviewWindow_data();
    void savePrintFromTheReviewWindow();
};

void SavePrintFlowTest::savePrintFromTheReviewWindow_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("failOnPage");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<int>("messages");
    QTest::newRow("printed") << true << 0 << true << 0;
    QTest::newRow("dialog cancelled") << false << 0 << false << 0;
    QTest::newRow("printer fails on page 1") << true << 1 << false << 1;
}

void SavePrintFlowTest::savePrintFromTheReviewWindow()
{
    QFETCH(bool, confirmed);
    QFETCH(int, failOnPage);
    QFETCH(bool, printed);
    QFETCH(int, messages);
    ContractWindows w;
    FakePrinterDialogService printers;
    printers.printers = {{"Office Laser", "laser", "usb1", true}};
    printers.answer.confirmed = confirmed;
    printers.answer.printerName = "OFFICE LASER";
    printers.failOnPage = failOnPage;
    int rowsWhenDialogOpened = -1;
    printers.onShow = [&] { rowsWhenDialogOpened = int(w.storedRows().size()); };
    w.session.services.printers = &printers;

    w.fillSchedule("1000", "1000", "1000", "100");
    w.field("txtPolicy1_0")->setText("POL-9");
    w.field("txtInception1_0")->setText("12/15/2024");
    w.clickNext();
    QVERIFY(w.review->isVisible());
    w.clickSavePrint();

    QCOMPARE(rowsWhenDialogOpened, 1);
    QCOMPARE(w.storedRows().size(), 1);
    QCOMPARE(printers.jobs.size(), confirmed ? 1 : 0);
    QCOMPARE(w.messages.shown.size(), messages);
    QCOMPARE(w.review->isVisible(), !confirmed);
    QCOMPARE(w.schedule->isVisible(), confirmed);
    if (!printed)
        return;
    const RecordingSurface& note = *printers.jobs[0].surface;
    QCOMPARE(note.endDocCalls, 1);
    QCOMPARE(note.textAt(1, 9, 31)->text, "$" + w.shown("lblAmtFin"));
    QCOMPARE(note.textAt(1, 9, 31)->text, QString("$2120.00"));
    QCOMPARE(note.textAt(1, 47, 31)->text, QString("$126.00"));
    QCOMPARE(note.textAt(1, 81, 63)->text, QString("1/15/2025"));
    QCOMPARE(note.textAt(1, 7, 88)->text, QString("POL-9"));
    QCOMPARE(note.textAt(1, 47, 139)->text, QString("$100"));
    QCOMPARE(note.textAt(1, 179, 156)->text, w.shown("txtDown"));
    QVERIFY(note.find("Ann Agent", 1));
    QVERIFY(note.find("Carl's Hauling", 1));
}

QTEST_MAIN(SavePrintFlowTest)
#include "tst_SavePrintFlow.moc"
