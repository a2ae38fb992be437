#include "contract/ContractWindows.h"

#include "store/PoliciesColumns.h"

#include <QFile>
#include <QTest>

namespace {

const QString kNull = QStringLiteral("NULL");

// Fills every section of the schedule, Section 3 included, with texts that
// name their place ("P2-1" is the policy number of Section 2's second row).
void fillWholeSchedule(ContractWindows& w)
{
    const QStringList premiums[3] = {{"100", "200.5", "300", "400"}, {"50", "60", "70"}, {"10", "20", "30"}};
    const QStringList inceptions[3] = {{"01/05/24", "020124", "", "3/3/2024"},
                                       {"03/01/2024", "", "2024-02-10"},
                                       {"12/20/23", "", ""}};
    for (int section = 1; section <= 3; ++section) {
        for (int row = 0; row < premiums[section - 1].size(); ++row) {
            const QString at = QString("%1-%2").arg(section).arg(row);
            const QString index = QString("%1_%2").arg(section).arg(row);
            w.field("txtPolicy" + index)->setText("P" + at);
            w.field("txtCompany" + index)->setText("C" + at);
            w.field("txtPremium" + index)->setText(premiums[section - 1][row]);
            w.field("txtCoverage" + index)->setText(row == 3 ? QString() : "Cov" + at);
            w.field("txtInception" + index)->setText(inceptions[section - 1][row]);
            w.field("txtExpiration" + index)->setText("E" + at);
            w.field("txtTerm" + index)->setText(QString::number(6 + row));
        }
    }
    w.box("chkTax")->setChecked(true);
    w.field("txtTax")->setText("10");
    w.box("chkFees")->setChecked(true);
    w.field("txtFees")->setText("1,000.00");
    w.field("txtSurcharge")->setText("5"); // typed, never ticked: stored, not counted
    w.box("chkOther")->setChecked(true);
    w.field("txtOther")->setText("2.5");
    w.field("txtDescription")->setText("Old balance");
}

QMap<QString, QString> expectedWholeContract()
{
    QMap<QString, QString> expected;
    for (const QString& column : store::policiesColumns())
        expected.insert(column, kNull);
    const QStringList families{"PolicyNo", "Agent", "Premium", "Coverage", "Inception", "Expiration", "Term"};
    const QStringList prefixes{"P", "C", "", "Cov", "", "E", ""};
    const QStringList premiums{"100", "200.5", "300", "400", "50", "60", "70"};
    const QStringList inceptions{"01/05/24", "020124", kNull, "3/3/2024", "03/01/2024", kNull, "2024-02-10"};
    for (int slot = 1; slot <= 7; ++slot) {
        const int section = slot <= 4 ? 1 : 2;
        const int row = slot <= 4 ? slot - 1 : slot - 5;
        const QString at = QString("%1-%2").arg(section).arg(row);
        for (int f = 0; f < families.size(); ++f) {
            QString value = prefixes[f] + at;
            if (families[f] == "Premium")
                value = premiums[slot - 1];
            else if (families[f] == "Inception")
                value = inceptions[slot - 1];
            else if (families[f] == "Term")
                value = QString::number(6 + row);
            else if (families[f] == "Coverage" && row == 3)
                value = kNull;
            expected[families[f] + QString::number(slot)] = value;
        }
    }
    const QList<std::pair<QString, QString>> rest{
        {"Tax", "10"},
        {"Fees", "1,000.00"},
        {"Surcharge", "5"},
        {"Other", "2.5"},
        {"Description", "Old balance"},
        {"LoanAuthorization", "LA-77"},
        {"Run", "2025-03-14T10:30:05"},
        {"Agent", "Ann Agent"},
        {"Customer", "Carl Customer"},
        {"DBA", "Carl's Hauling"},
        {"Company", "Agency Co"},
        // 1000.50 + 180 + 60 + 1012.50; down 250.125 + 54 + 19.8 + 1012.5 shown as 1336.42.
        {"Section1", "1000.50"},
        {"Section2", "180.00"},
        {"Section3", "60.00"},
        {"Section4", "1012.50"},
        {"TotalSections", "2253.00"},
        {"Down", "1336.42"},
        {"Financed", "916.58"},
        {"FinCharge", "65.82"},
        {"Payments", "982.40"},
        {"APR", "10.50"},
        {"InstallmentNum", "8"},
        {"InstallmentAmt", "122.80"},
        // The earliest inception is Section 3's 12/20/23.
        {"Due", "2024-01-20"},
        {"Classification", "Commercial"},
    };
    for (const auto& [column, value] : rest)
        expected[column] = value;
    return expected;
}

QString storedOrNull(const QMap<QString, QString>& row, const QString& column)
{
    const QString value = row.value(column);
    return value.isNull() ? kNull : value;
}

} // namespace

