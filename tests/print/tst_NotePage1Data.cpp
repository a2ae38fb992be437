#include "support/NoteSamples.h"

#include <QtTest>

// The contract's values on page 1: each figure where its box is, the "$" signs
// exactly where they belong, one classification mark, the schedule rows line
// by line and only the ticked special items.
class NotePage1DataTest : public QObject {
    Q_OBJECT
private slots:
    void figuresAtTheirPlaces_data();
    void figuresAtTheirPlaces();
    void amountsPrintAsTyped_data();
    void amountsPrintAsTyped();
    void oneClassificationMark_data();
    void oneClassificationMark();
    void everyScheduleElementHasItsLine_data();
    void everyScheduleElementHasItsLine();
    void onlyTickedItemsAreMarked_data();
    void onlyTickedItemsAreMarked();
};

void NotePage1DataTest::figuresAtTheirPlaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("size");
    QTest::newRow("loan authorization") << "LA-7781" << 171.0 << 7.0 << 14.0;
    QTest::newRow("amount financed") << "$2120.00" << 9.0 << 31.0 << 12.0;
    QTest::newRow("finance charge") << "$126.00" << 47.0 << 31.0 << 12.0;
    QTest::newRow("total of payments") << "$2246.00" << 81.0 << 31.0 << 12.0;
    QTest::newRow("APR without dollar sign") << "10.50" << 120.0 << 31.0 << 12.0;
    QTest::newRow("number of installments") << "8" << 9.0 << 63.0 << 12.0;
    QTest::newRow("amount of installments") << "$280.75" << 47.0 << 63.0 << 12.0;
    QTest::newRow("first installment date") << "1/15/2025" << 81.0 << 63.0 << 12.0;
    QTest::newRow("grand total without dollar sign") << "3100.00" << 73.0 << 156.0 << 9.0;
    QTest::newRow("down payment without dollar sign") << "980.00" << 179.0 << 156.0 << 9.0;
}

void NotePage1DataTest::figuresAtTheirPlaces()
{
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, size);
    const RecordedNote note;
    const RecordingSurface::Text* t = note.surface.textAt(1, x, y);
    QVERIFY(t);
    QCOMPARE(t->text, text);
    QCOMPARE(t->font.size, size);
    QCOMPARE(t->font.name, QString("Arial"));
    QVERIFY(!t->font.bold);
}

void NotePage1DataTest::amountsPrintAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("printed");
    QTest::newRow("thousands separator kept") << "1,234.50" << "$1,234.50";
    QTest::newRow("empty amount is a lone dollar sign") << "" << "$";
}

void NotePage1DataTest::amountsPrintAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, printed);
    print::NoteValues v = sampleNoteValues();
    v.amountFinanced = v.financeCharge = v.totalOfPayments = v.amountOfInstallments = typed;
    v.tax.amount = typed;
    v.apr = v.totalSections = v.downPayment = typed;
    const RecordedNote note(v);
    for (const auto& [x, y] : {std::pair{9.0, 31.0}, {47.0, 31.0}, {81.0, 31.0}, {47.0, 63.0}, {47.0, 139.0}}) {
        const RecordingSurface::Text* t = note.surface.textAt(1, x, y);
        QVERIFY(t);
        QCOMPARE(t->text, printed);
    }
    for (const auto& [x, y] : {std::pair{120.0, 31.0}, {73.0, 156.0}, {179.0, 156.0}}) {
        const RecordingSurface::Text* t = note.surface.textAt(1, x, y);
        QVERIFY(t);
        QCOMPARE(t->text, typed);
    }
}

void NotePage1DataTest::oneClassificationMark_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<double>("y");
    QTest::newRow("personal/consumer") << true << 47.22;
    QTest::newRow("commercial/agricultural") << false << 53.22;
}

