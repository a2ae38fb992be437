#include "print/NoteWording.h"
#include "support/NoteSamples.h"
#include "support/RecordingSurface.h"

#include <QtTest>

using namespace print::wording;

// Both pages of the note on a recording surface: the contract's values at their places, with their
// "$" signs and marks, the texts aligned as laid out, and the wording within its columns.
class NotePagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void valuesInTheirPlaces_data();
    void valuesInTheirPlaces();
    void alignedTexts_data();
    void alignedTexts();
    void wordingFitsItsColumns();

private:
    RecordingSurface m_surface;
    const Drawing& m_d = *m_surface.drawing;
};

void NotePagesTest::initTestCase()
{
    drawNote(m_surface);
    QCOMPARE(m_d.newPages, 1);
    QCOMPARE(print::roundHalfEven(51.5), 52.0);
    QCOMPARE(print::roundHalfEven(52.5), 52.0);
    QCOMPARE(print::roundHalfEven(52.5000001), 53.0);
}

void NotePagesTest::valuesInTheirPlaces_data()
{
    QTest::addColumn<bool>("personal"); // also: tax and other unticked, with an amount and a description typed
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("text");
    const QList<std::tuple<bool, double, double, QString>> rows = {
        {false, 171, 7, "LA-7781"}, {false, 9, 31, "$2120.00"}, {false, 47, 31, "$126.00"}, {false, 81, 31, "$2246.00"},
        {false, 120, 31, "10.50"}, {false, 9, 63, "8"}, {false, 47, 63, "$280.75"}, {false, 81, 63, "1/15/2025"},
        {false, 160, 53.22, "X"}, {false, 160, 47.22, "<nothing>"}, {true, 160, 47.22, "X"}, {true, 160, 53.22, "<nothing>"},
        // Section rows, each column on its line: 1 at 88, 2 at 110, 3 at 124.
        {false, 7, 88, "POL1.0"}, {false, 28, 110, "COMPANY 2.0"}, {false, 7, 124, "POL3.0"}, {false, 99, 124, "1000.00"},
        {false, 126, 88, "COV1.0"}, {false, 148, 88, "01/10/24"}, {false, 168, 88, "01/10/25"}, {false, 186, 88, "12.1.0"},
        {false, 7.5, 138.5, "x"}, {false, 47, 139, "$100.00"}, {false, 47, 149.5, "$7.50"}, {false, 67, 149.5, "STAMPING FEE"},
        {true, 7.5, 138.5, "<nothing>"}, {true, 47, 139, "<nothing>"}, {true, 47, 149.5, "<nothing>"},
        {true, 67, 149.5, "<nothing>"}, {false, 73, 156, "3100.00"}, {false, 179, 156, "980.00"},
    };
    for (const auto& [personal, x, y, text] : rows)
        QTest::addRow("%s at %g, %g%s", qPrintable(text), x, y, personal ? ", personal" : "") << personal << x << y << text;
}

void NotePagesTest::valuesInTheirPlaces()
{
    QFETCH(bool, personal);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, text);
    print::NoteValues v = sampleNoteValues();
    if (personal) {
        v.personal = true;
        v.tax.ticked = v.other.ticked = false;
    }
    RecordingSurface surface;
    drawNote(surface, v);
    QCOMPARE(surface.drawing->textAt(1, x, y), text);
}

void NotePagesTest::alignedTexts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x"); // left edge; right edge for "right"; ignored for "centre"
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("how");
    const double lh = RecordingSurface().metricsAt(8).lineHeight();
    const QString footer = print::defaultLenderTexts().footerLine();
    const auto row = [](int page, const QString& text, double x, double y, double size = 8, const char* how = "left") {
        QTest::addRow("page %d: %s", page, qPrintable(text.left(40))) << page << text << x << y << size << QString(how);
    };
    row(1, "PREMIUM FINANCE NOTE", 0, 6, 12, "centre");
    row(1, "TLY-TARNLEY CREDIT CO", 202, 16, 8, "right");
    row(1, footer, 0, 260, 8, "bold centre");
    row(2, "FAX (214) 555-0143", 98, 14.35 + lh, 8, "right");
    row(2, "Version 8.0", 7, 254, 6);
    row(2, footer, 0, 258, 8, "centre");
}

void NotePagesTest::alignedTexts()
{
    QFETCH(int, page);
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, size);
    QFETCH(QString, how);
    const Drawing::Text* t = m_d.find(text, page);
    QVERIFY(t);
    const print::SurfaceFont font{.size = size, .bold = how.startsWith("bold")};
    QCOMPARE(t->font, font);
    QCOMPARE(t->y, y);
    const double width = m_surface.metricsAt(size, font.bold).textWidth(text);
    if (how == "right")
        QCOMPARE(t->x + width, x);
    else if (how.endsWith("centre"))
        QCOMPARE(t->x, 108.5 - print::roundHalfEven(width) / 2);
    else
        QCOMPARE(t->x, x);
}

void NotePagesTest::wordingFitsItsColumns()
{
    // Each block's lines, short of the next column or the printable edge.
    const QList<std::tuple<QList<QStringList>, double, double>> columns = {
        {{agreementParagraph1(), agreementParagraph2(), agreementParagraph3()}, 7, 106},
        {{agreementParagraph4(), agreementParagraph5(), agentStatementPage1()}, 108.5, 205},
        {instructionBlocks(), 7, 104},
        {QList<QStringList>{agentStatementOpening()} + agentStatementItems(), 107, 203},
    };
    for (const auto& [blocks, left, right] : columns)
        for (const QStringList& block : blocks) {
            QVERIFY(!block.isEmpty());
            for (const QString& line : block)
                QVERIFY2(left + m_surface.metricsAt(8).textWidth(line) <= right, qPrintable(line));
        }
}

QTEST_MAIN(NotePagesTest)
#include "tst_NotePages.moc"
