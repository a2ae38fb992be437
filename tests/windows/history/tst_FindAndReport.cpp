#include "model/history/ContractSearch.h"
#include "model/history/MonthReport.h"
#include "model/history/RunText.h"
#include "model/store/RowStatement.h"
#include "support/TestProgram.h"
#include "windows/history/FindContractWindow.h"
#include "windows/history/PreviousContractsWindow.h"
#include "windows/history/ReportWindow.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

using Columns = QHash<QString, QVariant>;

// The contracts every case looks among, by the label the rows name them with; one amount is stored
// with blanks about it, as another program may store it.
const QList<std::pair<QString, Columns>> kContracts{
    {"F", {{"DBA", "Zoë Müller"}, {"Customer", "Zoë Müller"}, {"Agent", "Bea Ortiz"}, {"PolicyNo1", "X-1"},
           {"Run", "2026-10-01T10:00:00"}, {"TotalSections", "3.00"}, {"Financed", "2.00"}, {"FinCharge", "1.00"}}},
    {"A", {{"DBA", "Acme, Inc."}, {"Customer", "Ann Lee"}, {"Agent", "Bea Ortiz"}, {"PolicyNo1", "BOP-4471"},
           {"Run", "2026-12-03T09:15:00"}, {"TotalSections", "1000.10"}, {"Financed", "800.20"}, {"FinCharge", "70.30"}}},
    {"B", {{"DBA", "Zoë Müller"}, {"Customer", "Walt Roe"}, {"Agent", "al Kahn"}, {"PolicyNo11", "WC-9001"},
           {"Run", "2026-12-31T23:59:59"}, {"TotalSections", "0.10"}, {"Financed", "0.20"}, {"FinCharge", "0.30"}}},
    {"C", {{"DBA", "Bakery"}, {"Customer", "Jürgen Öztürk"}, {"Agent", "Bea Ortiz"}, {"PolicyNo5", "GL-1"},
           {"Run", "2026-11-30T12:00:00"}, {"TotalSections", "5.00"}, {"Financed", "4.00"}, {"FinCharge", "1.00"}}},
    {"D", {{"DBA", "Acme West"}, {"Customer", "Dan"}, {"Agent", "Bea Ortiz"}, {"Run", "2026-12-01T00:00:00"},
           {"TotalSections", " 1234567.89 "}, {"Financed", "999999.99"}, {"FinCharge", "0.01"}}},
    {"E", {{"DBA", "Rue"}, {"Customer", "Rue"}, {"Agent", "Smith, \"Jr.\"\nWest"}, {"Run", "2026-12-15T08:00:00"},
           {"TotalSections", "10.05"}, {"Financed", "7.05"}, {"FinCharge", "2.95"}}},
};

// The program on its main window, its clock in December 2026.
struct OnMain : TestProgram {
    OnMain()
    {
        clock = QDateTime(QDate(2026, 12, 8), QTime(10, 0));
        now = [this] { return clock; };
        startWith({{"Agency Co", "Ann Agent"}}, {{"Carl Customer", "Carl's Hauling"}});
        session().quit = [] {};
    }
    // The main window active, so that its keys reach it.
    bool pressOnMain(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        main()->activateWindow();
        if (!QTest::qWaitForWindowActive(main()))
            return false;
        QTest::keyClick(main(), key, modifiers);
        return true;
    }
};

// A grid's rows as the user reads them, each row's cells joined by "|".
QStringList gridRows(const QTableWidget* grid)
{
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column)
            cells << (grid->item(row, column) ? grid->item(row, column)->text() : "<none>");
        rows << cells.join('|');
    }
    return rows;
}

} // namespace

class FindAndReportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OnMain> program;
    QHash<qint64, QString> labels;

    QStringList labelsOf(const QList<history::FoundContract>& found)
    {
        QStringList seen;
        for (const history::FoundContract& contract : found)
            seen << labels.value(contract.id, contract.dba);
        seen.sort();
        return seen;
    }