class ContractSavingTest : public QObject {
    Q_OBJECT

private slots:
    void wholeContractColumnByColumn();
    void storedValues_data();
    void storedValues();
    void savingTwiceAddsTwoRows();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void loanAuthorizationCarriedUntilReset();
};

void ContractSavingTest::wholeContractColumnByColumn()
{
    ContractWindows w;
    fillWholeSchedule(w);
    w.clickNext();
    w.reviewField("txtLoanAut")->setText("LA-77");
    w.clickSavePrint();

    QVERIFY(w.messages.shown.isEmpty());
    const auto rows = w.storedRows();
    QCOMPARE(rows.size(), 1);
    const QMap<QString, QString> expected = expectedWholeContract();
    for (const QString& column : store::policiesColumns())
        QCOMPARE(column + "=" + storedOrNull(rows[0], column), column + "=" + expected[column]);
    // Section 3 lives on only in its total.
    for (const QString& value : rows[0])
        QVERIFY2(!value.contains(QRegularExpression("[A-Za-z]3-")), qPrintable(value));

    // The contract keeps the copies it saved.
    const CurrentContract& c = w.session.CurrentContract;
    QCOMPARE(c.PolicyNo[4], QString("P2-0"));
    QCOMPARE(c.PolicyNo[7], QString());
    QCOMPARE(c.Fees, QString("1,000.00"));
    QCOMPARE(c.LoanAuthorization, QString("LA-77"));
    // Save / Print leads back to the schedule.
    QVERIFY(!w.review->isVisible());
    QVERIFY(w.schedule->isVisible());
}

void ContractSavingTest::storedValues_data()
{
    // Steps on the review window before saving: "type <field> <text>", "leave <field>", "personal".
    QTest::addColumn<QString>("premium");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected"); // "Column=value", NULL for not written

    QTest::newRow("only Section 1, premium stored as typed")
        << "120" << QStringList{}
        << QStringList{"Premium1=120", "Section1=120.00", "Section2=0.00", "Section3=0.00",
                       "Section4=0.00", "Premium5=NULL", "PolicyNo8=NULL", "Tax=NULL",
                       "Description=NULL", "LoanAuthorization=NULL", "Classification=Commercial",
                       "APR=10.50"};
    QTest::newRow("switched to personal after the rate was shown")
        << "120" << QStringList{"personal"}
        << QStringList{"Classification=Personal", "APR=10.50"};
    QTest::newRow("rate emptied by changed terms is not written")
        << "120" << QStringList{"type txtNumInstall 10", "leave txtNumInstall"}
        << QStringList{"APR=NULL", "InstallmentNum=10", "InstallmentAmt=11.45"};
    QTest::newRow("down payment emptied is saved as zero")
        << "120" << QStringList{"type txtDown ", "leave txtDown"}
        << QStringList{"Down=0.00", "Financed=120.00", "FinCharge=26.00", "Payments=146.00"};
    QTest::newRow("finance charge typed is saved in two-decimal form")
        << "120" << QStringList{"type txtFinCharge 35", "leave txtFinCharge"}
        << QStringList{"FinCharge=35.00", "Payments=125.00"};
}

void ContractSavingTest::storedValues()
{
    QFETCH(QString, premium);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    ContractWindows w;
    w.field("txtPremium1_0")->setText(premium);
    w.clickNext();
    for (const QString& step : steps) {
        const QStringList words = step.split(' ');
        if (words[0] == "personal")
            w.in<QRadioButton>(w.review.get(), "optPersonal")->setChecked(true);
        else if (words[0] == "type")
            ContractWindows::type(w.reviewField(words[1]), words.value(2));
        else
            ContractWindows::leave(w.reviewField(words[1]));
    }
    w.clickSavePrint();

    const auto rows = w.storedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(storedOrNull(rows[0], "Run"), QString("2025-03-14T10:30:05"));
    for (const QString& entry : expected) {
        const QString column = entry.section('=', 0, 0);
        QCOMPARE(column + "=" + storedOrNull(rows[0], column), entry);
    }
}

