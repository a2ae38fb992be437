#include "print/NoteWording.h"
#include "support/NoteSamples.h"

#include <QtTest>

// Page 1's printed form: every caption at its place and size, the lender block,
// the agreement columns with their packed lines, rules, boxes and the footer.
class NotePage1FormTest : public QObject {
    Q_OBJECT
private slots:
    void captionsAtTheirPlaces_data();
    void captionsAtTheirPlaces();
    void centredLines_data();
    void centredLines();
    void lenderBlockEndsOnTheRightEdge();
    void rulesAreDrawn_data();
    void rulesAreDrawn();
    void boxesHaveThreeSides_data();
    void boxesHaveThreeSides();
    void agreementColumnsPackTheirLines_data();
    void agreementColumnsPackTheirLines();
    void signatureBlocks_data();
    void signatureBlocks();
    void emptyPartyFieldKeepsItsLine();
    void pageSetUp();

private:
    RecordedNote m_note;
};

namespace {
constexpr double kNext = -1; // y of the line after the row above
}

void NotePage1FormTest::captionsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    const auto row = [](const char* name, const QString& text, double x, double y) {
        QTest::newRow(name) << text << x << y;
    };
    row("check or loan", "CHECK OR LOAN", 143, 6);
    row("authorization under it", "AUTHORIZATION #", 143, kNext);
    row("box A", "A. AMOUNT FINANCED", 7, 16);
    row("box A line 2", "The amount of credit", 7, kNext);
    row("box A line 3", "provided to you or", 7, kNext);
    row("box A line 4", "on your behalf.", 7, kNext);
    row("box B", "B. FINANCE CHARGE", 45, 16);
    row("box B line 2", "the dollar amount", 45, kNext);
    row("box B line 3", "the credit will cost you.", 45, kNext);
    row("box B line 4", "**", 45, kNext);
    row("box C", "C. TOTAL OF PAYMENTS", 79, 16);
    row("box C line 2", "Amount paid after", 79, kNext);
    row("box C line 3", "making all payments", 79, kNext);
    row("box C line 4", "as scheduled", 79, kNext);
    row("box D", "ANNUAL PERCENTAGE", 119, 16);
    row("box D line 2", "RATE (APR) *", 119, kNext);
    row("box D line 3", "The cost of your", 119, kNext);
    row("box D line 4", "credit as a yearly rate", 119, kNext);
    row("box D stars, fifteen blanks apart", "*               **", 119, kNext);
    row("APR footnote", "*APR does not include a non-refundable application/filing fee in the amount of $20 plus 1% "
                        "of the amount financed.", 7, 45);
    row("fee footnote", "**Includes the application/filing fee. (Annual Percentage Rate must be entered if "
                        "Personal/Consumer is checked.)", 7, kNext);
    row("payment schedule", "YOUR PAYMENT SCHEDULE WILL BE:", 7, kNext);
    row("number of", "NUMBER OF", 7, kNext);
    row("installments under number of", "INSTALLMENTS", 7, kNext);
    row("amount of", "AMOUNT OF", 45, 54.5);
    row("first installment due", "FIRST INSTALLMENT DUE", 79, 54.5);
    row("succeeding installments", "SUCCEEDING MONTHLY INSTALLMENTS are due on", 129, 60);
    row("same day, as printed", "the same day of eacy secceeding month until paid in full.", 129, kNext);
    row("one blank", " ", 129, kNext);
    row("late fee", "LATE FEE: if a payment is ten or more days late a 5%", 129, kNext);
    row("late fee line 2", "collection/delinquency charge will be added.", 129, kNext);
    row("classification", "LOAN CLASSIFICATION:", 159, 42);
    row("personal", "Personal/Consumer", 164, 47);
    row("commercial", "Commercial/Agricultural", 164, 53);
    row("policy no", "POLICY NO.", 7, 82);
    row("section 1", "Section #1 - Policy(s) which require less than 20 days to cancel.", 7, kNext);
    row("company heading", "INSURANCE COMPANY/GENERAL AGENT/OTHER", 28, 82);
    row("premium heading", "PREMIUM/AMOUNT", 99, 82);
    row("coverage heading", "COVERAGE", 126, 82);
    row("inception heading", "INCEPTION", 148, 82);
    row("expiration heading", "EXPIRATION", 168, 82);
    row("term heading", "TERM/YR", 186, 82);
    row("section 2", "Section #2 - Policy(s) which require more than 20 days to cancel such as Truckers with "
                     "filings, etc.", 7, 107);
    row("section 3", "Section #3 - Policy(s) which require 60 days or more to cancel such as Work Comp, etc.", 7, 121);
    row("section 4", "Section #4 - List any special items in this section such as any tax, fees, minimum fully "
                     "earned premiums, old balances, etc.", 7, 135);
    row("tax", "S/L TAX", 14, 139);
    row("fees", "FULLY EARNED FEES", 14, 142.5);
    row("surcharge", "S/L SURCHARGE", 14, 146);
    row("other", "OTHER:(Describe)", 14, 149.5);
    row("grand total", "GRAND TOTAL OF PREMIUMS, FEES, ETC", 7, 157);
    row("down payment", "DOWN PAYMENT: (25% X SECT. 1 + 30% X", 108.5, 154);
    row("down payment line 2", "SECT. 2 + 33% SECT. 3 + SECT. 4)", 108.5, kNext);
    row("agreement heading", "INSURED AGREEMENT WITH TLY TARNLEY CREDIT COMPANY:", 7, 162);
    row("paragraph 4 starts level with it", print::wording::agreementParagraph4().first(), 108.5, 162);
}

