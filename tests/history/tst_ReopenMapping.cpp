#include "history/HistoryFixture.h"
#include "history/ReopenMapping.h"

#include <QtTest>

using history::FieldWrite;

namespace {

// The writes as "field=text" or "field=text+box", short enough to read in a table.
QStringList described(const QList<FieldWrite>& writes)
{
    QStringList lines;
    for (const FieldWrite& write : writes)
        lines << write.field + "=" + write.text + (write.tickBox.isEmpty() ? "" : "+" + write.tickBox);
    return lines;
}

} // namespace

class ReopenMappingTest : public QObject {
    Q_OBJECT
private slots:
    void storedRowBecomesWrites_data();
    void storedRowBecomesWrites();
    void headerValuesReplaceTheLastContracts_data();
    void headerValuesReplaceTheLastContracts();
    void writesLandInTheNamedControlsOnly();
    void missingControlsAreSkipped();
};

void ReopenMappingTest::storedRowBecomesWrites_data()
{
    QTest::addColumn<Columns>("stored");
    QTest::addColumn<QStringList>("writes");

    QTest::newRow("three policies fill the first three rows of section 1")
        << Columns{{"PolicyNo1", "P1"}, {"PolicyNo2", "P2"}, {"PolicyNo3", "P3"},
                   {"Premium1", "100"}, {"Premium2", "200"}, {"Premium3", "300"}}
        << QStringList{"txtPolicy1_0=P1", "txtPolicy1_1=P2", "txtPolicy1_2=P3",
                       "txtPremium1_0=100", "txtPremium1_1=200", "txtPremium1_2=300"};
    QTest::newRow("slot 4 is the last row of section 1, slots 5 to 7 are section 2")
        << Columns{{"Coverage4", "GL"}, {"Coverage5", "Auto"}, {"Inception6", "011024"},
                   {"Term7", "12"}}
        << QStringList{"txtCoverage1_3=GL", "txtCoverage2_0=Auto", "txtInception2_1=011024",
                       "txtTerm2_2=12"};
    QTest::newRow("slot 8 is not read")
        << Columns{{"PolicyNo8", "P8"}, {"Agent8", "C8"}, {"Premium8", "80"}} << QStringList{};
    QTest::newRow("each family for all slots before the next family")
        << Columns{{"Agent1", "Carrier"}, {"PolicyNo5", "P5"}, {"Expiration1", "1/1/2026"},
                   {"PolicyNo2", "P2"}}
        << QStringList{"txtPolicy1_1=P2", "txtPolicy2_0=P5", "txtCompany1_0=Carrier",
                       "txtExpiration1_0=1/1/2026"};
    QTest::newRow("texts are written exactly as stored")
        << Columns{{"Premium1", " 1,234.5 "}, {"Inception1", "12/15/2024"}}
        << QStringList{"txtPremium1_0= 1,234.5 ", "txtInception1_0=12/15/2024"};
    QTest::newRow("tax of 0 leaves tax alone") << Columns{{"Tax", "0"}} << QStringList{};
    QTest::newRow("tax of 12.5 is written and ticked") << Columns{{"Tax", "12.5"}}
                                                       << QStringList{"txtTax=12.5+chkTax"};
    QTest::newRow("zero written with decimals still counts") << Columns{{"Fees", "0.00"}}
                                                             << QStringList{"txtFees=0.00+chkFees"};
    QTest::newRow("null amounts are not written") << Columns{{"Tax", QVariant()}} << QStringList{};
    QTest::newRow("the four amounts in their order")
        << Columns{{"Other", "4"}, {"Surcharge", "3"}, {"Fees", "2"}, {"Tax", "1"}}
        << QStringList{"txtTax=1+chkTax", "txtFees=2+chkFees", "txtSurcharge=3+chkSurcharge",
                       "txtOther=4+chkOther"};
    QTest::newRow("null description is not written") << Columns{{"Description", QVariant()}}
                                                     << QStringList{};
    QTest::newRow("description comes last")
        << Columns{{"Description", "Old balance"}, {"Other", "5"}, {"Term1", "6"}}
        << QStringList{"txtTerm1_0=6", "txtOther=5+chkOther", "txtDescription=Old balance"};
    QTest::newRow("terms, totals and loan authorization are not read")
        << Columns{{"Financed", "100.00"}, {"LoanAuthorization", "LA-1"}, {"Due", "2027-01-15"},
                   {"Section3", "33.00"}, {"Run", "2026-12-06T20:53:52"}}
        << QStringList{};
}