void ContractSavingTest::savingTwiceAddsTwoRows()
{
    ContractWindows w;
    w.field("txtPolicy1_0")->setText("P-1");
    w.field("txtPremium1_0")->setText("100");
    w.clickNext();
    w.clickSavePrint();
    w.clock = w.clock.addSecs(61);
    w.clickNext();
    w.clickSavePrint();

    const auto rows = w.storedRows();
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0]["ID"] != rows[1]["ID"]);
    QCOMPARE(rows[0]["Run"], QString("2025-03-14T10:30:05"));
    QCOMPARE(rows[1]["Run"], QString("2025-03-14T10:31:06"));
    QCOMPARE(rows[0]["PolicyNo1"], rows[1]["PolicyNo1"]);
}

void ContractSavingTest::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("shown");

    QTest::newRow("database file gone") << "gone" << "Could not find file";
    QTest::newRow("file refuses the row") << "refuses" << "disk is full";
}

void ContractSavingTest::failedSaveKeepsEverything()
{
    QFETCH(QString, failure);
    QFETCH(QString, shown);

    ContractWindows w;
    w.session.CurrentContract.LoanAuthorization = "LA-OLD";
    w.field("txtPolicy1_0")->setText("P-1");
    w.field("txtPremium1_0")->setText("100");
    w.clickNext();
    w.reviewField("txtLoanAut")->setText("LA-NEW");

    if (failure == "gone") {
        QVERIFY(QFile::remove(w.session.DBPath));
    } else {
        store::Connection c(w.session.DBPath);
        c.run("CREATE TRIGGER Refuse BEFORE INSERT ON Policies BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    }
    w.clickSavePrint();

    QCOMPARE(w.messages.shown.size(), 1);
    QVERIFY2(w.messages.last().text.contains(shown), qPrintable(w.messages.last().text));
    QVERIFY2(w.messages.last().text.contains(QRegularExpression("\\d")), "the store's number is shown");
    QCOMPARE(w.messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(w.messages.last().title, QString("QUILLON"));
    QVERIFY(!w.session.ended);
    QVERIFY(w.review->isVisible());
    QVERIFY(!w.schedule->isVisible());
    QCOMPARE(w.reviewField("txtLoanAut")->text(), QString("LA-NEW"));
    QCOMPARE(w.session.CurrentContract.LoanAuthorization, QString("LA-OLD"));
    QCOMPARE(w.session.CurrentContract.PolicyNo[0], QString());

    // Once the file is put right, the same contract saves.
    if (failure == "gone") {
        store::createDatabase(w.session.DBPath);
    } else {
        QCOMPARE(w.storedRows().size(), 0);
        store::Connection c(w.session.DBPath);
        c.run("DROP TRIGGER Refuse");
    }
    w.clickSavePrint();
    QCOMPARE(w.messages.shown.size(), 1);
    const auto rows = w.storedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0]["LoanAuthorization"], QString("LA-NEW"));
    QCOMPARE(w.session.CurrentContract.LoanAuthorization, QString("LA-NEW"));
}

void ContractSavingTest::loanAuthorizationCarriedUntilReset()
{
    ContractWindows w;
    w.field("txtPremium1_0")->setText("100");
    w.clickNext();
    w.reviewField("txtLoanAut")->setText("LA-77");
    w.clickSavePrint();

    // The same contract again: the number saved comes back.
    w.clickNext();
    QCOMPARE(w.reviewField("txtLoanAut")->text(), QString("LA-77"));

    // A new contract starts without it.
    w.review->hide();
    w.schedule->Reset();
    w.field("txtPremium1_0")->setText("100");
    w.clickNext();
    QCOMPARE(w.reviewField("txtLoanAut")->text(), QString());
    w.clickSavePrint();
    QCOMPARE(w.storedRows().at(1)["LoanAuthorization"], QString());
}

QTEST_MAIN(ContractSavingTest)
#include "tst_ContractSaving.moc"