void NotePage1FormTest::captionsAtTheirPlaces()
{
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    const RecordingSurface& s = m_note.surface;
    const QList<RecordingSurface::Text> page = s.textsOn(1);
    qsizetype found = -1;
    for (qsizetype i = 0; i < page.size() && found < 0; ++i)
        if (page[i].text == text)
            found = i;
    QVERIFY2(found >= 0, qPrintable(text));
    const RecordingSurface::Text& t = page[found];
    if (y == kNext) {
        QVERIFY(found > 0);
        y = page[found - 1].y + s.lineHeightAt(8);
    }
    QCOMPARE(t.x, x);
    QCOMPARE(t.y, y);
    QCOMPARE(t.font, print::SurfaceFont{});
}

void NotePage1FormTest::centredLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::newRow("title") << "PREMIUM FINANCE NOTE" << 6.0 << 12.0 << false;
    QTest::newRow("schedule heading") << "SCHEDULE OF POLICY(S), TAX, FEES, ETC (LIST OLDEST POLICY FIRST)" << 79.0
                                      << 8.0 << false;
    QTest::newRow("bold footer")
        << "TLY-TARNLEY CREDIT CO, 1801 EXAMPLE PKWY STE 210, P.O. BOX 5550, ANYTOWN, TX 75555, "
           "PH (214) 555-0142, FAX (214) 555-0143"
        << 260.0 << 8.0 << true;
}

void NotePage1FormTest::centredLines()
{
    QFETCH(QString, text);
    QFETCH(double, y);
    QFETCH(double, size);
    QFETCH(bool, bold);
    const RecordingSurface& s = m_note.surface;
    const RecordingSurface::Text* t = s.find(text, 1);
    QVERIFY2(t, qPrintable(text));
    const double width = s.widthAt(text, size, bold);
    QCOMPARE(t->x, 108.5 - print::roundHalfEven(width) / 2);
    QVERIFY(std::abs(t->x + width / 2 - 108.5) <= 0.5);
    QCOMPARE(t->y, y);
    QCOMPARE(t->font.size, size);
    QCOMPARE(t->font.bold, bold);
    QVERIFY(!t->font.italic && !t->font.underline && !t->font.strikethrough);
}

void NotePage1FormTest::lenderBlockEndsOnTheRightEdge()
{
    const RecordingSurface& s = m_note.surface;
    const QStringList lines = {"TLY-TARNLEY CREDIT CO", "1801 EXAMPLE PKWY STE 210", "P.O. BOX 5550",
                               "ANYTOWN, TX 75555", "PHONE (214) 555-0142", "FAX (214) 555-0143",
                               "TOLL FREE (800) 555-0199"};
    double y = 16;
    for (const QString& line : lines) {
        const RecordingSurface::Text* t = s.find(line, 1);
        QVERIFY2(t, qPrintable(line));
        QCOMPARE(t->x + s.widthAt(line, 8), 202.0);
        QCOMPARE(t->y, y);
        y += s.lineHeightAt(8);
    }
}

