#include "model/print/NotePages.h"
#include "model/print/ScheduleColumns.h"
#include "support/RecordingSurface.h"

#include <QtTest>

Q_DECLARE_METATYPE(print::PrintedColumn)

// Both pages of the note on a recording surface: each value in its box, with its "$" sign, and
// nothing of what is not ticked.
class NotePagesTest : public QObject {
    Q_OBJECT
private slots:
    void valuesInTheirPlaces_data();
    void valuesInTheirPlaces();
    void columnsHoldTheirCharacters_data();
    void columnsHoldTheirCharacters();
};

void NotePagesTest::valuesInTheirPlaces_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("x"); // below zero: anywhere on the page
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("text");
    const QList<std::tuple<bool, int, double, double, QString>> rows = {
        {false, 1, 47, 31, "$126.00"}, {false, 1, 81, 31, "$2246.00"}, {false, 1, 160, 53.22, "X"},
        {true, 1, 160, 47.22, "X"}, {false, 1, 179, 156, "980.00"},
        // Section rows, each column on its line: 1 at 88, 2 at 110, 3 at 124.
        {false, 1, 7, 124, "POL3.0"}, {false, 1, 186, 88, "12.1.0"},
        {false, 1, 47, 139, "$100.00"}, {true, 1, 47, 139, "<nothing>"}, {true, 1, 67, 149.5, "<nothing>"},
        {false, 2, 7, 254, "Version 8.0"}, {false, 2, -1, 0, "FAX (214) 555-0143"},
    };
    for (const auto& [personal, page, x, y, text] : rows)
        QTest::addRow("%s at %g, %g%s", qPrintable(text), x, y, personal ? ", personal" : "") << personal << page << x << y << text;
}

void NotePagesTest::valuesInTheirPlaces()
{
    QFETCH(bool, personal);
    QFETCH(int, page);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, text);
    // Every value told apart from every other; a personal note has tax and other unticked.
    print::NoteValues v;
    v.review.amountFinanced = "2120.00";
    v.review.financeCharge = "126.00";
    v.review.totalOfPayments = "2246.00";
    v.review.personal = personal;
    v.schedule.tax = {!personal, "100.00"};
    v.schedule.other = {!personal, "7.50"};
    v.schedule.description = "STAMPING FEE";
    v.review.totalSections = "3100.00";
    v.review.downPayment = "980.00";
    v.version = "8.0";
    for (int s = 0; s < 3; ++s)
        for (int row = 0; row < print::kSectionRows[s]; ++row) {
            const QString tag = QStringLiteral("%1.%2").arg(s + 1).arg(row);
            v.schedule.sections[s].append({"POL" + tag, "COMPANY " + tag, "1000." + tag, "COV" + tag, "01/10/24", "EXP" + tag, "12." + tag});
        }
    RecordingSurface surface;
    print::drawNote(surface, v, print::defaultLenderTexts());
    const Drawing& d = *surface.drawing;
    QCOMPARE(x < 0 ? (d.find(text, page) ? text : "<nothing>") : d.textAt(page, x, y), text);
}

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

QTEST_MAIN(NotePagesTest)
#include "tst_NotePages.moc"
