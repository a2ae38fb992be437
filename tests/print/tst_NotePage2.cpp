#include "print/NoteWording.h"
#include "support/NoteSamples.h"

#include <QtTest>

// Page 2: started by its own procedure, the same for every contract but the
// version, every line at the ordinary pitch, a regular-weight footer.
class NotePage2Test : public QObject {
    Q_OBJECT
private slots:
    void captionsAtTheirPlaces_data();
    void captionsAtTheirPlaces();
    void checkBoxesComeBeforeTheirLabels();
    void writeInRules();
    void columnsRunAtTheOrdinaryPitch_data();
    void columnsRunAtTheOrdinaryPitch();
    void footAndVersion();
    void sameForEveryContractButTheVersion();
    void startsItsOwnPage();

private:
    RecordedNote m_note;
};

namespace {
constexpr double kNext = -1;
}

void NotePage2Test::captionsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    const auto row = [](const char* name, const QString& text, double x, double y) {
        QTest::newRow(name) << text << x << y;
    };
    row("mail to", "MAIL OR FAX THE SIGNED ORIGINAL TO:", 7, 8);
    row("blank under it", "", 7, kNext);
    row("lender", "TLY", 7, kNext);
    row("box number", "P.O. BOX 5550", 7, kNext);
    row("city", "ANYTOWN, TX 75555", 7, kNext);
    row("how shall we pay", "HOW SHALL WE PAY YOU?", 107, 8);
    row("pay on or before", "PAY ON OR BEFORE:", 113, 14.5);
    row("pay asap", "PAY ASAP", 113, 21);
    row("mga", "PAY MGA Or BROKER(Specify):", 113, 27.5);
    row("assigned risk", "ASSIGNED RISK (To be assigned)", 113, 34);
    row("direct", "DIRECT TO COMPANY", 113, 40.5);
    row("our agency", "OUR AGENCY", 113, 47);
    row("other", "OTHER (Specify):", 113, 53.5);
    row("except", "EXCEPT FOR ASSIGNED RISK POLICIES,  AGENT MAY RETAIN OR", 107, 64);
    row("remit", "REMIT PART OR  ALL  OF  THE  DOWN  PAYMENT.  WE  WILL PAY", 107, kNext);
    row("mga your agy", "MGA, YOUR AGY, ETC PER YOUR INSTRUCTIONS:", 107, kNext);
    row("agent statement", QStringLiteral("AGENT\u2019S STATEMENT:  This  note  shall  be  NON-RECOURSE  to  the"),
        107, 115);
    row("subject to", "agent subject to the following:", 107, kNext);
    row("blank before item 1", "", 107, kNext);
    row("item 1", "1.  DESCRIPTION  AND  DOWN PAYMENT:", 107, kNext);
}

void NotePage2Test::captionsAtTheirPlaces()
{
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    const RecordingSurface& s = m_note.surface;
    const QList<RecordingSurface::Text> page = s.textsOn(2);
    qsizetype found = -1;
    for (qsizetype i = 0; i < page.size() && found < 0; ++i)
        if (page[i].text == text && page[i].x == x && (y == kNext || page[i].y == y))
            found = i;
    QVERIFY2(found >= 0, qPrintable(text));
    if (y == kNext)
        y = page[found - 1].y + s.lineHeightAt(8);
    QCOMPARE(page[found].y, y);
    QCOMPARE(page[found].font, print::SurfaceFont{});
}

void NotePage2Test::checkBoxesComeBeforeTheirLabels()
{
    const RecordingSurface& s = m_note.surface;
    for (double top : {14.5, 21.0, 27.5, 34.0, 40.5, 47.0, 53.5}) {
        QCOMPARE(s.strokeCount(2, 109.5, top, 109.5, top + 2.5), 1);
        QCOMPARE(s.strokeCount(2, 109.5, top + 2.5, 107, top + 2.5), 1);
        QCOMPARE(s.strokeCount(2, 107, top + 2.5, 107, top), 1);
    }
    // All seven boxes, then the labels.
    const RecordingSurface::Text* firstLabel = s.find("PAY ON OR BEFORE:", 2);
    QVERIFY(firstLabel);
    QCOMPARE(s.strokesOn(2)[20].x2, 107.0);
    QVERIFY(s.strokesOn(2)[20].order < firstLabel->order);
}

