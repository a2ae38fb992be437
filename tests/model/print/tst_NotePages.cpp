#include "model/print/NotePages.h"
#include "model/print/ReportPages.h"
#include "model/print/ScheduleColumns.h"
#include "support/KeptListing.h"
#include "support/RecordingSurface.h"

#include <QtTest>

Q_DECLARE_METATYPE(print::PrintedColumn)

// The note's two pages and the month's report, drawn on a recording surface: the note whole against
// its kept listings, the schedule's columns, the report's rows and pages.
class NotePagesTest : public QObject {
    Q_OBJECT
private slots:
    void columnsHoldTheirCharacters_data();
    void columnsHoldTheirCharacters();
    void wholeNoteAsPrinted_data();
    void wholeNoteAsPrinted();
    void reportRowsEachOnceOverItsPages_data();
    void reportRowsEachOnceOverItsPages();
    void centredWidthsRoundHalfToEven();
};

// A schedule field takes as many of its widest characters as end before the next column, and not one more.
void NotePagesTest::columnsHoldTheirCharacters_data()
{
    QTest::addColumn<print::PrintedColumn>("column");
    const QList<std::pair<const char*, print::PrintedColumn>> columns = {
        {"policy", print::kPolicyColumn},         {"company", print::kCompanyColumn},
        {"premium", print::kPremiumColumn},       {"coverage", print::kCoverageColumn},
        {"inception", print::kInceptionColumn},   {"expiration", print::kExpirationColumn},
        {"term", print::kTermColumn},             {"Section 4 amount", print::kSpecialAmountColumn},
        {"description", print::kDescriptionColumn}};
    for (const auto& [name, column] : columns)
        QTest::newRow(name) << column;
}

void NotePagesTest::columnsHoldTheirCharacters()
{
    QFETCH(print::PrintedColumn, column);
    RecordingSurface surface;
    surface.font().size = print::kScheduleTypeSize;
    const auto end = [&](int characters) {
        return (column.x + surface.textWidth(column.prefix + QString(characters, QChar(column.widest)))).value;
    };
    QVERIFY2(end(column.characters) < column.nextX.value, qPrintable(QString::number(end(column.characters))));
    QVERIFY2(end(column.characters + 1) >= column.nextX.value, qPrintable(QString::number(end(column.characters + 1))));
}

namespace {

// A note with every value told apart: the agent's and the customer's each line, every schedule row of
// a commercial note, or one policy of a personal one.
print::NoteValues sampleNote(bool personal)
{
    print::NoteValues v;
    v.version = "8.0";
    v.agent = {"Dana Whitfield", "Whitfield Insurance Agency", "1200 Commerce St", "Suite 410", "Dallas", "TX",
               "75202", "(214) 555-0188", "(214) 555-0189"};
    v.customer = {"Marcus Lee", "Lee Grain & Cattle", "RR 2 Box 19", "Attn: Office", "Waxahachie", "TX", "75165",
                  "(972) 555-0121", "(972) 555-0122"};
    v.review = {"LA-20261209-07", "2120.00", "126.00", "2246.00", "11.94", "8", "280.75", "1/8/2027", personal,
                "3100.00", "980.00"};
    // The schedule hands over every row of every section, empty or not.
    for (int row = 0, s = 0; row < 10; s += v.schedule.sections[s].size() == print::kSectionRows[s], ++row) {
        const QString n = QString::number(row + 1);
        v.schedule.sections[s] << (personal && row > 0 ? print::PolicyRowValues{}
                                                       : print::PolicyRowValues{"POL-" + n, "COMPANY " + n, n + "00.25", "COVERAGE " + n,
                                                                                "12/" + n + "/2026", "12/" + n + "/2027", "12"});
    }
    for (auto [item, amount] : {std::pair{&v.schedule.tax, "100.00"}, {&v.schedule.fees, "25.00"},
                                {&v.schedule.surcharge, "12.50"}, {&v.schedule.other, "7.50"}})
        *item = {!personal, amount};
    v.schedule.description = "STAMPING FEE";
    return v;
}

// Every stroke and every text with its font, page by page, top to bottom: the order of the calls is
// not what the page shows.
QStringList listing(const Drawing& drawing)
{
    QStringList lines;
    const auto mm = [](double v) { return QString::number(v, 'f', 2); };
    for (const Drawing::Text& t : drawing.texts) {
        const print::SurfaceFont& f = t.font;
        const char style[] = {f.bold ? 'b' : '-', f.italic ? 'i' : '-', f.underline ? 'u' : '-', f.strikethrough ? 's' : '-', 0};
        lines << QString("p%1 y %2 x %3 text %4 %5 %6 \"%7\"").arg(t.page).arg(mm(t.y), 7).arg(mm(t.x), 7).arg(f.name).arg(f.size).arg(QString(style), t.text);
    }
    for (const Drawing::Stroke& s : drawing.strokes)
        lines << QString("p%1 y %2 x %3 line to x %4 y %5").arg(s.page).arg(mm(s.y1), 7).arg(mm(s.x1), 7).arg(mm(s.x2), mm(s.y2));
    lines.sort();
    return lines;
}

} // namespace

