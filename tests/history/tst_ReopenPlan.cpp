#include "history/ReopenMapping.h"

#include <QtTest>

// Reopening reads a stored Policies row back into what the schedule shows:
// the slots into the rows of Sections 1 to 3, and the Section 4 amounts with
// their boxes.
class ReopenPlanTest : public QObject {
    Q_OBJECT

private slots:
    void slotsLandInTheirRows_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("rows"); // section,row of the rows that show the value
        QTest::newRow("first slot is Section 1's first row") << "PolicyNo1" << QStringList{"0,0"};
        QTest::newRow("fourth slot is Section 1's last row") << "Premium4" << QStringList{"0,3"};
        QTest::newRow("fifth slot is Section 2's first row") << "Agent5" << QStringList{"1,0"};
        QTest::newRow("eleventh slot is Section 3's last row") << "Inception11" << QStringList{"2,2"};
        // The eighth slot is shown nowhere; a row stored before Section 3 was kept reopens it empty.
        QTest::newRow("eighth slot stays unshown") << "PolicyNo8" << QStringList{};
        QTest::newRow("an older row's Section 3 total stays unshown") << "Section3" << QStringList{};
    }
    void slotsLandInTheirRows()
    {
        QFETCH(QString, column);
        QFETCH(QStringList, rows);
        const history::ReopenPlan plan = history::planReopen({{column, QStringLiteral("X-1")}});
        QStringList shown;
        for (int section = 0; section < 3; ++section)
            for (int row = 0; row < plan.schedule.sections[section].size(); ++row) {
                const print::PolicyRowValues& v = plan.schedule.sections[section][row];
                if (!(v.policy + v.company + v.premium + v.coverage + v.inception + v.expiration + v.term).isEmpty())
                    shown << QString("%1,%2").arg(section).arg(row);
            }
        QCOMPARE(shown, rows);
    }

    void section4Amounts_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("amount");
        QTest::newRow("an amount is ticked") << QVariant("12.50") << true << "12.50";
        QTest::newRow("zero as 0.00 was charged") << QVariant("0.00") << true << "0.00";
        QTest::newRow("a bare 0 was never charged") << QVariant("0") << false << "";
        QTest::newRow("NULL stays unticked") << QVariant() << false << "";
    }
    void section4Amounts()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, ticked);
        QFETCH(QString, amount);
        const history::ReopenPlan plan = history::planReopen({{"Fees", stored}, {"Other", stored}});
        for (const print::SpecialItemValues& item : {plan.schedule.fees, plan.schedule.other}) {
            QCOMPARE(item.ticked, ticked);
            QCOMPARE(item.amount, amount);
        }
        QVERIFY(!plan.schedule.tax.ticked);
        QVERIFY(!plan.schedule.surcharge.ticked);
    }
};

QTEST_GUILESS_MAIN(ReopenPlanTest)
#include "tst_ReopenPlan.moc"
