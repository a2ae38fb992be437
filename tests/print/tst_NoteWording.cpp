#include "print/NoteWording.h"
#include "support/RecordingSurface.h"

#include <QtTest>

using namespace print::wording;

// The contract text is printed line by line into fixed columns: every block
// must have its line count, open with its agreed words and stay inside its column.
class NoteWordingTest : public QObject {
    Q_OBJECT
private slots:
    void blocksHaveTheirLinesAndOpenings_data();
    void blocksHaveTheirLinesAndOpenings();
    void everyLineStaysInsideItsColumn_data();
    void everyLineStaysInsideItsColumn();
};

namespace {

struct Block {
    const char* name;
    QStringList lines;
    int count;
    QString opening;
    double left, right; // the column, in page millimetres
};

QList<Block> allBlocks()
{
    // Page 1 columns end before the right column (108.5) and the printable edge;
    // page 2 columns end before its right column (107) and the printable edge.
    QList<Block> blocks = {
        {"agreement 1", agreementParagraph1(), 6, "1. I, the borrower,", 7, 106},
        {"agreement 2", agreementParagraph2(), 7, "2. If I default,", 7, 106},
        {"agreement 3", agreementParagraph3(), 6, "3. The finance charge", 7, 106},
        {"agreement 4", agreementParagraph4(), 11, "4. Any partial pre-payment", 108.5, 205},
        {"agreement 5", agreementParagraph5(), 9, "5. I agree that", 108.5, 205},
        {"agent statement on page 1", agentStatementPage1(), 3, "AGENT'S STATEMENT:", 108.5, 205},
        {"agent statement opening on page 2", agentStatementOpening(), 2,
         QStringLiteral("AGENT\u2019S STATEMENT:  This  note  shall  be  NON-RECOURSE  to  the"), 107, 203},
    };
    const QList<std::pair<int, QString>> instructions = {
        {3, "MAKE COPY(S) FOR (1) AGENCY FILE,"},
        {2, "FOLLOW   INSTRUCTIONS  BELOW  IF  NOT  PREPARED   ON  YOUR"},
        {1, "INSTRUCTIONS FOR MANUAL PREPARATION:"},
        {4, "A.  MULTIPLY"},
        {2, "B.  MULTIPLY"},
        {1, "->CALL OUR OFFICE FOR QUOTES OVER $10,000."},
        {2, "->LOWER DOWN PAYMENTS ARE AVAILABLE..."},
        {2, "C.  ADD"},
        {1, "*APR, The Annual Percentage Rate is optional commercial accounts."},
        {3, ">    The  Number  of  Payments"},
        {2, ">    Divide"},
        {2, ">    The first installment"},
        {6, ">    Fill  in"},
        {3, ">   The  grand  total"},
        {6, "CUSTOM financing:"},
        {8, "SPECIAL INSTRUCTIONS FOR ASSIGNED RISK POLICIES:"},
    };
    static QList<QByteArray> names; // keeps the row names alive
    for (int i = 0; i < instructions.size(); ++i) {
        names.append("instruction block " + QByteArray::number(i + 1));
        const QStringList lines = i < instructionBlocks().size() ? instructionBlocks()[i] : QStringList();
        blocks.append({names.last().constData(), lines, instructions[i].first, instructions[i].second, 7, 104});
    }
    const QList<std::pair<int, QString>> items = {
        {8, "1.  DESCRIPTION  AND  DOWN PAYMENT:"},
        {4, "2.    BONDS,    FEES,    COMMISSIONS,   OLD    BALANCES,   FULLY"},
        {6, "3.    ADDITIONAL    PREMIUM    ENDORSEMENTS;    INCREASED"},
        {7, "4. RETURN  PREMIUM  ENDORSEMENTS:"},
        {3, "5.    CANCELLATIONS:"},
        {1, "6.  SPECIAL CONSIDERATIONS; NOTWITHSTANDING,  it  is  agreed:"},
    };
    for (int i = 0; i < items.size(); ++i) {
        names.append("agent statement item " + QByteArray::number(i + 1));
        const QStringList lines = i < agentStatementItems().size() ? agentStatementItems()[i] : QStringList();
        blocks.append({names.last().constData(), lines, items[i].first, items[i].second, 107, 203});
    }
    return blocks;
}

} // namespace

void NoteWordingTest::blocksHaveTheirLinesAndOpenings_data()
{
    QCOMPARE(instructionBlocks().size(), 16);
    QCOMPARE(agentStatementItems().size(), 6);
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("opening");
    for (const Block& b : allBlocks())
        QTest::newRow(b.name) << b.lines << b.count << b.opening;
}

void NoteWordingTest::blocksHaveTheirLinesAndOpenings()
{
    QFETCH(QStringList, lines);
    QFETCH(int, count);
    QFETCH(QString, opening);
    QCOMPARE(lines.size(), count);
    QVERIFY2(lines.first().startsWith(opening), qPrintable(lines.first()));
    for (const QString& line : lines)
        QVERIFY2(!line.endsWith(QLatin1Char(' ')), qPrintable(line));
}

void NoteWordingTest::everyLineStaysInsideItsColumn_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    for (const Block& b : allBlocks())
        for (int i = 0; i < b.lines.size(); ++i)
            QTest::addRow("%s, line %d", b.name, i + 1) << b.lines[i] << b.left << b.right;
}

void NoteWordingTest::everyLineStaysInsideItsColumn()
{
    QFETCH(QString, line);
    QFETCH(double, left);
    QFETCH(double, right);
    const RecordingSurface surface;
    const double end = left + surface.widthAt(line, 8);
    QVERIFY2(end <= right, qPrintable(QStringLiteral("ends at %1 mm: %2").arg(end).arg(line)));
}

QTEST_MAIN(NoteWordingTest)
#include "tst_NoteWording.moc"
