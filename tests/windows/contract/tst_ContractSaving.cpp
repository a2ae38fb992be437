#include "support/TestProgram.h"

#include "model/store/PoliciesColumns.h"
#include "model/store/PoliciesTable.h"
#include "model/store/WriteToken.h"
#include "support/TestDatabase.h"

// Save / Print stores the contract as one new Policies row.
class ContractSavingTest : public QObject {
    Q_OBJECT
private slots:
    void wholeContractColumnByColumn()
    {
        // Every field of Sections 1 to 3 names its place: "P2_0" is the policy of Section 2's first row.
        const QStringList places{"1_0", "1_1", "1_2", "1_3", "2_0", "2_1", "2_2", "3_0", "3_1", "3_2"};
        const QStringList premiums{"100", "200.5", "300", "400", "50", "60", "70", "10", "20", "30"};
        const QStringList inceptions{"01/05/24", "020124", "", "3/3/2024", "03/01/2024", "", "2024-02-10", "12/20/23", "", ""};
        QStringList steps, expected;
        for (int i = 0; i < places.size(); ++i) {
            const QString& at = places[i];
            // Slot 8 keeps no row: Section 3 is in slots 9 to 11.
            const QString slot = QString::number(i < 7 ? i + 1 : i + 2);
            for (const char* field : {"Policy", "Company", "Expiration", "Term"})
                steps << QStringLiteral("set txt%1%2 %1%2").arg(field, at);
            steps << "set txtPremium" + at + " " + premiums[i] << "set txtInception" + at + " " + inceptions[i];
            if (at != "1_3")
                steps << "set txtCoverage" + at + " Cov" + at;
            expected << "PolicyNo" + slot + "=Policy" + at << "Agent" + slot + "=Company" + at << "Expiration" + slot + "=Expiration" + at
                     << "Term" + slot + "=Term" + at << "Premium" + slot + "=" + premiums[i]
                     << "Inception" + slot + "=" + (inceptions[i].isEmpty() ? "NULL" : inceptions[i])
                     << "Coverage" + slot + "=" + (at == "1_3" ? "NULL" : "Cov" + at);
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
        QStringList columns{"rows=1", "messages=0", "frmPolicies1=shown"};
        for (const QString& column : store::policiesColumns())
            columns << "row1." + byColumn.value(column, column + "=NULL");
        NewContract w;
        w.run(steps);
        QCOMPARE(w.seen(columns), columns);
    }
    void storedValues_data()
    {
        NewContract::addColumns();
        const QString premium = "set txtPolicy1_0 P-1; set txtPremium1_0 120; next; ";
        auto add = NewContract::addRow;

        add("switched to personal after the rate was shown: its own rate", premium + "tick optPersonal; save",
            "row1.Classification=Personal; row1.APR=68.20");
        add("rate emptied by changed terms is not written", premium + "type txtNumInstall 10; leave txtNumInstall; save",
            "row1.APR=NULL; row1.InstallmentNum=10; row1.InstallmentAmt=11.45");
        add("finance charge typed is saved in two-decimal form", premium + "type txtFinCharge 35; leave txtFinCharge; save",
            "row1.FinCharge=35.00; row1.Payments=125.00");
        add("the same contract again brings its loan authorization back, and saves a second row",
            premium + "set txtLoanAut LA-77; save; next; save", "txtLoanAut=LA-77; rows=2; row2.ID=2; row2.PolicyNo1=P-1");
        add("a new contract starts without it", premium + "set txtLoanAut LA-77; save; click cmdBack; click frmAgent/cmdNext; set txtPremium1_0 100; next; save",
            "row1.LoanAuthorization=LA-77; row2.LoanAuthorization=NULL");
    }
    // A store that refuses the write: nothing is lost, nothing goes to the printer, and once the
    // store takes writes again the same contract saves, once.
    void failedSaveKeepsEverything()
    {
        NewContract w;
        w.session().CurrentContract.LoanAuthorization = "LA-OLD";
        w.run({"set txtPolicy1_0 P-1", "set txtPremium1_0 100", "next", "set txtLoanAut LA-NEW"});
        const bool server = testdb::onServer();
        if (server)
            store::Connection(w.session().database()).runUnprepared(
                "CREATE FUNCTION Refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'disk is full'; END $$");
        store::Connection(w.session().database()).runUnprepared(server
            ? "CREATE TRIGGER Refuse BEFORE INSERT ON Policies FOR EACH ROW EXECUTE FUNCTION Refuse()"
            : "CREATE TRIGGER Refuse BEFORE INSERT ON Policies BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
        w.run({"save"});

        // The store's number and description, in an error box under the program's title.
        const QString message = w.valueOf("message");
        QVERIFY2(message.contains("disk is full") && message.contains(QRegularExpression("\\d")) && !message.contains("(not an error)"),
                 qPrintable(message));
        const QStringList kept{"messages=1", "ended=no", "frmPreview=shown", "frmPolicies1=hidden", "txtLoanAut=LA-NEW", "jobs=0"};
        QCOMPARE(w.seen(kept), kept);
        QCOMPARE(w.session().CurrentContract.LoanAuthorization, QString("LA-OLD"));
        QCOMPARE(w.session().CurrentContract.PolicyNo[0], QString());

        store::Connection(w.session().database()).runUnprepared(server ? "DROP TRIGGER Refuse ON Policies" : "DROP TRIGGER Refuse");
        w.run({"save"});
        const QStringList saved{"messages=1", "rows=1", "row1.LoanAuthorization=LA-NEW"};
        QCOMPARE(w.seen(saved), saved);
    }

    // A save retried after another desk started is stored once, whatever the desks' clocks say: a
    // write token goes only once it is a week old by the store's own clock and enough newer ones stay.
    void retryAfterAnotherDesksStart_data()
    {
        QTest::addColumn<int>("firstDeskYears"); // the clock of the desk that saved first of all
        QTest::addColumn<int>("retryingDeskYears"); // the retrying desk's clock against the true one
        QTest::addColumn<int>("laterDeskYears"); // the clock of the desk that saves after it
        QTest::addColumn<int>("laterSaves");
        QTest::addColumn<int>("storeDaysOn"); // how far the store's clock went on after the first try
        QTest::addColumn<int>("stored"); // rows after the retry
        QTest::newRow("retrying desk's clock years behind, enough newer saves") << 0 << -25 << 0 << store::kWriteTokensKept - 1 << 0 << 1;
        QTest::newRow("a later desk's clock years ahead") << 0 << 0 << 70 << 1 << 0 << 1;
        QTest::newRow("a week on by the store, enough newer saves") << 0 << 0 << 0 << store::kWriteTokensKept - 1 << 8 << 2;
        QTest::newRow("saving desks a year behind the starting one, a day on by the store") << -1 << -1 << -1 << store::kWriteTokensKept << 1 << 1;
    }
    void retryAfterAnotherDesksStart()
    {
        QFETCH(int, firstDeskYears);
        QFETCH(int, retryingDeskYears);
        QFETCH(int, laterDeskYears);
        QFETCH(int, laterSaves);
        QFETCH(int, storeDaysOn);
        QTemporaryDir dir;
        const store::Place place = testdb::freshDatabase(dir.filePath("project.mdb"));
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const auto save = [&](const QString& policy, const QString& token) { return store::appendPolicy(place, {"PolicyNo1"}, {policy}, token); };
        save("earlier", store::newWriteToken(now.addYears(firstDeskYears)));
        const QString token = store::newWriteToken(now.addYears(retryingDeskYears));
        QVERIFY(save("P-1", token) > 0);
        if (storeDaysOn)
            store::Connection(place).run("UPDATE WriteTokens SET Stamp = Stamp - ? WHERE Token = ?",
                                         {storeDaysOn * 24 * 60 * 60, token});
        for (int n = 0; n < laterSaves; ++n)
            save("later", store::newWriteToken(now.addYears(laterDeskYears)));
        store::Connection starting(place);
        store::ensureWriteTokens(starting);
        save("P-1", token);
        QTEST(testdb::firstValue(place, "SELECT count(*) FROM Policies WHERE PolicyNo1 = 'P-1'").toInt(), "stored");
    }

    // A try whose outcome is unknown leaves its write token to the same contract only: a changed one is a write of its own.
    void retryKeepsItsTokenForTheSameContractOnly()
    {
        store::PendingWrite pending;
        QStringList tokens;
        for (const char* contents : {"A", "A", "B"})
            QVERIFY_THROWS_EXCEPTION(store::StoreError, pending.attempt(contents, QDateTime::currentDateTimeUtc(), [&](const QString& token) {
                tokens << token;
                throw store::StoreError(-1, "reply lost");
            }));
        QVERIFY(tokens[0] == tokens[1] && tokens[1] != tokens[2]);
    }
};

QTEST_MAIN(ContractSavingTest)
#include "tst_ContractSaving.moc"
