#include "history/HistoryFixture.h"
#include "people/TestProgram.h"
#include "store/PoliciesColumns.h"
#include "ui/KeptNotes.h"

#include <QtTest>

// The previous-contracts list over stored rows: listing, Done, Delete, Copy,
// reopening and showing a kept note.
class PreviousContractsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsExactlyTheCustomersRowsInSavingOrder()
    {
        // Letter case, a trailing blank, NULL, quotes and wildcards: each is another customer.
        HistoryRig rig;
        QList<qint64> ids;
        for (const QVariant& dba : QVariantList{"Acme", "ACME", "Acm'%", "Acme ", QVariant(), "acme", "Acme"})
            ids << rig.insert({{"DBA", dba}});
        rig.open("Acme");
        QCOMPARE(rig.listedIds(), (QList<qint64>{ids[0], ids[6]}));
        rig.open("Acm'%");
        QCOMPARE(rig.listedIds(), QList<qint64>{ids[2]});
    }

    void contractRowIsBroughtIntoRange_data()
    {
        QTest::addColumn<int>("contracts");
        QTest::addColumn<int>("rowBefore");
        QTest::addColumn<int>("rowAfter"); // also the row selected; 0 is none
        QTest::newRow("first showing selects the first row") << 2 << 0 << 1;
        QTest::newRow("row 5, two contracts now") << 2 << 5 << 2;
        QTest::newRow("customer without contracts") << 0 << 2 << 0;
    }

    void contractRowIsBroughtIntoRange()
    {
        QFETCH(int, contracts);
        QFETCH(int, rowBefore);
        QFETCH(int, rowAfter);
        HistoryRig rig;
        for (int n = 1; n <= contracts; ++n)
            rig.insert(savedContract("Acme", n));
        const QList<qint64> beta{rig.insert(savedContract("Beta", 1)), rig.insert(savedContract("Beta", 2))};
        rig.session.ContractRow = std::int16_t(rowBefore);
        rig.open("Acme");
        QCOMPARE(rig.grid()->rowCount(), contracts);
        QCOMPARE(rig.selected(), rowAfter);
        QCOMPARE(int(rig.session.ContractRow), rowAfter);
        QCOMPARE(rig.enabled(), QList<bool>(3, rowAfter > 0));
        if (!contracts) // a double-click on the empty grid reopens nothing
            QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        rig.press("cmdDone");
        QVERIFY(!rig.previous->isVisible() && !rig.schedule->isVisible());

        // The main window's list is read afresh and starts where this one left off, at row 1 at least.
        rig.session.SelectedName = "Beta";
        QTimer::singleShot(0, [&] { rig.press("cmdDone"); });
        rig.previous->showModalFromMain(); // returns once Done hides it
        QCOMPARE(rig.listedIds(), beta);
        QCOMPARE(rig.selected(), qMax(rowAfter, 1));
        QCOMPARE(rig.enabled(), QList<bool>(3, true));
    }

    void deleteAndCopyKeepTheListInStep_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("contracts");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QList<int>>("listed"); // rows of the first listing listed after it; 0 is the copy
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("removed"); // from the first contract
        QTest::newRow("delete the only contract") << "cmdDelete" << 1 << 1 << QList<int>{} << 0 << "";
        QTest::newRow("delete row 2 of 3") << "cmdDelete" << 3 << 2 << QList<int>{1, 3} << 1 << "";
        QTest::newRow("delete row 3 of 3") << "cmdDelete" << 3 << 3 << QList<int>{1, 2} << 2 << "";
        QTest::newRow("copy row 1 of 3 without loan authorization")
            << "cmdCopy" << 3 << 1 << QList<int>{1, 2, 3, 0} << 4 << "LoanAuthorization";
    }

    void deleteAndCopyKeepTheListInStep()
    {
        QFETCH(QString, button);
        QFETCH(int, contracts);
        QFETCH(int, chosen);
        QFETCH(QList<int>, listed);
        QFETCH(int, selected);
        QFETCH(QString, removed);
        HistoryRig rig;
        Columns first = savedContract("Acme", 1);
        first.insert({{"PolicyNo8", "slot 8"}, {"Run", QVariant()}});
        first.remove(removed);
        QList<qint64> ids{rig.insert(first)};
        for (int n = 2; n <= contracts; ++n)
            ids << rig.insert(savedContract("Acme", n));
        rig.clock = QDateTime(QDate(2026, 12, 6), QTime(20, 53, 52));
        rig.open("Acme");
        QCOMPARE(rig.cells(1)[2], QString()); // a null date shows empty
        rig.choose(chosen);
        rig.press(qPrintable(button));

        const QList<qint64> after = rig.listedIds();
        QList<qint64> expected;
        for (int row : listed)
            expected << (row ? ids[row - 1] : after.value(3));
        QCOMPARE(after, expected);
        QCOMPARE(rig.selected(), selected);
        QCOMPARE(int(rig.session.ContractRow), selected);
        QCOMPARE(rig.enabled(), QList<bool>(3, selected > 0));
        QVERIFY(rig.messages.shown.isEmpty() && rig.previous->isVisible());
        if (button == "cmdDelete")
            return;
        // The copy has a new ID and is dated now; every other column is as stored, NULLs included.
        QCOMPARE(rig.cells(4).mid(0, 10), (QStringList{"Company 1", "Agent 1", "12/6/2026 8:53:52 PM", "120", "70.00",
                                                       "1077.50", "10.50", "8", "133.81",
                                                       removed.isEmpty() ? "LA-1" : ""}));
        QVERIFY(after[3] > ids.last());
        // "IS NOT DISTINCT FROM" tells a NULL from an empty text.
        QStringList same{"made.ID = ?", "source.ID = ?"};
        for (const QString& column : store::policiesColumns())
            same << QString(column == "Run" ? "made.%1 = ?" : "made.%1 IS NOT DISTINCT FROM source.%1").arg(column);
        store::Connection connection(rig.session.database());
        QSqlQuery query = connection.run("SELECT 1 FROM Policies made, Policies source WHERE " + same.join(" AND "),
                                         {after[3], ids[0], "2026-12-06T20:53:52"});
        QVERIFY2(query.next(), "the copy differs from its original");
    }

    void reopenReplacesWhatWasOnTheSchedule()
    {
        HistoryRig rig;
        // What another contract of this run left on screen.
        rig.fillSchedule("500", "600", "700", "9");
        rig.field("txtPolicy1_3")->setText("old row 4");
        rig.field("txtDescription")->setText("old description");
        rig.reviewField("txtLoanAut")->setText("LA-OLD");

        rig.insert(savedContract("Acme", 1));
        Columns chosen = savedContract("Acme", 2);
        chosen.insert({{"PolicyNo2", "P-2b"}, {"PolicyNo3", "P-2c"}, {"PolicyNo5", "Truck"}, {"Surcharge", "0.00"},
                       {"Description", QVariant()}, {"Agent", QVariant()}});
        rig.insert(chosen);
        rig.insert(savedContract("Acme", 3));
        rig.open("Acme");
        QTest::mouseDClick(rig.grid()->viewport(), Qt::LeftButton, {}, rig.centreOf(2));

        QVERIFY(!rig.previous->isVisible() && rig.schedule->isVisible());
        QStringList shown{rig.reviewField("txtLoanAut")->text()};
        for (const char* name : {"txtPolicy1_0", "txtPolicy1_1", "txtPolicy1_2", "txtPolicy1_3", "txtPolicy2_0",
                                 "txtPremium1_0", "txtPremium2_0", "txtPremium3_0", "txtDescription", "txtSurcharge",
                                 "txtTax"})
            shown << rig.field(name)->text();
        for (const char* name : {"chkSurcharge", "chkTax"})
            shown << (rig.box(name)->isChecked() ? "ticked" : "");
        QCOMPARE(shown, (QStringList{"", "P-2", "P-2b", "P-2c", "", "Truck", "1000", "", "", "", "0.00", "12.5",
                                     "ticked", "ticked"}));
        // The reopened contract's parties replace the last ones, an empty agent included.
        const Session& s = rig.session;
        QCOMPARE((QStringList{s.CurAgent.Name, s.CurAgent.Company, s.CurCust.Name, s.CurCust.DBA}),
                 (QStringList{"", "Company 2", "Customer 2", "Acme"}));

        auto* back = rig.in<QPushButton>(rig.schedule, "cmdBack");
        QCOMPARE(back->text(), QString("<< Previous"));
        QTest::mouseClick(back, Qt::LeftButton);
        QVERIFY(rig.previous->isVisible() && !rig.schedule->isVisible());
        QCOMPARE(rig.selected(), 2);
    }

    // A database of the program's made before Section 3 was kept gets its slots at
    // start-up, and its contracts reopen as they always did, Section 3 empty.
    void olderDatabaseReopensAsBefore()
    {
        TestProgram program;
        const store::Place db = program.makeDatabase();
        {
            store::Connection connection(db);
            for (const QString& family : store::slotFamilies())
                for (int slot = store::kFirstAppendedSlot; slot <= store::kPolicySlots; ++slot)
                    connection.execute(QString("ALTER TABLE Policies DROP COLUMN %1%2").arg(family).arg(slot));
        }
        insertRows(db, "Agent", {"Name"}, {{"Al"}});
        insertRows(db, "Customer", {"Name", "DBA"}, {{"Ann", "Acme"}});
        insertRows(db, "Policies", {"DBA", "PolicyNo1", "Premium1", "PolicyNo5", "Section3", "TotalSections"},
                   {{"Acme", "P-1", "1000", "Truck", "300.00", "1300.00"}});
        QVERIFY(program.start());
        QVERIFY(program.messages.shown.isEmpty());
        // The server keeps the table's name folded to lower case.
        QCOMPARE(store::Connection(db).database().record(testdb::onServer() ? "policies" : "Policies").count(),
                 int(store::policiesColumns().size()) + 1);

        const AppWindows& w = program.app->windows();
        program.type(w.frmPolicies1, "txtPolicy3_0", "left from before");
        TestProgram::whileOpen([&] { program.click(program.main(), "cmdPrevContract"); },
                               [&] { program.click(w.frmPrevious, "cmdEdit"); });
        QStringList shown;
        for (const char* name : {"txtPolicy1_0", "txtPremium1_0", "txtPolicy2_0", "txtPolicy3_0", "txtPremium3_2"})
            shown << program.control<QLineEdit>(w.frmPolicies1, name)->text();
        QCOMPARE(shown, (QStringList{"P-1", "1000", "Truck", "", ""}));
    }

    void ctrlOShowsTheKeptNote_data()
    {
        QTest::addColumn<QString>("keptAs"); // %1 is the chosen contract's ID
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QString>("message");
        QTest::newRow("kept note") << "%1 Acme 2025-03-14.pdf" << true << "";
        QTest::newRow("only another contract's note") << "%1%1 Acme 2025-03-14.pdf" << true
                                                      << "No note was kept for this contract.";
        QTest::newRow("no viewer for it") << "%1 Acme 2025-03-14.pdf" << false << "The note could not be opened: ";
    }

    void ctrlOShowsTheKeptNote()
    {
        QFETCH(QString, keptAs);
        QFETCH(bool, desktopOpens);
        QFETCH(QString, message);
        HistoryRig rig;
        rig.insert(savedContract("Acme", 1));
        const qint64 id = rig.insert(savedContract("Acme", 2));
        const QString folder = ui::keptNotesFolder(rig.session);
        QVERIFY(QDir().mkpath(folder));
        const QString note = QDir(folder).filePath(keptAs.arg(id));
        QFile file(note);
        QVERIFY(file.open(QIODevice::WriteOnly));
        rig.desktop.opens = desktopOpens;
        rig.open("Acme");
        rig.previous->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.previous));
        rig.choose(2);
        QTest::keyClick(rig.grid(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(rig.desktop.opened, message.startsWith("No") ? QStringList() : QStringList{note});
        QCOMPARE(rig.messages.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY(rig.messages.last().text.startsWith(message));
            QCOMPARE(rig.messages.last().title, QString("Show Note"));
        }
        QVERIFY(rig.previous->isVisible());
    }
};

QTEST_MAIN(PreviousContractsWindowTest)
#include "tst_PreviousContractsWindow.moc"
