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
    QCOMPARE(m_note.surface.strokeCount(1, stroke[0], stroke[1], stroke[2], stroke[3]), 1);
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
    const RecordingSurface& s = m_note.surface;
    const double right = left + side, bottom = top + side;
    QCOMPARE(s.strokeCount(1, right, top, right, bottom), 1);
    QCOMPARE(s.strokeCount(1, right, bottom, left, bottom), 1);
    QCOMPARE(s.strokeCount(1, left, bottom, left, top), 1);
    QCOMPARE(s.strokeCount(1, left, top, right, top) + s.strokeCount(1, right, top, left, top), 0);
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
    QVERIFY(column.size() > tightLines + 5);
    QCOMPARE(column.first().y, 162.0);
    const double lh = s.lineHeightAt(8);
    for (int i = 1; i <= tightLines; ++i)
        QCOMPARE(column[i].y, column[i - 1].y + lh - 0.54);
    const double next = column[tightLines].y + lh;
    if (x == 7) { // back to the ordinary pitch for the signature
        QCOMPARE(column[tightLines + 1].y, next);
        QCOMPARE(column[tightLines + 2].text, QString("X"));
        return;
    }
    // A rule, a blank line under it, then the agent's statement packed again.
    const double y = next - 0.54;
    QCOMPARE(s.strokeCount(1, 108.5, y + 1.5, 206, y + 1.5), 1);
    QCOMPARE(column[tightLines + 1].y, y);
    for (int i = 2; i <= 4; ++i)
        QCOMPARE(column[tightLines + i].y, column[tightLines + i - 1].y + lh - 0.54);
    QVERIFY(column[tightLines + 2].text.startsWith("AGENT'S STATEMENT:"));
    QCOMPARE(column[tightLines + 5].y, column[tightLines + 4].y + lh);
}

void NotePage1FormTest::signatureBlocks_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("firstLine"); // the line the signature rule sits above
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("faxX");
    QTest::addColumn<QList<double>>("rule"); // its two ends' x
    QTest::newRow("insured") << 7.0 << "ADDRESS/PH:"
                             << QStringList{"ADDRESS/PH:", "Jane Q. Insured", "Insured Hauling LLC", "12 Elm St",
                                            "Dallas, TX 75201", "Phone 214-555-0100", "Fax 214-555-0101"}
                             << 52.0 << QList<double>{10, 100};
    QTest::newRow("agent") << 108.5 << "Sam Agent"
                           << QStringList{"Sam Agent", "Agency One", "99 Oak Ave", "Plano, TX 75024",
                                          "Phone 972-555-0110", "Fax 972-555-0111"}
                           << 152.0 << QList<double>{111.5, 206};
}

void NotePage1FormTest::signatureBlocks()
{
    QFETCH(double, x);
    QFETCH(QString, firstLine);
    QFETCH(QStringList, lines);
    QFETCH(double, faxX);
    QFETCH(QList<double>, rule);
    const RecordingSurface& s = m_note.surface;
    const double lh = s.lineHeightAt(8);
    const RecordingSurface::Text* first = s.find(firstLine, 1);
    QVERIFY(first);
    const double y = first->y;
    QCOMPARE(s.strokeCount(1, rule[0], y - 4, rule[1], y - 4), 1);
    // The caption line above the rule's line, with DATE beside the insured's.
    const QString caption = x == 7 ? "INSURED/DBA" : "AGENT ADDRESS/PH:";
    QVERIFY(s.textAt(1, x, y - lh));
    QCOMPARE(s.textAt(1, x, y - lh)->text, caption);
    if (x == 7)
        QCOMPARE(s.textAt(1, 85, y - lh)->text, QString("DATE"));
    for (int i = 0; i < lines.size() - 1; ++i) {
        const RecordingSurface::Text* t = s.textAt(1, x, y + i * lh);
        QVERIFY2(t, qPrintable(lines[i]));
        QCOMPARE(t->text, lines[i]);
    }
    const RecordingSurface::Text* fax = s.textAt(1, faxX, y + (lines.size() - 2) * lh);
    QVERIFY(fax);
    QCOMPARE(fax->text, lines.last());
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
