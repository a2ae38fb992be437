#include "model/print/KeptNotes.h"
#include "model/print/PainterSurface.h"
#include "model/print/PdfFileTarget.h"
#include "support/FileBytes.h"
#include "support/TestProgram.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {
// Where poppler finds a word on a page of a PDF: its top-left corner in millimetres from the paper's.
QPointF wordAt(const QString& pdf, int page, const QString& word)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    pdftotext.waitForFinished(300000);
    const QRegularExpression tag(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>)re" + word + "</word>");
    const QRegularExpressionMatch m = tag.match(QString::fromUtf8(pdftotext.readAllStandardOutput()));
    return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72 : QPointF();
}

// The desktop's real PDF output, chosen in a dialog that always answers with a file, on a disk
// that fills once the file is open: until the disk is freed, no file of this process may grow past
// 16 KiB, and writes beyond fail after the file was opened and partly written.
class PdfOnFullDisk final : public ui::PrinterDialogService {
public:
    explicit PdfOnFullDisk(QString file) : m_file(std::move(file)) { getrlimit(RLIMIT_FSIZE, &m_free); }
    ~PdfOnFullDisk() override { free(); }
    QList<InstalledPrinter> installedPrinters() const override { return {}; }
    ui::PrinterDialogAnswer show(QWidget*, const ui::PrinterDialogRequest&) override { return {true, {}, m_file, {}}; }
    std::unique_ptr<print::DrawingSurface> openSurface(const CurrentPrinter& printer, const QString& file) override
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = m_free;
        full.rlim_cur = 16 * 1024;
        setrlimit(RLIMIT_FSIZE, &full);
        return ui::QtPrinterDialogService().openSurface(printer, file);
    }
    void preview(QWidget*, const CurrentPrinter&, const std::function<void(print::DrawingSurface&)>&) override {}
    void free()
    {
        setrlimit(RLIMIT_FSIZE, &m_free);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    QString m_file;
    rlimit m_free{};
};

const QString kPrinterFailed = "Unable to communicate with the printer.  Results were saved but not printed.";
const QByteArray kSettings = "[lender]\nphone=(972) 555-0123\nstreet=\" 9 MAIN ST \"\nfax=\n";

} // namespace

