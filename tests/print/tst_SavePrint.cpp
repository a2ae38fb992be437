#include "contract/ContractWindows.h"
#include "print/PdfFileTarget.h"
#include "support/FakePrinterDialogService.h"
#include "support/FileSizeLimit.h"
#include "ui/KeptNotes.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <sys/stat.h>

// Save / Print pressed on the real loan-terms window: the contract is stored
// before the dialog opens, the note shows what the windows show, and the user
// lands on the policy schedule unless the dialog was cancelled.
class SavePrintTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void savePrint_data();
    void savePrint();
    void secondPrinterServesThisAndLaterJobs();
    void pdfThatCannotBeWrittenWholeIsAPrinterFailure();
    void previewShowsWhatSavePrintPrintsAndSavesNothing();

private:
    std::unique_ptr<ContractWindows> m_w;
    std::unique_ptr<FakePrinterDialogService> m_printers;
    qsizetype m_rowsWhenDialogOpened = -1;
};

namespace {
// The desktop's real PDF output, chosen in a dialog that always answers with a file, on a disk
// that fills once the file is open.
class PdfOnFullDisk final : public ui::PrinterDialogService {
public:
    explicit PdfOnFullDisk(QString file) : m_file(std::move(file)) {}
    QList<ui::InstalledPrinter> installedPrinters() const override { return {}; }
    ui::PrinterDialogAnswer show(QWidget*, const ui::PrinterDialogRequest&) override { return {true, {}, m_file, {}}; }
    std::unique_ptr<print::DrawingSurface> openSurface(const ui::CurrentPrinter& printer, const QString& file) override
    {
        full = std::make_unique<FileSizeLimit>(16 * 1024);
        return ui::QtPrinterDialogService().openSurface(printer, file);
    }
    void preview(QWidget*, const ui::CurrentPrinter&, const std::function<void(print::DrawingSurface&)>&) override {}
    std::unique_ptr<FileSizeLimit> full;

private:
    QString m_file;
};

const QString kPrinterFailed = "Unable to communicate with the printer.  Results were saved but not printed.";
const QByteArray kSettings = "[lender]\nphone=(972) 555-0123\nstreet=\" 9 MAIN ST \"\nfax=\n";
}

void SavePrintTest::init()
{
    m_printers = std::make_unique<FakePrinterDialogService>();
    m_printers->printers = {{"Front Desk", "inkjet", "lpt1", false}, {"Office Laser", "laser", "usb1", true}};
    m_printers->answer = {true, "OFFICE LASER", {}, {}};
    m_printers->onShow = [this] { m_rowsWhenDialogOpened = m_w->storedRows().size(); };
    m_w = std::make_unique<ContractWindows>();
    m_w->session.services.printers = m_printers.get();
    m_w->session.IniPath = m_w->dir.filePath("quillon.ini");
    QFile settings(m_w->session.IniPath);
    QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write(kSettings) == kSettings.size());

    m_w->fillSchedule("1000", "1000", "1000", "100");
    m_w->field("txtPolicy1_0")->setText("POL-9");
    m_w->field("txtInception1_0")->setText("12/15/2024");
    m_w->clickNext();
}

void SavePrintTest::savePrint_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("failOnPage");
    QTest::newRow("printed") << true << 0;
    QTest::newRow("dialog cancelled") << false << 0;
    QTest::newRow("printer fails on page 1") << true << 1;
}