private slots:
    void initTestCase()
    {
        program = std::make_unique<OnMain>();
        store::Connection connection(program->session().database());
        for (const auto& [label, columns] : kContracts)
            labels.insert(store::insertRow(connection,
                                           {QString("INSERT INTO Policies (%1) VALUES (%2)")
                                                .arg(columns.keys().join(", "), QStringList(columns.size(), "?").join(", ")),
                                            columns.values()},
                                           "ID"),
                          label);
    }

    void findContract_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<bool>("more");
        QTest::addColumn<QString>("before"); // a change to the contracts since the last search
        QTest::newRow("policy number in the first slot") << "BOP-4471" << 10 << QStringList{"A"} << false << "";
        QTest::newRow("policy number in the last slot, other case") << "wc-9001" << 10 << QStringList{"B"} << false << "";
        QTest::newRow("start of a policy number in a Section 2 slot") << "GL" << 10 << QStringList{"C"} << false << "";
        QTest::newRow("start of a DBA in other case") << "acme" << 10 << QStringList{"A", "D"} << false << "";
        QTest::newRow("DBA typed without its accents") << "zoe mu" << 10 << QStringList{"B", "F"} << false << "";
        QTest::newRow("customer typed without accents") << "jurgen o" << 10 << QStringList{"C"} << false << "";
        QTest::newRow("accents typed where none are stored") << " Äcme" << 10 << QStringList{"A", "D"} << false << "";
        QTest::newRow("the inside of a name finds nothing") << "cme" << 10 << QStringList{} << false << "";
        QTest::newRow("more found than shown") << "acme" << 1 << QStringList{"D"} << true << "";
        QTest::newRow("one printed day") << "12/3/2026" << 10 << QStringList{"A"} << false << "";
        QTest::newRow("a span of days, its last day whole")
            << "12/1/2026-12/31/2026" << 10 << QStringList{"A", "B", "D", "E"} << false << "";
        QTest::newRow("a span typed backwards, with blanks")
            << "12/31/2026 - 12/15/2026" << 10 << QStringList{"B", "E"} << false << "";
        QTest::newRow("a day without contracts") << "12/2/2026" << 10 << QStringList{} << false << "";
        QTest::newRow("a DBA and a customer of one contract starting alike") << "a" << 10 << QStringList{"A", "D"} << false << "";
        QTest::newRow("a contract deleted since its words were taken")
            << "gl" << 10 << QStringList{} << false << "DELETE FROM Policies WHERE PolicyNo5 = 'GL-1'";
        QTest::newRow("a contract stored since") << "ex" << 10 << QStringList{"Glade Farm"} << false
            << "INSERT INTO Policies (DBA, Customer, PolicyNo3, Run) VALUES ('Glade Farm', 'Ida', 'ÉX-7', '2026-10-20T08:00:00')";
        QTest::newRow("a contract behind more newer ones than the walk's first read")
            << "glade" << 10 << QStringList{"Glade Farm"} << false
            << "INSERT INTO Policies (DBA) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
               "SELECT 'Filler' FROM n";
    }
    void findContract()
    {
        QFETCH(QString, typed);
        QFETCH(int, limit);
        QFETCH(QStringList, found);
        QFETCH(bool, more);
        QFETCH(QString, before);
        const store::Place place = program->session().database();
        if (!before.isEmpty())
            store::Connection(place).run(before);
        const history::FoundContracts result = history::findContracts(place, typed, limit);
        QCOMPARE(labelsOf(result.contracts), found);
        QCOMPARE(result.moreExist, more);
        // Walking every contract, as when the index cannot serve, finds the same.
        const history::FoundContracts walked = history::findContracts(place, typed, limit, false);
        QCOMPARE(labelsOf(walked.contracts), found);
        QCOMPARE(walked.moreExist, more);
    }

    // Ctrl+R: this month's figures per agent equal a direct sum of the stored texts, and the totals their sum.
    void reportSumsAgreeWithTheStore()
    {
        OnMain& p = *program;
        QVERIFY(p.pressOnMain(Qt::Key_R, Qt::ControlModifier));
        ReportWindow* window = p.windows().report;
        QVERIFY(window->isVisible());
        const history::MonthReport& report = window->report();
        QCOMPARE(report.from, QDate(2026, 12, 1));
        QCOMPARE(report.to, QDate(2026, 12, 31));

        store::Connection connection(p.session().database());
        QSqlQuery direct = connection.run(
            "SELECT Agent, count(*), sum(CAST(REPLACE(TotalSections, '.', '') AS BIGINT)), "
            "sum(CAST(REPLACE(Financed, '.', '') AS BIGINT)), sum(CAST(REPLACE(FinCharge, '.', '') AS BIGINT)) "
            "FROM Policies WHERE Run >= ? AND Run < ? GROUP BY Agent",
            {"2026-12-01", "2027-01-01"});
        QMap<QString, QList<qint64>> expected;
        while (direct.next())
            expected[direct.value(0).toString()] = {direct.value(1).toLongLong(), direct.value(2).toLongLong(),
                                                    direct.value(3).toLongLong(), direct.value(4).toLongLong()};
        QMap<QString, QList<qint64>> shown;
        QList<qint64> rowSums{0, 0, 0, 0};
        QStringList order;
        for (const history::AgentFigures& f : report.agents) {
            shown[f.agent] = {f.contracts, f.premiumCents, f.financedCents, f.chargeCents};
            order << f.agent;
            for (int i = 0; i < 4; ++i)
                rowSums[i] += shown[f.agent][i];
        }
        QCOMPARE(shown, expected);
        QCOMPARE(order, (QStringList{"al Kahn", "Bea Ortiz", "Smith, \"Jr.\"\nWest"}));
        const history::AgentFigures& t = report.totals;
        QCOMPARE((QList<qint64>{t.contracts, t.premiumCents, t.financedCents, t.chargeCents}), rowSums);
        QCOMPARE(history::reportCells(t).mid(1), (QStringList{"4", "1235578.14", "1000807.44", "73.56"}));
    }

    // Save as CSV: RFC 4180 to the byte, the agent with a comma, a quote and a line break quoted whole.
    void reportCsvReadsBack()
    {
        OnMain& p = *program;
        const QString path = QDir(p.env.userDataFolder).filePath("report.csv");
        p.files.answers = {path};
        p.click(p.windows().report, "cmdSaveCsv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QString("Agent,Contracts,Premiums,Amount Financed,Finance Charges\r\nal Kahn,1,0.10,0.20,0.30\r\n"
                         "Bea Ortiz,2,1235567.99,1000800.19,70.31\r\n\"Smith, \"\"Jr.\"\"\nWest\",1,10.05,7.05,2.95\r\n"
                         "Total,4,1235578.14,1000807.44,73.56\r\n"));
        // A lone carriage return is quoted too, and a sum below zero keeps its sign and its cents.
        const history::MonthReport refunds{{}, {}, {{"Two\rLines", 1, -5, -123456, 0}}, {}};
        QCOMPARE(history::reportCsv(refunds).split('\n').value(1), QByteArray("\"Two\rLines\",1,-0.05,-1234.56,0.00\r"));
    }

    // Show with the days typed the wrong way round reports the span between them; the grid holds each
    // agent's figures and the totals in bold; Print draws what the grid shows under the span's dates,
    // and a printer that stops answering gets the message and leaves the window as it was.
    void reportShowsAndPrintsTheChosenSpan()
    {
        OnMain& p = *program;
        ReportWindow* window = p.windows().report;
        p.control<QDateEdit>(window, "dtpFrom")->setDate(QDate(2026, 12, 31));
        p.control<QDateEdit>(window, "dtpTo")->setDate(QDate(2026, 12, 15));
        p.click(window, "cmdShow");
        auto* grid = p.control<QTableWidget>(window, "fgReport");
        const QStringList expected = {"al Kahn|1|0.10|0.20|0.30", "Smith, \"Jr.\"\nWest|1|10.05|7.05|2.95",
                                      "Total|2|10.15|7.25|3.25"};
        QCOMPARE(gridRows(grid), expected);
        for (int row = 0; row < grid->rowCount(); ++row)
            QCOMPARE(grid->item(row, 1)->font().bold(), row == grid->rowCount() - 1);

        p.printers.jobs.clear();
        p.click(window, "cmdPrint");
        QCOMPARE(p.printers.jobs.size(), 1);
        QStringList printed;
        for (const Drawing::Text& t : p.printers.jobs[0]->texts)
            printed << t.text;
        QCOMPARE(printed.mid(0, 2), (QStringList{"Report", "Contracts printed from 12/15/2026 to 12/31/2026"}));
        for (const QString& row : expected)
            QVERIFY2(printed.join('|').contains(row), qPrintable(row));
        QCOMPARE(printed.last(), QString("Page 1 of 1"));
        QVERIFY(p.messages.shown.isEmpty());

        p.printers.failOnPage = 1;
        p.click(window, "cmdPrint");
        p.printers.failOnPage = 0;
        QCOMPARE(p.messages.shown.size(), 1);
        QCOMPARE(p.messages.last().text, QString("Unable to communicate with the printer. The report was not printed."));
        QCOMPARE(p.messages.last().icon, ui::MessageIcon::Critical);
        p.messages.shown.clear();
        QCOMPARE(grid->rowCount(), 3);
        window->hide();
    }

    // Ctrl+Shift+F, typing and Enter, then Enter on the contract: its customer's list opens with it chosen.
    void foundContractOpensAmongItsCustomers()
    {
        OnMain& p = *program;
        QVERIFY(p.pressOnMain(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier));
        FindContractWindow* find = p.windows().findContract;
        QVERIFY(find->isVisible());
        QCOMPARE(find->objectName(), QString("frmFindContract"));
        QTest::keyClicks(p.control(find, "txtFind"), "wc-9");
        QTest::keyClick(p.control(find, "txtFind"), Qt::Key_Return);
        QCOMPARE(find->foundRows(), 1);
        QString listedFor;
        int chosen = 0;
        TestProgram::whileOpen([&] { QTest::keyClick(p.control<QTableWidget>(find, "fgFound"), Qt::Key_Return); },
                               [&] {
                                   listedFor = p.session().SelectedName;
                                   chosen = p.previous()->chosenRow();
                                   p.previous()->hide();
                               });
        QCOMPARE(listedFor, QString("Zoë Müller"));
        QCOMPARE(chosen, 2);
        QVERIFY(!find->isVisible());
    }

    // What the grid shows of what was found, row by row, and the sentence under it; a heading clicked
    // sorts by what the column means (amounts and dates, not their texts), and a search made while
    // the grid is sorted fills every row with its own contract.
    void foundContractsShowAndSortAsTheyMean()
    {
        OnMain& p = *program;
        store::Connection connection(p.session().database());
        const QList<QStringList> september = {{"grange Co-op", "kit", "al Kahn", "2026-09-10T14:05:00", "12.50"},
                                              {"Hollow Farm", "Jo", "Bea Ortiz", "2026-09-20T09:00:00", "9.75"},
                                              {"ivy Mill", "Ivy", "Bea Ortiz", "2026-09-05T16:45:00", "100.00"}};
        QStringList expected;
        for (const QStringList& c : september) {
            const qint64 id = store::insertRow(connection, {"INSERT INTO Policies (DBA, Customer, Agent, Run, Financed) "
                                                            "VALUES (?, ?, ?, ?, ?)", {c[0], c[1], c[2], c[3], c[4]}}, "ID");
            expected << QStringList{QString::number(id), c[0], c[1], c[2], history::runShownText(c[3]), c[4]}.join('|');
        }
        QVERIFY(p.pressOnMain(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier));
        FindContractWindow* find = p.windows().findContract;
        auto* grid = p.control<QTableWidget>(find, "fgFound");
        const auto search = [&](const QString& typed) {
            p.control(find, "txtFind")->setText(typed);
            QTest::keyClick(p.control(find, "txtFind"), Qt::Key_Return);
        };
        // Ascending, clicked once more when the first click sorts the other way.
        const auto sortBy = [&](int column) {
            QHeaderView* header = grid->horizontalHeader();
            const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
            if (header->sortIndicatorOrder() != Qt::AscendingOrder)
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
        };

        search("9/1/2026-9/30/2026");
        QCOMPARE(gridRows(grid), (QStringList{expected[2], expected[1], expected[0]})); // the last stored first
        QCOMPARE(grid->selectionModel()->selectedRows(), QModelIndexList{grid->model()->index(0, 0)});
        QCOMPARE(p.control<QLabel>(find, "lblFound")->text(), QString("3 contract(s) found."));
        QVERIFY(p.control<QPushButton>(find, "cmdOpen")->isEnabled());
        sortBy(5);
        QCOMPARE(gridRows(grid), (QStringList{expected[1], expected[0], expected[2]})); // 9.75, 12.50, 100.00
        sortBy(4);
        QCOMPARE(gridRows(grid), (QStringList{expected[2], expected[0], expected[1]})); // the 5th, 10th and 20th
        // Names sort as read, capitals aside; rows of one agent keep the order they had.
        for (const auto& [column, order] : QList<std::pair<int, QList<int>>>{{3, {0, 2, 1}}, {1, {0, 1, 2}}, {2, {2, 1, 0}}}) {
            sortBy(column);
            QCOMPARE(gridRows(grid), (QStringList{expected[order[0]], expected[order[1]], expected[order[2]]}));
        }
        sortBy(5);
        search("9/1/2026-9/30/2026");
        QCOMPARE(gridRows(grid), (QStringList{expected[1], expected[0], expected[2]}));

        search("no such contract");
        QCOMPARE(grid->rowCount(), 0);
        QCOMPARE(p.control<QLabel>(find, "lblFound")->text(), QString("No contract found."));
        QVERIFY(!p.control<QPushButton>(find, "cmdOpen")->isEnabled());
        find->hide();
    }

    void cleanupTestCase() { program.reset(); }
};

QTEST_MAIN(FindAndReportTest)
#include "tst_FindAndReport.moc"
