#include "print/NoteWording.h"
#include "support/NoteSamples.h"
#include "support/RecordingSurface.h"

#include <QtTest>

using namespace print::wording;

// Both pages of the note on a recording surface: texts at their places and sizes, packed agreement
// lines, boxes, rules, the contract's figures with their "$" signs and marks, and the wording's fit.
class NotePagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void textsAtTheirPlaces_data();
    void textsAtTheirPlaces();
    void agreementColumnsPackTheirLines();
    void boxesAndRules();
    void contractValuesInTheirPlaces_data();
    void contractValuesInTheirPlaces();
    void wordingHasItsLinesAndFitsItsColumns();

private:
    RecordingSurface m_surface;
    const Drawing& m_d = *m_surface.drawing;
    double m_lh = 0; // line height of the 8-point body type
};

void NotePagesTest::initTestCase()
{
    drawNote(m_surface);
    m_lh = m_surface.metricsAt(8).lineHeight();
    QCOMPARE(m_d.newPages, 1);
    QCOMPARE(print::roundHalfEven(51.5), 52.0);
    QCOMPARE(print::roundHalfEven(52.5), 52.0);
    QCOMPARE(print::roundHalfEven(52.5000001), 53.0);
}

void NotePagesTest::textsAtTheirPlaces_data()
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
    row(1, "AUTHORIZATION #", 143, 6 + lh);
    row(1, "*               **", 119, 16 + 4 * lh);
    row(1, "TLY-TARNLEY CREDIT CO", 202, 16, 8, "right");
    row(1, "TOLL FREE (800) 555-0199", 202, 16 + 6 * lh, 8, "right");
    row(1, "the same day of eacy secceeding month until paid in full.", 129, 60 + lh);
    row(1, "SCHEDULE OF POLICY(S), TAX, FEES, ETC (LIST OLDEST POLICY FIRST)", 0, 79, 8, "centre");
    row(1, "Section #3 - Policy(s) which require 60 days or more to cancel such as Work Comp, etc.", 7, 121);
    row(1, "INSURED AGREEMENT WITH TLY TARNLEY CREDIT COMPANY:", 7, 162);
    row(1, footer, 0, 260, 8, "bold centre");
    row(1, "LA-7781", 171, 7, 14);
    row(1, "$2120.00", 9, 31, 12);
    row(1, "1/15/2025", 81, 63, 12);
    row(1, "980.00", 179, 156, 9);
    row(2, "FAX (214) 555-0143", 98, 14.35 + lh, 8, "right");
    row(2, instructionBlocks()[0][0], 7, 14.35 + 4 * lh);
    row(2, QStringLiteral("AGENT\u2019S STATEMENT:  This  note  shall  be  NON-RECOURSE  to  the"), 107, 115);
    row(2, "1.  DESCRIPTION  AND  DOWN PAYMENT:", 107, 115 + 3 * lh);
    row(2, "Version 8.0", 7, 254, 6);
    row(2, footer, 0, 258, 8, "centre");
}

void NotePagesTest::textsAtTheirPlaces()
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

void NotePagesTest::agreementColumnsPackTheirLines()
{
    // Left: heading, blank + 6 + blank + 7 + blank + 6 packed lines, then the signature at the
    // ordinary pitch. Right: 11 + blank + 9 lines, the agent's statement under its rule, packed too.
    for (const auto& [x, packed] : {std::pair{7.0, 22}, {108.5, 24}}) {
        QList<Drawing::Text> column;
        for (const Drawing::Text& t : m_d.texts)
            if (t.page == 1 && t.x == x && t.y >= 162 && t.y < 250)
                column.append(t);
        QVERIFY(column.size() > packed + 2);
        QCOMPARE(column.first().y, 162.0);
        for (int i = 1; i <= packed; ++i)
            QCOMPARE(column[i].y, column[i - 1].y + m_lh - 0.54);
        QCOMPARE(column[packed + 1].y, column[packed].y + m_lh);
        if (x == 108.5) // the rule above the agent's statement
            QCOMPARE(m_d.strokeCount(1, 108.5, column[21].y + 1.5, 206, column[21].y + 1.5), 1);
    }
    // Signature blocks: the rule above the address, the city line joined, the fax beside the phone.
    const double insured = m_d.find("ADDRESS/PH:", 1)->y;
    QCOMPARE(m_d.strokeCount(1, 10, insured - 4, 100, insured - 4), 1);
    QCOMPARE(m_d.textAt(1, 85, insured - m_lh), QString("DATE"));
    QCOMPARE(m_d.textAt(1, 7, insured + 4 * m_lh), QString("Dallas, TX 75201"));
    QCOMPARE(m_d.textAt(1, 52, insured + 5 * m_lh), QString("Fax 214-555-0101"));
    const double agent = m_d.find("Sam Agent", 1)->y;
    QCOMPARE(m_d.strokeCount(1, 111.5, agent - 4, 206, agent - 4), 1);
    QCOMPARE(m_d.textAt(1, 108.5, agent + 3 * m_lh), QString("Plano, TX 75024"));
    QCOMPARE(m_d.textAt(1, 152, agent + 4 * m_lh), QString("Fax 972-555-0111"));
}

