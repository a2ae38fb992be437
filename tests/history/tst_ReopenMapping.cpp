#include "history/HistoryFixture.h"
#include "history/ReopenMapping.h"

#include <QtTest>

class ReopenMappingTest : public QObject {
    Q_OBJECT
private slots:
    void storedRowBecomesWrites_data();
    void storedRowBecomesWrites();
    void headerValuesReplaceTheLastContracts();
};

void ReopenMappingTest::storedRowBecomesWrites_data()
{
    // Each write as "field=text", with "+box" when a box is ticked after it.
    QTest::addColumn<Columns>("stored");
    QTest::addColumn<QStringList>("writes");

    QTest::newRow("three policies fill the first three rows of section 1")
        << Columns{{"PolicyNo1", "P1"}, {"PolicyNo2", "P2"}, {"PolicyNo3", "P3"}, {"Premium3", "300"}}
        << QStringList{"txtPolicy1_0=P1", "txtPolicy1_1=P2", "txtPolicy1_2=P3", "txtPremium1_2=300"};
    QTest::newRow("slot 4 ends section 1, slots 5 to 7 are section 2, slot 8 is not read")
        << Columns{{"Coverage4", "GL"}, {"Coverage5", "Auto"}, {"Inception6", "011024"},
                   {"Term7", "12"}, {"PolicyNo8", "P8"}}
        << QStringList{"txtCoverage1_3=GL", "txtCoverage2_0=Auto", "txtInception2_1=011024",
                       "txtTerm2_2=12"};
    QTest::newRow("each family for all slots before the next family")
        << Columns{{"Agent1", "Carrier"}, {"PolicyNo5", "P5"}, {"Expiration1", "1/1/2026"}}
        << QStringList{"txtPolicy2_0=P5", "txtCompany1_0=Carrier", "txtExpiration1_0=1/1/2026"};
    QTest::newRow("tax of 0 leaves tax alone") << Columns{{"Tax", "0"}} << QStringList{};
    QTest::newRow("tax of 12.5 is written and ticked") << Columns{{"Tax", "12.5"}}
                                                       << QStringList{"txtTax=12.5+chkTax"};
    QTest::newRow("zero written with decimals still counts") << Columns{{"Fees", "0.00"}}
                                                             << QStringList{"txtFees=0.00+chkFees"};
    QTest::newRow("the amounts in their order, description last")
        << Columns{{"Description", "Old balance"}, {"Other", "4"}, {"Surcharge", "3"}, {"Tax", "1"}}
        << QStringList{"txtTax=1+chkTax", "txtSurcharge=3+chkSurcharge", "txtOther=4+chkOther",
                       "txtDescription=Old balance"};
    QTest::newRow("null amounts and description are not written")
        << Columns{{"Tax", QVariant()}, {"Description", QVariant()}} << QStringList{};
    QTest::newRow("terms, totals and loan authorization are not read")
        << Columns{{"Financed", "100.00"}, {"LoanAuthorization", "LA-1"}, {"Section3", "33.00"}}
        << QStringList{};
}

void ReopenMappingTest::storedRowBecomesWrites()
{
    QFETCH(Columns, stored);
    QFETCH(QStringList, writes);
    QStringList got;
    for (const history::FieldWrite& write : history::planReopen(stored).writes)
        got << write.field + "=" + write.text + (write.tickBox.isEmpty() ? "" : "+" + write.tickBox);
    QCOMPARE(got, writes);
}

void ReopenMappingTest::headerValuesReplaceTheLastContracts()
{
    AgentRecord agent{"Old agent", "Old company", "1 Main St", "", "Town", "TX", "75001", "", ""};
    CustomerRecord customer{"Old name", "Old DBA", "2 Elm St", "", "City", "OK", "73001", "", ""};
    const Columns stored{{"DBA", "Acme Farms"}, {"Customer", "Bob"}, {"Company", "Ann & Co"}};
    history::applyParties(history::planReopen(stored), agent, customer);
    QCOMPARE((QStringList{customer.DBA, agent.Name, customer.Name, agent.Company}),
             (QStringList{"Acme Farms", "", "Bob", "Ann & Co"}));
    // Addresses are not part of a stored contract and stay as the lists gave them.
    QCOMPARE(agent.Address1, QString("1 Main St"));
}

QTEST_MAIN(ReopenMappingTest)
#include "tst_ReopenMapping.moc"