// The whole note, as a careless change to any word, box or rule of the printed form would move it,
// against the note as the lender accepted it. QUILLON_WRITE_NOTES=1 writes the listings anew, for a
// change of the form that is meant.
void NotePagesTest::wholeNoteAsPrinted_data()
{
    QTest::addColumn<bool>("personal");
    QTest::newRow("commercial, every row and item") << false;
    QTest::newRow("personal, one policy") << true;
}

void NotePagesTest::wholeNoteAsPrinted()
{
    QFETCH(bool, personal);
    RecordingSurface surface;
    print::drawNote(surface, sampleNote(personal), print::defaultLenderTexts());
    const QString difference = differenceFromKeptListing(
        listing(*surface.drawing), QString(QUILLON_TEST_DATA "/note-%1.txt").arg(personal ? "personal" : "commercial"),
        "QUILLON_WRITE_NOTES");
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// The month's report: every row once, in order, under each page's title, subtitle and headings, with
// the figures' right edges lined up, and "Page n of m" at the foot of each page.
void NotePagesTest::reportRowsEachOnceOverItsPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("a page full") << print::kReportRowsPerPage << 1;
    QTest::newRow("one row over") << print::kReportRowsPerPage + 1 << 2;
    QTest::newRow("two pages and a half") << print::kReportRowsPerPage * 5 / 2 << 3;
}

void NotePagesTest::reportRowsEachOnceOverItsPages()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    print::ReportTable table{"Report", "Contracts printed from 12/1/2026 to 12/31/2026",
                             {"Agent", "Contracts", "Premiums", "Amount Financed", "Finance Charges"}, {}};
    QStringList expected; // the rows' first cells, then where each figure ends
    for (int row = 0; row < rows; ++row) {
        table.rows << QStringList{QString("Agent %1").arg(row), QString::number(row % 7 + 1), QString("%1.50").arg(row * 1000),
                                  "1.25", QString("%1.05").arg(row)};
        expected << table.rows.last().first();
    }
    RecordingSurface surface;
    print::drawReport(surface, table);
    const Drawing& d = *surface.drawing;
    QCOMPARE(d.page, pages);
    QCOMPARE(d.endDocs, 1);
    QStringList printed, figureEnds;
    for (int page = 1; page <= pages; ++page) {
        QList<Drawing::Text> onPage;
        std::copy_if(d.texts.begin(), d.texts.end(), std::back_inserter(onPage), [&](const auto& t) { return t.page == page; });
        std::stable_sort(onPage.begin(), onPage.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
        QCOMPARE(QStringList({onPage[0].text, onPage[1].text, onPage.last().text}),
                 QStringList({"Report", table.subtitle, QString("Page %1 of %2").arg(page).arg(pages)}));
        QVERIFY(onPage[0].font.bold);
        for (const Drawing::Text& t : onPage.mid(2, onPage.size() - 3)) {
            surface.font() = t.font;
            if (t.text.startsWith("Agent "))
                printed << t.text;
            else if (t.text != "Agent") // a figure or its heading ends on its column's right edge
                figureEnds << QString::number(t.x + surface.textWidth(t.text).value, 'f', 6);
        }
    }
    QCOMPARE(printed, expected);
    figureEnds.removeDuplicates();
    figureEnds.sort();
    QCOMPARE(figureEnds, (QStringList{"100.000000", "130.000000", "163.000000", "196.000000"}));
}

// A centred line's width is taken to the whole millimetre, a half to the even one.
void NotePagesTest::centredWidthsRoundHalfToEven()
{
    const QList<std::pair<double, double>> cases = {{2.5, 2}, {3.5, 4}, {2.49, 2}, {2.51, 3}, {0.5, 0}, {7, 7}};
    for (const auto& [width, whole] : cases)
        QCOMPARE(print::roundHalfEven(width), whole);
}

QTEST_MAIN(NotePagesTest)
#include "tst_NotePages.moc"