void NotePage2Test::writeInRules()
{
    QList<double> ys;
    for (const RecordingSurface::Stroke& r : m_note.surface.strokesOn(2))
        if (r.x1 == 107 && r.x2 == 210 && r.y1 == r.y2)
            ys.append(r.y1);
    QCOMPARE(ys, (QList<double>{82, 89, 96, 103, 110}));
}

void NotePage2Test::columnsRunAtTheOrdinaryPitch_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("fromY");
    QTest::addColumn<int>("lines");
    int left = 0;
    for (const QStringList& block : print::wording::instructionBlocks())
        left += block.size() + 1;
    int right = 2;
    for (const QStringList& item : print::wording::agentStatementItems())
        right += item.size() + 1;
    QTest::newRow("instructions") << 7.0 << 25.0 << left - 1;
    QTest::newRow("agent's statement") << 107.0 << 115.0 << right;
}

void NotePage2Test::columnsRunAtTheOrdinaryPitch()
{
    QFETCH(double, x);
    QFETCH(double, fromY);
    QFETCH(int, lines);
    const RecordingSurface& s = m_note.surface;
    const double lh = s.lineHeightAt(8);
    QList<RecordingSurface::Text> column;
    for (const RecordingSurface::Text& t : s.textsOn(2))
        if (t.x == x && t.y >= fromY && t.y < 250)
            column.append(t);
    QCOMPARE(column.size(), lines);
    for (int i = 1; i < column.size(); ++i)
        QCOMPARE(column[i].y, column[i - 1].y + lh);
    if (x == 7) {
        // Under the mail block: the toll-free line, a blank line, then the first block.
        const RecordingSurface::Text* tollFree = s.find("TOLL FREE (800) 555-0199", 2);
        QVERIFY(tollFree);
        QCOMPARE(tollFree->y, 14.35 + 2 * lh);
        QCOMPARE(column.first().y, tollFree->y + 2 * lh);
        QVERIFY(column.first().text.startsWith("MAKE COPY(S) FOR (1) AGENCY FILE,"));
        for (const QString& line : QStringList{"PHONE (214) 555-0142", "FAX (214) 555-0143", "TOLL FREE (800) 555-0199"}) {
            const RecordingSurface::Text* t = s.find(line, 2);
            QVERIFY(t);
            QCOMPARE(t->x + s.widthAt(line, 8), 98.0);
        }
    }
}

void NotePage2Test::footAndVersion()
{
    const RecordingSurface& s = m_note.surface;
    const RecordingSurface::Text* version = s.find("Version 8.0", 2);
    QVERIFY(version);
    QCOMPARE(version->x, 7.0);
    QCOMPARE(version->y, 254.0);
    QCOMPARE(version->font.size, 6.0);
    const QString footer = m_note.lender.footerLine();
    const RecordingSurface::Text* foot = s.find(footer, 2);
    QVERIFY(foot);
    QCOMPARE(foot->y, 258.0);
    QCOMPARE(foot->font.size, 8.0);
    QVERIFY(!foot->font.bold);
    QCOMPARE(foot->x, 108.5 - print::roundHalfEven(s.widthAt(footer, 8)) / 2);
    QVERIFY2(s.find(footer, 1)->font.bold, "page 1 has the bold footer");
}

void NotePage2Test::sameForEveryContractButTheVersion()
{
    print::NoteValues other;
    other.version = "9.1";
    const RecordedNote note(other);
    const QList<RecordingSurface::Text> a = m_note.surface.textsOn(2), b = note.surface.textsOn(2);
    QCOMPARE(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].text.startsWith("Version ")) {
            QCOMPARE(b[i].text, QString("Version 9.1"));
            continue;
        }
        QCOMPARE(b[i].text, a[i].text);
        QCOMPARE(b[i].x, a[i].x);
        QCOMPARE(b[i].y, a[i].y);
    }
    QCOMPARE(note.surface.strokesOn(2).size(), m_note.surface.strokesOn(2).size());
}

void NotePage2Test::startsItsOwnPage()
{
    const RecordingSurface& s = m_note.surface;
    QCOMPARE(s.newPageCalls, 1);
    QCOMPARE(s.letterPortraitCalls, 1);
    QCOMPARE(s.endDocCalls, 0); // the print command ends the job
    for (const RecordingSurface::Text& t : s.textsOn(2)) {
        QCOMPARE(t.originX, 0.0);
        QCOMPARE(t.originY, 3.0);
    }
}

QTEST_MAIN(NotePage2Test)
#include "tst_NotePage2.moc"