void SavePrintTest::savePrint()
{
    QFETCH(bool, confirmed);
    QFETCH(int, failOnPage);
    m_printers->answer.confirmed = confirmed;
    m_printers->failOnPage = failOnPage;
    m_w->in<QRadioButton>(m_w->review, "optPersonal")->setChecked(true);
    m_w->clickSavePrint();

    QCOMPARE(m_rowsWhenDialogOpened, 1);
    QCOMPARE(m_printers->requests.size(), 1);
    QCOMPARE(m_printers->requests[0].flags, 268); // no selection, no page numbers, a drawing context
    QCOMPARE(m_printers->requests[0].printerName, QString("Office Laser")); // the desktop's default
    QCOMPARE(m_printers->lastOwner, m_w->review);
    QCOMPARE(m_printers->jobs.size(), confirmed ? 1 : 0);
    QCOMPARE(m_w->review->isVisible(), !confirmed);
    QCOMPARE(m_w->schedule->isVisible(), confirmed);
    // The note is kept whenever it went to the printer, so a failed printer loses nothing.
    const QString kept = ui::findKeptNote(ui::keptNotesFolder(m_w->session), m_w->storedRows()[0]["ID"].toLongLong());
    QCOMPARE(QFileInfo(kept).fileName(),
             confirmed ? m_w->storedRows()[0]["ID"] + " Carl's Hauling 2025-03-14.pdf" : QString());
    if (confirmed) {
        struct stat file {};
        QCOMPARE(::stat(QFile::encodeName(kept).constData(), &file), 0);
        QCOMPARE(file.st_mode & 0777, 0600u);
        QFile pdf(kept);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && print::isWholePdf(pdf.readAll()));
    }
    if (failOnPage) {
        QCOMPARE(m_w->messages.shown, (QList<FakeMessageBoxService::Shown>{{kPrinterFailed, ui::MessageIcon::Critical, "QUILLON"}}));
        const Drawing& failed = *m_printers->jobs[0].drawing;
        QVERIFY(failed.failed);
        QCOMPARE(failed.callsAfterFailure, 0);
        QCOMPARE(failed.endDocs, 0);
        return;
    }
    QCOMPARE(m_w->messages.shown.size(), 0);
    if (!confirmed)
        return;
    const Drawing& note = *m_printers->jobs[0].drawing;
    QCOMPARE(note.endDocs, 1);
    QCOMPARE(note.textAt(1, 9, 31), "$" + m_w->valueOf("lblAmtFin"));
    QCOMPARE(note.textAt(1, 47, 63), "$" + m_w->valueOf("lblAmtInstall"));
    // A consumer's own rate in box D: 2120.00 lent on 12/15/2024, 8 of 280.75 from 1/15/2025.
    QCOMPARE(note.textAt(1, 120, 31), QString("15.61"));
    QCOMPARE(note.textAt(1, 81, 63), QString("1/15/2025"));
    QCOMPARE(note.textAt(1, 160, 47.22), QString("X"));
    QCOMPARE(note.textAt(1, 7, 88), QString("POL-9"));
    QCOMPARE(note.textAt(1, 47, 139), QString("$100"));
    QCOMPARE(note.textAt(1, 179, 156), m_w->valueOf("txtDown"));
    QVERIFY(note.find("Ann Agent", 1));
    QVERIFY(note.find("Carl's Hauling", 1));
    // The [lender] section overrides the built-in texts; a blank value keeps its default.
    QVERIFY(note.find("TLY-TARNLEY CREDIT CO,  9 MAIN ST , P.O. BOX 5550, ANYTOWN, TX 75555, "
                      "PH (972) 555-0123, FAX (214) 555-0143",
                      2));
    QFile settings(m_w->session.IniPath);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QCOMPARE(settings.readAll(), kSettings); // only read
}

void SavePrintTest::secondPrinterServesThisAndLaterJobs()
{
    m_printers->answer.printerName = "FRONT DESK";
    m_printers->answer.settings.copies = 3;
    m_w->clickSavePrint();
    m_w->clickNext();
    m_printers->answer.printerName = "Front Desk";
    m_w->clickSavePrint();
    QCOMPARE(m_printers->jobs.size(), 2);
    for (const FakePrinterDialogService::Job& job : m_printers->jobs) {
        QCOMPARE(job.printer.deviceName, QString("Front Desk"));
        QCOMPARE(job.printer.driverName, QString("inkjet"));
        QCOMPARE(job.printer.settings.copies, 3);
    }
    // The second dialog opens on the printer chosen the first time, not the desktop default.
    QCOMPARE(m_printers->requests[1].printerName, QString("Front Desk"));
    QCOMPARE(m_printers->requests[1].settings.copies, 3);
}

void SavePrintTest::pdfThatCannotBeWrittenWholeIsAPrinterFailure()
{
    QTemporaryDir folder;
    PdfOnFullDisk pdf(folder.filePath("note.pdf"));
    m_w->session.services.printers = &pdf;
    m_w->clickSavePrint();
    pdf.full.reset();
    QCOMPARE(m_w->storedRows().size(), 1);
    // The full disk takes the kept note too: said once more, and nothing half-written left there either.
    const QString notes = ui::keptNotesFolder(m_w->session);
    QCOMPARE(m_w->messages.shown,
             (QList<FakeMessageBoxService::Shown>{
                 {kPrinterFailed, ui::MessageIcon::Critical, "QUILLON"},
                 {"The note could not be kept as a PDF file in " + notes + ".", ui::MessageIcon::Warning, "QUILLON"}}));
    QVERIFY(m_w->schedule->isVisible());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(QDir(notes).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void SavePrintTest::previewShowsWhatSavePrintPrintsAndSavesNothing()
{
    QTest::mouseClick(m_w->in<QPushButton>(m_w->review, "cmdPreview"), Qt::LeftButton);
    QCOMPARE(m_w->storedRows().size(), 0);
    QVERIFY(m_w->review->isVisible());
    QVERIFY(m_printers->requests.isEmpty());
    QVERIFY(m_w->session.Printer.followsDefault); // the printer choice is left to Save / Print
    QCOMPARE(m_printers->previews.size(), 1);
    QCOMPARE(m_printers->previews[0].printer.deviceName, QString("Office Laser"));
    QCOMPARE(m_printers->lastOwner, m_w->review);

    m_w->clickSavePrint();
    const Drawing& previewed = *m_printers->previews[0].drawing;
    const Drawing& printed = *m_printers->jobs[0].drawing;
    QVERIFY(printed.texts.size() > 100);
    QCOMPARE(previewed.texts, printed.texts);
    QCOMPARE(previewed.strokes, printed.strokes);
    QCOMPARE(previewed.newPages, printed.newPages);
    QCOMPARE(previewed.endDocs, 1);
}

QTEST_MAIN(SavePrintTest)
#include "tst_SavePrint.moc"
