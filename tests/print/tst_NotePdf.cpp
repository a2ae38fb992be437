#include "print/PainterSurface.h"
#include "print/PdfFileTarget.h"
#include "print/PrinterError.h"
#include "support/FileSizeLimit.h"
#include "support/NoteSamples.h"
#include "support/RecordingSurface.h"
#include "ui/PrinterDialogService.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// The whole note printed to a PDF file through the real printer path, read back
// with poppler's pdftotext: two Letter portrait pages, and words where the layout puts them
// once the origin offset and the PDF's printable margin are counted.
class NotePdfTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void onlyTheFinishedFileOfTwoLetterPages();
    void wordsWhereTheLayoutPutsThem_data();
    void wordsWhereTheLayoutPutsThem();
    void unwritableFileFailsAtTheFirstDrawing();
    void fileThatCannotBeWrittenWholeKeepsTheEarlierOne();
    void wholePdf_data();
    void wholePdf();

private:
    struct Word { int page; double x, y; QString text; }; // x, y: top-left, millimetres from the paper's corner
    QList<Word> m_words;
    QStringList m_pageSizes;
    QTemporaryDir m_dir;
};

void NotePdfTest::initTestCase()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = m_dir.filePath("note.pdf");
    std::unique_ptr<print::DrawingSurface> surface = ui::QtPrinterDialogService().openSurface({}, pdf);
    QVERIFY(surface);
    drawNote(*surface);
    surface.reset();

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    QVERIFY(pdftotext.waitForFinished(60000));
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression pageTag(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    static const QRegularExpression wordTag(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (const QRegularExpressionMatch& m : pageTag.globalMatch(html))
        m_pageSizes << QStringLiteral("%1 x %2 pt").arg(m.captured(1).toDouble()).arg(m.captured(2).toDouble());
    int page = 0;
    for (const QString& pageText : html.split("<page ")) {
        for (const QRegularExpressionMatch& m : wordTag.globalMatch(pageText))
            m_words.append({page, m.captured(1).toDouble() * 25.4 / 72, m.captured(2).toDouble() * 25.4 / 72,
                            m.captured(3).replace("&amp;", "&")});
        ++page;
    }
}

void NotePdfTest::onlyTheFinishedFileOfTwoLetterPages()
{
    QCOMPARE(m_pageSizes, (QStringList{"612 x 792 pt", "612 x 792 pt"}));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"note.pdf"});
}

void NotePdfTest::wordsWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("word");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    // Page coordinates less the origin offset, (2, 3) on page 1 and (0, 3) on page 2, plus the margin.
    const double m = print::PainterSurface::kPdfMarginMm;
    const double titleWidth = RecordingSurface().metricsAt(12).textWidth("PREMIUM FINANCE NOTE");
    QTest::newRow("title") << 1 << "PREMIUM" << 108.5 - print::roundHalfEven(titleWidth) / 2 - 2 + m << 6 - 3 + m;
    QTest::newRow("amount financed") << 1 << "$2120.00" << 9 - 2 + m << 31 - 3 + m;
    QTest::newRow("version caption") << 2 << "Version" << 7 - 0 + m << 254 - 3 + m;
}

void NotePdfTest::wordsWhereTheLayoutPutsThem()
{
    QFETCH(int, page);
    QFETCH(QString, word);
    QFETCH(double, x);
    QFETCH(double, y);
    const Word* best = nullptr;
    for (const Word& w : m_words)
        if (w.page == page && w.text == word && (!best || qAbs(w.y - y) < qAbs(best->y - y)))
            best = &w;
    QVERIFY2(best, qPrintable(word));
    QVERIFY2(qAbs(best->x - x) <= 0.5, qPrintable(QStringLiteral("x %1, expected %2").arg(best->x).arg(x)));
    QVERIFY2(qAbs(best->y - y) <= 0.5, qPrintable(QStringLiteral("y %1, expected %2").arg(best->y).arg(y)));
}

void NotePdfTest::unwritableFileFailsAtTheFirstDrawing()
{
    std::unique_ptr<print::DrawingSurface> surface =
        ui::QtPrinterDialogService().openSurface({}, m_dir.filePath("no such folder/note.pdf"));
    QVERIFY_THROWS_EXCEPTION(print::PrinterError, drawNote(*surface));
    QVERIFY_THROWS_EXCEPTION(print::PrinterError, surface->endDoc()); // once failed, the job takes nothing more
}

// The disk fills while the note is written: the job fails, and a file that already had the name
// is kept as it was, with nothing half-written beside it.
void NotePdfTest::fileThatCannotBeWrittenWholeKeepsTheEarlierOne()
{
    const QByteArray earlier("%PDF-1.4 an earlier note");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("full.pdf");
    {
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
    }
    std::unique_ptr<print::DrawingSurface> surface = ui::QtPrinterDialogService().openSurface({}, pdf);
    {
        const FileSizeLimit full(16 * 1024);
        QVERIFY_THROWS_EXCEPTION(print::PrinterError, drawNote(*surface));
    }
    surface.reset();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"full.pdf"});
    QFile file(pdf);
    QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), earlier);
}

void NotePdfTest::wholePdf_data()
{
    QFile file(m_dir.filePath("note.pdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray note = file.readAll();
    const qsizetype xref = note.lastIndexOf("\nxref");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whole");
    QTest::newRow("the printed note") << note << true;
    QTest::newRow("cut in the middle") << note.left(note.size() / 2) << false;
    QTest::newRow("bytes lost before the table") << note.left(xref - 10) + note.mid(xref) << false;
    QTest::newRow("not a PDF") << QByteArray("xref\nstartxref\n0\n%%EOF\n") << false;
}
void NotePdfTest::wholePdf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whole);
    QCOMPARE(print::isWholePdf(bytes), whole);
}

QTEST_MAIN(NotePdfTest)
#include "tst_NotePdf.moc"
