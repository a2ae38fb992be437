#include "history/ReopenMapping.h"

#include <QtTest>

// Reopening reads a stored Policies row back into what the schedule shows:
// the slots into the rows of Sections 1 to 3, the Section 4 amounts with
// their boxes, and the contract's four header values.
class ReopenPlanTest : public QObject {
    Q_OBJECT

private slots:
    void slotsLandInTheirRows_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("row");
        QTest::newRow("first slot is Section 1's first row") << "PolicyNo1" << 0 << 0;
        QTest::newRow("fourth slot is Section 1's last row") << "Premium4" << 0 << 3;
        QTest::newRow("fifth slot is Section 2's first row") << "Agent5" << 1 << 0;
        QTest::newRow("eleventh slot is Section 3's last row") << "Inception11" << 2 << 2;
        // The eighth slot is shown nowhere; a row stored before Section 3 was kept reopens it empty.
        QTest::newRow("eighth slot stays unshown") << "PolicyNo8" << -1 << -1;
        QTest::newRow("an older row's Section 3 total stays unshown") << "Section3" << -1 << -1;
    }
    void slotsLandInTheirRows()
    {
        QFETCH(QString, column);
        QFETCH(int, section);
        QFETCH(int, row);
        const history::ReopenPlan plan = history::planReopen({{column, QStringLiteral("X-1")}});
        QCOMPARE(plan.schedule.sections[0].size() + plan.schedule.sections[1].size() + plan.schedule.sections[2].size(), 10);
        if (section >= 0) {
            const print::PolicyRowValues& values = plan.schedule.sections[section][row];
            const QStringList texts{values.policy,   values.company,    values.premium, values.coverage,
                                    values.inception, values.expiration, values.term};
            QCOMPARE(texts.count(QStringLiteral("X-1")), 1);
        }
        // Every other row stays empty.
        int filled = 0;
        for (const auto& rows : plan.schedule.sections)
            for (const print::PolicyRowValues& r : rows)
                filled += !(r.policy + r.company + r.premium + r.coverage + r.inception + r.expiration + r.term)
                               .isEmpty();
        QCOMPARE(filled, section >= 0 ? 1 : 0);
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

    void headerValuesReplaceTheParties()
    {
        const history::ReopenPlan plan = history::planReopen(
            {{"DBA", "Lee Farms"}, {"Agent", "Al"}, {"Customer", QVariant()}, {"Company", "Acme"},
             {"Description", "STAMPING FEE"}});
        AgentRecord agent{"Old Agent", "Old Co", "1 Road", {}, {}, {}, {}, {}, {}};
        CustomerRecord customer{"Old Name", "Old DBA", {}, {}, {}, {}, {}, {}, {}};
        history::applyParties(plan, agent, customer);
        QCOMPARE(customer.DBA, QString("Lee Farms"));
        QCOMPARE(agent.Name, QString("Al"));
        // Stored empty, still written: another contract's customer never stays behind.
        QCOMPARE(customer.Name, QString());
        QCOMPARE(agent.Company, QString("Acme"));
        // What the header does not hold is left alone.
        QCOMPARE(agent.Address1, QString("1 Road"));
        QCOMPARE(plan.schedule.description, QString("STAMPING FEE"));
    }
};

QTEST_GUILESS_MAIN(ReopenPlanTest)
#include "tst_ReopenPlan.moc"