// Save / Print pressed on the real loan-terms window: the contract is stored before the dialog
// opens, the note shows what the windows show and is kept as its owner's PDF, and the user lands
// on the policy schedule unless the dialog was cancelled.
class SavePrintTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_w = std::make_unique<NewContract>();
        FakePrinterDialogService& printers = m_w->printers;
        printers.printers = {{"Front Desk", "inkjet", "lpt1", false}, {"Office Laser", "laser", "usb1", true}};
        printers.answer = {true, "OFFICE LASER", {}, {}};
        printers.onShow = [this] { m_rowsWhenDialogOpened = m_w->storedRows().size(); };
        m_w->session().IniPath = m_w->dir.filePath("quillon.ini");
        m_w->session().env.notesFolder = m_w->dir.filePath("Documents/QUILLON");
        writeFile(m_w->session().IniPath, kSettings);
        // Addresses the note prints, which a contract does not keep: Print Again finds them in the tables.
        m_w->session().CurCust.City = "Tyler", m_w->session().CurAgent.Phone = "555-0100";
        store::Connection(m_w->session().database()).run("UPDATE Customer SET City = 'Tyler'");
        store::Connection(m_w->session().database()).run("UPDATE Agent SET Phone = '555-0100'");
        m_w->run({"set txtPremium1_0 1000", "set txtPremium2_0 1000", "set txtPremium3_0 1000", "tick chkTax", "set txtTax 100",
                  "set txtPolicy1_0 POL-9", "set txtInception1_0 12/15/2024", "next", "tick optPersonal"});
    }
    void savePrint_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("failOnPage");
        QTest::newRow("printed") << true << 0;
        QTest::newRow("dialog cancelled") << false << 0;
        QTest::newRow("printer fails on page 1") << true << 1;
    }
    void savePrint()
    {
        QFETCH(bool, confirmed);
        QFETCH(int, failOnPage);
        FakePrinterDialogService& printers = m_w->printers;
        printers.answer.confirmed = confirmed;
        printers.failOnPage = failOnPage;
        // A note kept before the database was restored from a copy: its ID is not handed out again.
        const QString notes = print::keptNotesFolder(m_w->session()), earlier = notes + "/9 Alpha Co 2025-03-14.pdf";
        QVERIFY(QDir().mkpath(notes) && QFile(earlier).open(QIODevice::WriteOnly));
        m_w->run({"save"});

        QCOMPARE(m_rowsWhenDialogOpened, 1);
        QCOMPARE(printers.requests.size(), 1);
        // The desktop's default printer, and what the dialog needs to propose the note's file name.
        const ui::PrinterDialogRequest& request = printers.requests[0];
        QCOMPARE((QStringList{request.printerName, request.notesFolder, request.customerDba, request.day.toString(Qt::ISODate)}),
                 (QStringList{"Office Laser", m_w->session().env.notesFolder, "Carl's Hauling", "2025-03-14"}));
        QCOMPARE(printers.jobs.size(), confirmed ? 1 : 0);
        QCOMPARE(m_w->review()->isVisible(), !confirmed);
        QCOMPARE(m_w->schedule()->isVisible(), confirmed);
        // The note is kept whenever it went to the printer, so a failed printer loses nothing.
        const QString id = m_w->storedRows()[0]["ID"];
        QCOMPARE(id, QString("10"));
        const QString kept = print::findKeptNote(print::keptNotesFolder(m_w->session()), id.toLongLong(), "Carl's Hauling", QDate(2025, 3, 14));
        QCOMPARE(QFileInfo(kept).fileName(), confirmed ? id + " Carl's Hauling 2025-03-14.pdf" : QString());
        if (confirmed) {
            QCOMPARE(QFile(kept).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
            const QByteArray pdf = bytesOf(kept);
            QVERIFY(print::isWholePdf(pdf) && !print::isWholePdf(QByteArray(pdf).insert(20, ' '))); // its table one byte off
            QCOMPARE(pdf.count("/MediaBox [0 0 612.000000 792.000000]"), 2); // two Letter portrait pages
            // Words where the layout puts them on paper: less each page's origin offset, (2, 3) on page 1
            // and (0, 3) on page 2, plus the PDF's printable margin.
            const double m = print::PainterSurface::kPdfMarginMm;
            const QPointF coverage = wordAt(kept, 1, "COVERAGE") - QPointF(126 - 2 + m, 82 - 3 + m);
            const QPointF version = wordAt(kept, 2, "Version") - QPointF(7 + m, 254 - 3 + m);
            QVERIFY2(coverage.manhattanLength() < 0.5 && version.manhattanLength() < 0.5, "note words moved");
        }
        if (failOnPage) {
            QCOMPARE(m_w->messages.shown, (QList<FakeMessageBoxService::Shown>{{kPrinterFailed, ui::MessageIcon::Critical, "QUILLON"}}));
            const Drawing& failed = *printers.jobs[0];
            QVERIFY(failed.failed);
            QCOMPARE(failed.callsAfterFailure + failed.endDocs, 0);
            return;
        }
        QCOMPARE(m_w->messages.shown.size(), 0);
        if (!confirmed)
            return;
        const Drawing& note = *printers.jobs[0];
        QCOMPARE(note.endDocs, 1);
        QCOMPARE(note.textAt(1, 9, 31), "$" + m_w->valueOf("lblAmtFin"));
        QCOMPARE(note.textAt(1, 47, 63), "$" + m_w->valueOf("lblAmtInstall"));
        QCOMPARE(note.textAt(1, 179, 156), m_w->valueOf("txtDown"));
        // A consumer's own rate in box D: 2120.00 lent on 12/15/2024 (its fee of 41.20 advanced with it), 8 of 280.75 from 1/15/2025.
        QCOMPARE(note.textAt(1, 120, 31), QString("10.36"));
        QCOMPARE(note.textAt(1, 160, 47.22), QString("X"));
        QCOMPARE(note.textAt(1, 7, 88), QString("POL-9"));
        QVERIFY(note.find("Carl's Hauling", 1));
        // The [lender] section overrides the built-in texts; a blank value keeps its default.
        QVERIFY(note.find("TLY-TARNLEY CREDIT CO,  9 MAIN ST , P.O. BOX 5550, ANYTOWN, TX 75555, "
                          "PH (972) 555-0123, FAX (214) 555-0143",
                          2));
        QCOMPARE(bytesOf(m_w->session().IniPath), kSettings); // only read

        // Print Again weeks later, another customer chosen meanwhile, draws the very note Save / Print drew, from
        // what is stored, offers its file the contract's own day and DBA, and stores nothing.
        m_w->clock = m_w->clock.addDays(40);
        m_w->session().SelectedName = "Carl's Hauling";
        m_w->session().CurCust.DBA = "Another Co";
        QVERIFY(m_w->previous()->showFromSchedule());
        m_w->previous()->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == m_w->previous());
        QTest::keyClick(m_w->previous()->findChild<QWidget*>("fgRecords"), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(printers.jobs.size(), 2);
        const auto texts = [](const Drawing& drawing) {
            QStringList all;
            for (const Drawing::Text& t : drawing.texts)
                all << QString("%1 %2 %3 %4").arg(t.page).arg(t.x).arg(t.y).arg(t.text);
            return all;
        };
        QCOMPARE(texts(*printers.jobs[1]), texts(note));
        QCOMPARE(printers.requests.last().day, QDate(2025, 3, 14));
        QCOMPARE(printers.requests.last().customerDba, QString("Carl's Hauling"));
        QCOMPARE(m_w->storedRows().size(), 1);
        QCOMPARE(QDir(notes).entryList(QDir::Files).size(), 2);
    }
    // The disk fills while the note is written: the job fails, a file that already had the name is
    // kept as it was, and nothing half-written is left, there or among the kept notes.
    void pdfOnAFullDiskIsAPrinterFailure()
    {
        QTemporaryDir folder;
        const QByteArray earlier("%PDF-1.4 an earlier note");
        const QString note = folder.filePath("note.pdf");
        writeFile(note, earlier);
        PdfOnFullDisk pdf(note);
        m_w->session().services.printers = &pdf;
        m_w->run({"save"});
        pdf.free();
        QCOMPARE(m_w->storedRows().size(), 1);
        const QString notes = print::keptNotesFolder(m_w->session());
        QCOMPARE(m_w->messages.shown,
                 (QList<FakeMessageBoxService::Shown>{
                     {kPrinterFailed, ui::MessageIcon::Critical, "QUILLON"},
                     {"The note could not be kept as a PDF file in " + notes + ".", ui::MessageIcon::Warning, "QUILLON"}}));
        QVERIFY(m_w->schedule()->isVisible());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"note.pdf"});
        QCOMPARE(bytesOf(note), earlier);
        QCOMPARE(QDir(notes).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

private:
    std::unique_ptr<NewContract> m_w;
    qsizetype m_rowsWhenDialogOpened = -1;
};

QTEST_MAIN(SavePrintTest)
#include "tst_SavePrint.moc"