void NotePagesTest::boxesAndRules()
{
    // Three strokes each, the top left open.
    for (const auto& [page, left, top, side] : {std::tuple{1, 159.0, 53.0, 3.5}, {1, 7.0, 149.75, 2.5},
                                                {2, 107.0, 14.5, 2.5}, {2, 107.0, 53.5, 2.5}}) {
        const double right = left + side, bottom = top + side;
        QCOMPARE(m_d.strokeCount(page, right, top, right, bottom), 1);
        QCOMPARE(m_d.strokeCount(page, right, bottom, left, bottom), 1);
        QCOMPARE(m_d.strokeCount(page, left, bottom, left, top), 1);
        QCOMPARE(m_d.strokeCount(page, left, top, right, top) + m_d.strokeCount(page, right, top, left, top), 0);
    }
    for (const auto& [page, x1, y1, x2, y2] :
         {std::tuple{1, 6.0, 13.0, 206.0, 13.0}, {1, 118, 13, 118, 38}, {1, 44, 54.5, 44, 78}, {1, 6, 78, 206, 78},
          {1, 6, 161, 206, 161}, {2, 107, 82, 210, 82}, {2, 107, 110, 210, 110}})
        QCOMPARE(m_d.strokeCount(page, x1, y1, x2, y2), 1);
}

void NotePagesTest::contractValuesInTheirPlaces_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<QList<bool>>("ticked"); // tax, fees, surcharge, other
    QTest::addColumn<QString>("typed");      // every amount field
    QTest::addColumn<QString>("printed");    // where a "$" goes
    QTest::newRow("commercial, fees and other") << false << QList<bool>{false, true, false, true} << "1,234.50"
                                                << "$1,234.50";
    QTest::newRow("personal, all ticked, empty amounts") << true << QList<bool>{true, true, true, true} << ""
                                                         << "$";
    QTest::newRow("commercial, none ticked") << false << QList<bool>{false, false, false, false} << "12.00"
                                             << "$12.00";
}

void NotePagesTest::contractValuesInTheirPlaces()
{
    QFETCH(bool, personal);
    QFETCH(QList<bool>, ticked);
    QFETCH(QString, typed);
    QFETCH(QString, printed);
    print::NoteValues v = sampleNoteValues();
    v.personal = personal;
    v.amountFinanced = v.financeCharge = v.totalOfPayments = v.amountOfInstallments = typed;
    v.apr = v.totalSections = v.downPayment = v.sections[0][0].premium = typed;
    print::SpecialItemValues* items[] = {&v.tax, &v.fees, &v.surcharge, &v.other};
    for (int i = 0; i < 4; ++i)
        *items[i] = {ticked[i], typed};
    for (QList<print::PolicyRowValues>& rows : v.sections) // empty rows still take their lines
        for (int r = 1; r < rows.size(); ++r)
            rows[r] = {};
    RecordingSurface surface;
    drawNote(surface, v);
    const Drawing& d = *surface.drawing;

    const double lh = surface.metricsAt(9).lineHeight();
    const double columnX[] = {7, 28, 99, 126, 148, 168, 186};
    const double firstY[] = {88, 110, 124};
    for (int s = 0; s < 3; ++s)
        for (int r = 0; r < v.sections[s].size(); ++r) {
            const print::PolicyRowValues& row = v.sections[s][r];
            const QStringList expected = {row.policy,    row.company,    row.premium, row.coverage,
                                          row.inception, row.expiration, row.term};
            for (int c = 0; c < 7; ++c)
                QCOMPARE(d.textAt(1, columnX[c], firstY[s] + r * lh), expected[c]);
        }

    const auto isMark = [](const Drawing::Text& t) { return t.text == "X" && t.font.size == 9; };
    QCOMPARE(std::count_if(d.texts.begin(), d.texts.end(), isMark), 1);
    QCOMPARE(d.textAt(1, 160, personal ? 47.22 : 53.22), QString("X"));

    const QString nothing = d.textAt(1, -1, -1);
    const double markY[] = {138.5, 142, 145.5, 149};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(d.textAt(1, 7.5, markY[i]), ticked[i] ? QString("x") : nothing);
        QCOMPARE(d.textAt(1, 47, markY[i] + 0.5), ticked[i] ? printed : nothing);
    }
    QCOMPARE(d.textAt(1, 67, 149.5), ticked[3] ? QString("STAMPING FEE") : nothing);
    for (const auto& [x, y] : {std::pair{9.0, 31.0}, {47.0, 31.0}, {81.0, 31.0}, {47.0, 63.0}})
        QCOMPARE(d.textAt(1, x, y), printed);
    for (const auto& [x, y] : {std::pair{120.0, 31.0}, {73.0, 156.0}, {179.0, 156.0}})
        QCOMPARE(d.textAt(1, x, y), typed);
}