void NotePage1DataTest::oneClassificationMark()
{
    QFETCH(bool, personal);
    QFETCH(double, y);
    print::NoteValues v = sampleNoteValues();
    v.personal = personal;
    const RecordedNote note(v);
    QList<RecordingSurface::Text> marks;
    for (const RecordingSurface::Text& t : note.surface.textsOn(1))
        if (t.text == "X" && t.font.size == 9)
            marks.append(t);
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks[0].x, 160.0);
    QCOMPARE(marks[0].y, y);
}

void NotePage1DataTest::everyScheduleElementHasItsLine_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<double>("firstY");
    QTest::newRow("section 1, four rows") << 1 << 88.0;
    QTest::newRow("section 2, three rows") << 2 << 110.0;
    QTest::newRow("section 3, three rows") << 3 << 124.0;
}

void NotePage1DataTest::everyScheduleElementHasItsLine()
{
    QFETCH(int, section);
    QFETCH(double, firstY);
    // Only the first row filled: the empty rows still take their lines.
    print::NoteValues v = sampleNoteValues();
    QList<print::PolicyRowValues>& rows = v.sections[section - 1];
    for (int r = 1; r < rows.size(); ++r)
        rows[r] = {};
    const RecordedNote note(v);
    const double lh = note.surface.lineHeightAt(9);
    const QList<double> columnX = {7, 28, 99, 126, 148, 168, 186};
    for (int r = 0; r < rows.size(); ++r) {
        const print::PolicyRowValues& row = rows[r];
        const QStringList expected = {row.policy, row.company, row.premium, row.coverage,
                                      row.inception, row.expiration, row.term};
        for (int c = 0; c < columnX.size(); ++c) {
            const RecordingSurface::Text* t = note.surface.textAt(1, columnX[c], firstY + r * lh);
            QVERIFY2(t, qPrintable(QStringLiteral("row %1 column %2").arg(r).arg(c)));
            QCOMPARE(t->text, expected[c]);
            QCOMPARE(t->font.size, 9.0);
        }
    }
    QVERIFY(rows[0].premium.startsWith("1000.")); // premiums print without "$"
}

void NotePage1DataTest::onlyTickedItemsAreMarked_data()
{
    QTest::addColumn<QList<bool>>("ticked"); // tax, fees, surcharge, other
    QTest::newRow("none ticked, amounts typed") << QList<bool>{false, false, false, false};
    QTest::newRow("all ticked") << QList<bool>{true, true, true, true};
    QTest::newRow("fees and other") << QList<bool>{false, true, false, true};
    QTest::newRow("tax only") << QList<bool>{true, false, false, false};
}

void NotePage1DataTest::onlyTickedItemsAreMarked()
{
    QFETCH(QList<bool>, ticked);
    print::NoteValues v = sampleNoteValues();
    print::SpecialItemValues* items[] = {&v.tax, &v.fees, &v.surcharge, &v.other};
    const double markY[] = {138.5, 142, 145.5, 149};
    const double amountY[] = {139, 142.5, 146, 149.5};
    for (int i = 0; i < 4; ++i)
        *items[i] = {ticked[i], QStringLiteral("%1.25").arg(i + 1)};
    const RecordedNote note(v);
    for (int i = 0; i < 4; ++i) {
        const RecordingSurface::Text* mark = note.surface.textAt(1, 7.5, markY[i]);
        const RecordingSurface::Text* amount = note.surface.textAt(1, 47, amountY[i]);
        QCOMPARE(mark != nullptr, ticked[i]);
        QCOMPARE(amount != nullptr, ticked[i]);
        if (ticked[i]) {
            QCOMPARE(mark->text, QString("x"));
            QCOMPARE(mark->font.size, 9.0);
            QCOMPARE(amount->text, QStringLiteral("$%1.25").arg(i + 1));
        }
    }
    const RecordingSurface::Text* description = note.surface.textAt(1, 67, 149.5);
    QCOMPARE(description != nullptr, ticked[3]);
    if (description)
        QCOMPARE(description->text, QString("STAMPING FEE"));
}

QTEST_MAIN(NotePage1DataTest)
#include "tst_NotePage1Data.moc"
