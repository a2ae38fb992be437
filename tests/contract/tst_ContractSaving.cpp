#include "contract/ContractWindows.h"

#include "store/PoliciesColumns.h"

#include <QFile>

// Save / Print stores the contract as one new Policies row.
class ContractSavingTest : public QObject {
    Q_OBJECT
private slots:
    void wholeContractColumnByColumn();
    void storedValues_data();
    void storedValues() { ContractWindows().checkRow(); }
    void failedSaveKeepsEverything();
};

void ContractSavingTest::wholeContractColumnByColumn()
{
    // Every field of Sections 1 to 3 names its place: "P2_0" is the policy of Section 2's first row.
    const QStringList places{"1_0", "1_1", "1_2", "1_3", "2_0", "2_1", "2_2", "3_0", "3_1", "3_2"};
    const QStringList premiums{"100", "200.5", "300", "400", "50", "60", "70", "10", "20", "30"};
    const QStringList inceptions{"01/05/24", "020124", "", "3/3/2024", "03/01/2024", "", "2024-02-10", "12/20/23", "", ""};
    QStringList steps, expected;
    for (int i = 0; i < places.size(); ++i) {
        const QString& at = places[i];
        const QString coverage = at == "1_3" ? "" : "Cov" + at;
        steps << "set txtPolicy" + at + " P" + at << "set txtCompany" + at + " C" + at << "set txtPremium" + at + " " + premiums[i]
              << "set txtCoverage" + at + " " + coverage << "set txtInception" + at + " " + inceptions[i]
              << "set txtExpiration" + at + " E" + at << "set txtTerm" + at + " T" + at;
        // Slot 8 keeps no row: Section 3 is in slots 9 to 11.
        const QString slot = QString::number(i < 7 ? i + 1 : i + 2);
        expected << "PolicyNo" + slot + "=P" + at << "Agent" + slot + "=C" + at << "Premium" + slot + "=" + premiums[i]
                     << "Coverage" + slot + "=" + (coverage.isEmpty() ? "NULL" : coverage)
                     << "Inception" + slot + "=" + (inceptions[i].isEmpty() ? "NULL" : inceptions[i])
                     << "Expiration" + slot + "=E" + at << "Term" + slot + "=T" + at;
    }
    steps << "tick chkTax" << "set txtTax 10" << "tick chkFees" << "set txtFees 1,000.00" << "set txtSurcharge 5"
          << "tick chkOther" << "set txtOther 2.5" << "set txtDescription Old balance" << "next"
          << "set txtLoanAut LA-77" << "save";
    // The surcharge is typed but not ticked: stored, not counted. Down payment 250.125 + 54 + 19.8 +
    // 1012.5 is shown, and saved, as 1336.42; the earliest inception is Section 3's 12/20/23.
    expected << "Tax=10" << "Fees=1,000.00" << "Surcharge=5" << "Other=2.5" << "Description=Old balance"
             << "LoanAuthorization=LA-77" << "Run=2025-03-14T10:30:05" << "Agent=Ann Agent" << "Customer=Carl Customer"
             << "DBA=Carl's Hauling" << "Company=Agency Co" << "Section1=1000.50" << "Section2=180.00"
             << "Section3=60.00" << "Section4=1012.50" << "TotalSections=2253.00" << "Down=1336.42"
             << "Financed=916.58" << "FinCharge=65.82" << "Payments=982.40" << "APR=10.50" << "InstallmentNum=8"
             << "InstallmentAmt=122.80" << "Due=2024-01-20" << "Classification=Commercial";
    QMap<QString, QString> byColumn;
    for (const QString& entry : expected)
        byColumn.insert(entry.section('=', 0, 0), entry);
    QStringList columns;
    for (const QString& column : store::policiesColumns())
        columns << "row1." + byColumn.value(column, column + "=NULL");
    columns << "rows=1" << "messages=0" << "frmPolicies1=shown";
    ContractWindows w;
    w.run(steps);
    QCOMPARE(w.seen(columns), columns);
}