void NotePagesTest::wordingHasItsLinesAndFitsItsColumns()
{
    struct Column {
        QList<QStringList> blocks;
        double left, right; // short of the next column or the printable edge
        QList<int> lineCounts;
        QStringList openings;
    };
    const QList<Column> columns = {
        {{agreementParagraph1(), agreementParagraph2(), agreementParagraph3()}, 7, 106, {6, 7, 6},
         {"1. I, the borrower,", "2. If I default,", "3. The finance charge"}},
        {{agreementParagraph4(), agreementParagraph5(), agentStatementPage1()}, 108.5, 205, {11, 9, 3},
         {"4. Any partial pre-payment", "5. I agree that", "AGENT'S STATEMENT:"}},
        {instructionBlocks(), 7, 104, {3, 2, 1, 4, 2, 1, 2, 2, 1, 3, 2, 2, 6, 3, 6, 8},
         {"MAKE COPY(S) FOR (1) AGENCY FILE,", "FOLLOW   INSTRUCTIONS  BELOW  IF  NOT  PREPARED   ON  YOUR",
          "INSTRUCTIONS FOR MANUAL PREPARATION:", "A.  MULTIPLY", "B.  MULTIPLY",
          "->CALL OUR OFFICE FOR QUOTES OVER $10,000.", "->LOWER DOWN PAYMENTS ARE AVAILABLE...", "C.  ADD",
          "*APR, The Annual Percentage Rate is optional commercial accounts.", ">    The  Number  of  Payments",
          ">    Divide", ">    The first installment", ">    Fill  in", ">   The  grand  total", "CUSTOM financing:",
          "SPECIAL INSTRUCTIONS FOR ASSIGNED RISK POLICIES:"}},
        {QList<QStringList>{agentStatementOpening()} + agentStatementItems(), 107, 203, {2, 8, 4, 6, 7, 3, 1},
         {QStringLiteral("AGENT\u2019S STATEMENT:  This  note"), "1.  DESCRIPTION  AND  DOWN PAYMENT:",
          "2.    BONDS,    FEES,    COMMISSIONS,", "3.    ADDITIONAL    PREMIUM    ENDORSEMENTS;",
          "4. RETURN  PREMIUM  ENDORSEMENTS:", "5.    CANCELLATIONS:",
          "6.  SPECIAL CONSIDERATIONS; NOTWITHSTANDING,  it  is  agreed:"}},
    };
    for (const Column& column : columns) {
        QList<int> lineCounts;
        QStringList openings;
        for (qsizetype i = 0; i < column.blocks.size(); ++i) {
            lineCounts << column.blocks[i].size();
            openings << column.blocks[i].value(0).left(column.openings.value(i).size());
            for (const QString& line : column.blocks[i])
                QVERIFY2(column.left + m_surface.metricsAt(8).textWidth(line) <= column.right, qPrintable(line));
        }
        QCOMPARE(lineCounts, column.lineCounts);
        QCOMPARE(openings, column.openings);
    }
}

QTEST_MAIN(NotePagesTest)
#include "tst_NotePages.moc"