void ReopenMappingTest::storedRowBecomesWrites()
{
    QFETCH(Columns, stored);
    QFETCH(QStringList, writes);
    QCOMPARE(described(history::planReopen(stored).writes), writes);
}

void ReopenMappingTest::headerValuesReplaceTheLastContracts_data()
{
    QTest::addColumn<Columns>("stored");
    QTest::addColumn<QStringList>("header");  // DBA, agent name, customer name, agent company

    QTest::newRow("all four stored")
        << Columns{{"DBA", "Acme Farms"}, {"Agent", "Ann"}, {"Customer", "Bob"}, {"Company", "Ann & Co"}}
        << QStringList{"Acme Farms", "Ann", "Bob", "Ann & Co"};
    QTest::newRow("null agent and company leave nothing behind")
        << Columns{{"DBA", "Acme Farms"}, {"Customer", "Bob"}}
        << QStringList{"Acme Farms", "", "Bob", ""};
}

void ReopenMappingTest::headerValuesReplaceTheLastContracts()
{
    QFETCH(Columns, stored);
    QFETCH(QStringList, header);

    AgentRecord agent{"Old agent", "Old company", "1 Main St", "", "Town", "TX", "75001", "555", ""};
    CustomerRecord customer{"Old name", "Old DBA", "2 Elm St", "", "City", "OK", "73001", "", ""};
    history::applyParties(history::planReopen(stored), agent, customer);
    QCOMPARE((QStringList{customer.DBA, agent.Name, customer.Name, agent.Company}), header);
    // Addresses are not part of a stored contract and stay as the lists gave them.
    QCOMPARE(agent.Address1, QString("1 Main St"));
    QCOMPARE(customer.City, QString("City"));
}

void ReopenMappingTest::writesLandInTheNamedControlsOnly()
{
    QWidget schedule;
    ensureScheduleControls(&schedule);
    for (QLineEdit* field : schedule.findChildren<QLineEdit*>())
        field->setText("before");

    Columns stored{{"PolicyNo1", "P1"}, {"PolicyNo2", "P2"}, {"PolicyNo3", "P3"},
                   {"Tax", "12.5"},     {"Fees", "0"},      {"PolicyNo8", "P8"}};
    history::applySchedule(history::planReopen(stored), &schedule);

    auto text = [&](const char* name) { return schedule.findChild<QLineEdit*>(name)->text(); };
    auto ticked = [&](const char* name) { return schedule.findChild<QCheckBox*>(name)->isChecked(); };
    QCOMPARE(text("txtPolicy1_0"), QString("P1"));
    QCOMPARE(text("txtPolicy1_2"), QString("P3"));
    QCOMPARE(text("txtPolicy1_3"), QString("before"));
    QCOMPARE(text("txtPolicy2_0"), QString("before"));
    QCOMPARE(text("txtPolicy3_2"), QString("before"));
    QCOMPARE(text("txtTax"), QString("12.5"));
    QVERIFY(ticked("chkTax"));
    QCOMPARE(text("txtFees"), QString("before"));
    QVERIFY(!ticked("chkFees"));
}

void ReopenMappingTest::missingControlsAreSkipped()
{
    QWidget bare;
    history::applySchedule(history::planReopen(savedContract("Acme", 1)), &bare);
    history::applySchedule(history::planReopen(savedContract("Acme", 1)), nullptr);
}

QTEST_MAIN(ReopenMappingTest)
#include "tst_ReopenMapping.moc"