void ContractSavingTest::storedValues_data()
{
    ContractWindows::addColumns();
    const QString premium = "set txtPolicy1_0 P-1; set txtPremium1_0 120; next; ";
    auto add = ContractWindows::addRow;

    add("only Section 1, premium as typed, empty sources not written", premium + "save",
        "row1.Premium1=120; row1.Section1=120.00; row1.Section2=0.00; row1.Premium2=NULL; row1.PolicyNo8=NULL; row1.Tax=NULL; "
        "row1.LoanAuthorization=NULL; row1.Classification=Commercial; row1.APR=10.50; row1.Run=2025-03-14T10:30:05");
    add("switched to personal after the rate was shown: its own rate", premium + "tick optPersonal; save",
        "row1.Classification=Personal; row1.APR=68.20");
    add("rate emptied by changed terms is not written", premium + "type txtNumInstall 10; leave txtNumInstall; save",
        "row1.APR=NULL; row1.InstallmentNum=10; row1.InstallmentAmt=11.45");
    add("finance charge typed is saved in two-decimal form", premium + "type txtFinCharge 35; leave txtFinCharge; save",
        "row1.FinCharge=35.00; row1.Payments=125.00");
    add("saving twice gives two rows", premium + "save; wait 61; next; save",
        "rows=2; row1.ID=1; row2.ID=2; row1.Run=2025-03-14T10:30:05; row2.Run=2025-03-14T10:31:06; row2.PolicyNo1=P-1");
    add("the same contract again brings its loan authorization back", premium + "set txtLoanAut LA-77; save; next",
        "txtLoanAut=LA-77");
    add("a new contract starts without it", premium + "set txtLoanAut LA-77; save; reset; set txtPremium1_0 100; next; save",
        "row1.LoanAuthorization=LA-77; row2.LoanAuthorization=NULL");
}

namespace {

// The store going away under a running program (the file deleted, or the office
// server out of reach; a session it merely dropped is replaced without a word),
// or a store that refuses the write; and the store back again.
void breakStore(ContractWindows& w, bool storeGone, bool broken)
{
    const bool server = testdb::onServer();
    static QString reachableHost;
    if (storeGone && server) {
        if (broken)
            reachableHost = std::exchange(w.session.Server.host, QDir::temp().filePath("quillon-no-server-here"));
        else
            w.session.Server.host = reachableHost;
    } else if (storeGone && broken) {
        QVERIFY(QFile::remove(w.session.DBPath));
    } else if (storeGone) {
        store::createDatabase(w.session.DBPath);
    } else if (!broken) {
        store::Connection(w.session.database()).execute(server ? "DROP TRIGGER Refuse ON Policies" : "DROP TRIGGER Refuse");
    } else if (server) {
        store::Connection connection(w.session.database());
        connection.execute("CREATE FUNCTION Refuse() RETURNS trigger LANGUAGE plpgsql AS "
                           "$$ BEGIN RAISE EXCEPTION 'disk is full'; END $$");
        connection.execute("CREATE TRIGGER Refuse BEFORE INSERT ON Policies FOR EACH ROW EXECUTE FUNCTION Refuse()");
    } else {
        store::Connection(w.session.database())
            .run("CREATE TRIGGER Refuse BEFORE INSERT ON Policies BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    }
}

} // namespace

void ContractSavingTest::failedSaveKeepsEverything()
{
    for (const bool storeGone : {true, false}) {
        ContractWindows w;
        w.session.CurrentContract.LoanAuthorization = "LA-OLD";
        w.run({"set txtPolicy1_0 P-1", "set txtPremium1_0 100", "next", "set txtLoanAut LA-NEW"});
        breakStore(w, storeGone, true);
        w.clickSavePrint();

        // The store's number and description, in an error box under the program's title.
        const QString message = w.valueOf("message");
        const QString gone = testdb::onServer() ? "Error 08001" : "Could not find file";
        QVERIFY2(message.contains(storeGone ? gone : "disk is full") && message.contains(QRegularExpression("\\d"))
                     && !message.contains("(not an error)"),
                 qPrintable(message));
        const QStringList kept{"messages=1", "ended=no", "frmPreview=shown", "frmPolicies1=hidden", "txtLoanAut=LA-NEW", "jobs=0"};
        QCOMPARE(w.seen(kept), kept);
        QCOMPARE(w.session.CurrentContract.LoanAuthorization, QString("LA-OLD"));
        QCOMPARE(w.session.CurrentContract.PolicyNo[0], QString());

        // Once the store is back, the same contract saves, once.
        breakStore(w, storeGone, false);
        w.clickSavePrint();
        const QStringList saved{"messages=1", "rows=1", "row1.LoanAuthorization=LA-NEW"};
        QCOMPARE(w.seen(saved), saved);
    }
}

QTEST_MAIN(ContractSavingTest)
#include "tst_ContractSaving.moc"