void NotePage1FormTest::rulesAreDrawn_data()
{
    QTest::addColumn<QList<double>>("stroke");
    QTest::newRow("under the header") << QList<double>{6, 13, 206, 13};
    for (double x : {6, 44, 78, 118}) {
        QTest::addRow("box side at %g", x) << QList<double>{x, 13, x, 38};
        QTest::addRow("schedule side at %g", x) << QList<double>{x, 54.5, x, 78};
    }
    QTest::newRow("above the policies") << QList<double>{6, 78, 206, 78};
    QTest::newRow("above the agreement") << QList<double>{6, 161, 206, 161};
}

void NotePage1FormTest::rulesAreDrawn()
{
    QFETCH(QList<double>, stroke);
    int matches = 0;
    for (const RecordingSurface::Stroke& s : m_note.surface.strokesOn(1))
        if (QList<double>{s.x1, s.y1, s.x2, s.y2} == stroke)
            ++matches;
    QCOMPARE(matches, 1);
}

void NotePage1FormTest::boxesHaveThreeSides_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("side");
    QTest::newRow("personal") << 159.0 << 47.0 << 3.5;
    QTest::newRow("commercial") << 159.0 << 53.0 << 3.5;
    QTest::newRow("tax") << 7.0 << 139.25 << 2.5;
    QTest::newRow("fees") << 7.0 << 142.75 << 2.5;
    QTest::newRow("surcharge") << 7.0 << 146.25 << 2.5;
    QTest::newRow("other") << 7.0 << 149.75 << 2.5;
}

void NotePage1FormTest::boxesHaveThreeSides()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, side);
    const QList<RecordingSurface::Stroke> strokes = m_note.surface.strokesOn(1);
    const double right = left + side, bottom = top + side;
    qsizetype first = -1;
    for (qsizetype i = 0; i < strokes.size(); ++i)
        if (strokes[i].x1 == right && strokes[i].y1 == top)
            first = i;
    QVERIFY(first >= 0 && first + 2 < strokes.size());
    const auto as = [](const RecordingSurface::Stroke& s) { return QList<double>{s.x1, s.y1, s.x2, s.y2}; };
    QCOMPARE(as(strokes[first]), (QList<double>{right, top, right, bottom}));
    QCOMPARE(as(strokes[first + 1]), (QList<double>{right, bottom, left, bottom}));
    QCOMPARE(as(strokes[first + 2]), (QList<double>{left, bottom, left, top}));
    for (const RecordingSurface::Stroke& s : strokes)
        QVERIFY2(!(s.y1 == top && s.y2 == top && qMin(s.x1, s.x2) == left), "a box has no top side");
}

void NotePage1FormTest::agreementColumnsPackTheirLines_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("tightLines");
    // Left: blank + 6 + blank + 7 + blank + 6 after the heading.
    QTest::newRow("left column") << 7.0 << 22;
    // Right: 10 more of paragraph 4, a blank, 9 of paragraph 5.
    QTest::newRow("right column") << 108.5 << 20;
}

void NotePage1FormTest::agreementColumnsPackTheirLines()
{
    QFETCH(double, x);
    QFETCH(int, tightLines);
    const RecordingSurface& s = m_note.surface;
    QList<RecordingSurface::Text> column;
    for (const RecordingSurface::Text& t : s.textsOn(1))
        if (t.x == x && t.y >= 162 && t.y < 250)
            column.append(t);
    QVERIFY(column.size() > tightLines);
    QCOMPARE(column.first().y, 162.0);
    const double lh = s.lineHeightAt(8);
    for (int i = 1; i <= tightLines; ++i)
        QCOMPARE(column[i].y, column[i - 1].y + lh - 0.54);
    // The next line is back at the ordinary pitch (the left column) or opens the
    // agent's statement under its rule (the right column).
    const double after = column[tightLines].y + lh;
    if (x == 7) {
        QCOMPARE(column[tightLines + 1].y, after);
        QCOMPARE(column[tightLines + 2].text, QString("X"));
    } else {
        const double y = after - 0.54;
        bool ruled = false;
        for (const RecordingSurface::Stroke& r : s.strokesOn(1))
            ruled = ruled || QList<double>{r.x1, r.y1, r.x2, r.y2} == QList<double>{108.5, y + 1.5, 206, y + 1.5};
        QVERIFY(ruled);
        QCOMPARE(column[tightLines + 1].y, y);
        QCOMPARE(column[tightLines + 1].text, QString());
        for (int i = 2; i <= 4; ++i)
            QCOMPARE(column[tightLines + i].y, column[tightLines + i - 1].y + lh - 0.54);
        QVERIFY(column[tightLines + 2].text.startsWith("AGENT'S STATEMENT:"));
        QCOMPARE(column[tightLines + 5].y, column[tightLines + 4].y + lh);
    }
}

void NotePage1FormTest::signatureBlocks_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("faxX");
    QTest::addColumn<QList<double>>("rule"); // x1, x2 of the signature rule
    QTest::newRow("insured") << 7.0 << "ADDRESS/PH:"
                             << QStringList{"Jane Q. Insured", "Insured Hauling LLC", "12 Elm St", "Dallas, TX 75201",
                                            "Phone 214-555-0100"}
                             << 52.0 << QList<double>{10, 100};
    QTest::newRow("agent") << 108.5 << "AGENT ADDRESS/PH:"
                           << QStringList{"Sam Agent", "Agency One", "99 Oak Ave", "Plano, TX 75024",
                                          "Phone 972-555-0110"}
                           << 152.0 << QList<double>{111.5, 206};
}

void NotePage1FormTest::signatureBlocks()
{
    QFETCH(double, x);
    QFETCH(QString, caption);
    QFETCH(QStringList, lines);
    QFETCH(double, faxX);
    QFETCH(QList<double>, rule);
    const RecordingSurface& s = m_note.surface;
    const double lh = s.lineHeightAt(8);
    const RecordingSurface::Text* cap = s.find(caption, 1);
    QVERIFY(cap);
    QCOMPARE(cap->x, x);
    // The agent's caption is itself the signature line's caption; the insured's sits under it.
    const double y = x == 7 ? cap->y : cap->y + lh;
    int ruled = 0;
    for (const RecordingSurface::Stroke& r : s.strokesOn(1))
        if (QList<double>{r.x1, r.y1, r.x2, r.y2} == QList<double>{rule[0], y - 4, rule[1], y - 4})
            ++ruled;
    QCOMPARE(ruled, 1);
    double lineY = x == 7 ? y + lh : y;
    for (const QString& line : lines) {
        const RecordingSurface::Text* t = s.find(line, 1);
        QVERIFY2(t, qPrintable(line));
        QCOMPARE(t->x, x);
        QCOMPARE(t->y, lineY);
        lineY += lh;
    }
    const RecordingSurface::Text* fax = s.find(x == 7 ? "Fax 214-555-0101" : "Fax 972-555-0111", 1);
    QVERIFY(fax);
    QCOMPARE(fax->x, faxX);
    QCOMPARE(fax->y, lineY - lh);
    if (x == 7) {
        const RecordingSurface::Text* dba = s.find("INSURED/DBA", 1);
        const RecordingSurface::Text* date = s.find("DATE", 1);
        QVERIFY(dba && date);
        QCOMPARE(date->x, 85.0);
        QCOMPARE(date->y, dba->y);
        QCOMPARE(y, dba->y + lh);
    }
}

void NotePage1FormTest::emptyPartyFieldKeepsItsLine()
{
    print::NoteValues values = sampleNoteValues();
    values.customer.DBA.clear();
    values.customer.Name = QString(120, QLatin1Char('W')); // far past the column, printed whole
    const RecordedNote note(values);
    const RecordingSurface::Text* before = m_note.surface.find("12 Elm St", 1);
    const RecordingSurface::Text* after = note.surface.find("12 Elm St", 1);
    QVERIFY(before && after);
    QCOMPARE(after->y, before->y);
    QVERIFY(note.surface.find(QString(120, QLatin1Char('W')), 1));
}

void NotePage1FormTest::pageSetUp()
{
    const RecordingSurface& s = m_note.surface;
    QCOMPARE(s.letterPortraitCalls, 1);
    for (const RecordingSurface::Text& t : s.textsOn(1)) {
        QCOMPARE(t.originX, 2.0);
        QCOMPARE(t.originY, 3.0);
    }
    QCOMPARE(m_note.titleSize, 12.0);
    QCOMPARE(m_note.bodySize, 8.0);
}

QTEST_MAIN(NotePage1FormTest)
#include "tst_NotePage1Form.moc"
