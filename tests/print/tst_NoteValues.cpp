#include "app/Session.h"
#include "print/NoteValuesGatherer.h"
#include "support/ContractWindowsStub.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QtTest>

#include <functional>

using Pick = std::function<QString(const print::NoteValues&)>;
Q_DECLARE_METATYPE(Pick)

// The note's values come from the two windows' controls as they stand, text
// for text, and from the session's agent, customer and version.
class NoteValuesTest : public QObject {
    Q_OBJECT
private slots:
    void controlTextGoesToItsValue_data();
    void controlTextGoesToItsValue();
    void firstInstallmentInUsForm_data();
    void firstInstallmentInUsForm();
    void classificationFollowsThePersonalOption_data();
    void classificationFollowsThePersonalOption();
    void tickedItems();
    void partiesAndVersionFromTheSession();
    void missingWindowsReadAsEmpty();
};

void NoteValuesTest::controlTextGoesToItsValue_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<Pick>("pick");
    using V = print::NoteValues;
    QTest::newRow("loan authorization") << "txtLoanAut" << Pick([](const V& v) { return v.loanAuthorization; });
    QTest::newRow("amount financed label") << "lblAmtFin" << Pick([](const V& v) { return v.amountFinanced; });
    QTest::newRow("finance charge field") << "txtFinCharge" << Pick([](const V& v) { return v.financeCharge; });
    QTest::newRow("total of payments") << "lblTotalPayments" << Pick([](const V& v) { return v.totalOfPayments; });
    QTest::newRow("APR") << "lblAPR" << Pick([](const V& v) { return v.apr; });
    QTest::newRow("number of installments") << "txtNumInstall" << Pick([](const V& v) { return v.numberOfInstallments; });
    QTest::newRow("amount of installments") << "lblAmtInstall" << Pick([](const V& v) { return v.amountOfInstallments; });
    QTest::newRow("grand total") << "lblTotalSections" << Pick([](const V& v) { return v.totalSections; });
    QTest::newRow("down payment") << "txtDown" << Pick([](const V& v) { return v.downPayment; });
    QTest::newRow("first policy number") << "txtPolicy1_0" << Pick([](const V& v) { return v.sections[0][0].policy; });
    QTest::newRow("last section 1 term") << "txtTerm1_3" << Pick([](const V& v) { return v.sections[0][3].term; });
    QTest::newRow("section 2 company, last row") << "txtCompany2_2" << Pick([](const V& v) { return v.sections[1][2].company; });
    QTest::newRow("section 3 premium, middle row") << "txtPremium3_1" << Pick([](const V& v) { return v.sections[2][1].premium; });
    QTest::newRow("section 3 coverage") << "txtCoverage3_0" << Pick([](const V& v) { return v.sections[2][0].coverage; });
    QTest::newRow("inception as typed") << "txtInception2_0" << Pick([](const V& v) { return v.sections[1][0].inception; });
    QTest::newRow("expiration") << "txtExpiration1_2" << Pick([](const V& v) { return v.sections[0][2].expiration; });
    QTest::newRow("tax amount") << "txtTax" << Pick([](const V& v) { return v.tax.amount; });
    QTest::newRow("fees amount") << "txtFees" << Pick([](const V& v) { return v.fees.amount; });
    QTest::newRow("surcharge amount") << "txtSurcharge" << Pick([](const V& v) { return v.surcharge.amount; });
    QTest::newRow("other amount") << "txtOther" << Pick([](const V& v) { return v.other.amount; });
    QTest::newRow("description") << "txtDescription" << Pick([](const V& v) { return v.description; });
}

void NoteValuesTest::controlTextGoesToItsValue()
{
    QFETCH(QString, control);
    QFETCH(Pick, pick);
    ContractWindowsStub windows;
    // Every control gets its own name as text, so a value read from the wrong control shows.
    for (QWidget* window : {windows.schedule.get(), windows.review.get()})
        for (QObject* child : window->children())
            windows.setText(child->objectName(), "<" + child->objectName() + ">");
    windows.setText(control, " 1,234.5 typed ");
    const print::NoteValues values = print::gatherNoteValues(windows.schedule.get(), windows.review.get(), Session{});
    QCOMPARE(pick(values), QString(" 1,234.5 typed "));
}

void NoteValuesTest::firstInstallmentInUsForm_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("printed");
    QTest::newRow("single-digit month and day") << QDate(2025, 1, 5) << "1/5/2025";
    QTest::newRow("two-digit month and day") << QDate(2024, 12, 15) << "12/15/2024";
}

void NoteValuesTest::firstInstallmentInUsForm()
{
    QFETCH(QDate, date);
    QFETCH(QString, printed);
    ContractWindowsStub windows;
    windows.review->findChild<QDateEdit*>("dtpFirstInstllmnt")->setDate(date);
    const print::NoteValues values = print::gatherNoteValues(windows.schedule.get(), windows.review.get(), Session{});
    QCOMPARE(values.firstInstallmentDue, printed);
}

void NoteValuesTest::classificationFollowsThePersonalOption_data()
{
    QTest::addColumn<bool>("personal");
    QTest::addColumn<bool>("commercial");
    QTest::newRow("personal set") << true << false;
    QTest::newRow("commercial set") << false << true;
    QTest::newRow("neither set counts as commercial") << false << false;
}

void NoteValuesTest::classificationFollowsThePersonalOption()
{
    QFETCH(bool, personal);
    QFETCH(bool, commercial);
    ContractWindowsStub windows;
    for (QAbstractButton* option : windows.review->findChildren<QAbstractButton*>())
        option->setAutoExclusive(false);
    windows.setChecked("optPersonal", personal);
    windows.setChecked("optCommercial", commercial);
    const print::NoteValues values = print::gatherNoteValues(windows.schedule.get(), windows.review.get(), Session{});
    QCOMPARE(values.personal, personal);
}

void NoteValuesTest::tickedItems()
{
    ContractWindowsStub windows;
    windows.setChecked("chkFees", true);
    windows.setChecked("chkOther", true);
    const print::NoteValues values = print::gatherNoteValues(windows.schedule.get(), windows.review.get(), Session{});
    QCOMPARE((QList<bool>{values.tax.ticked, values.fees.ticked, values.surcharge.ticked, values.other.ticked}),
             (QList<bool>{false, true, false, true}));
    QCOMPARE(values.sections[0].size(), 4);
    QCOMPARE(values.sections[1].size(), 3);
    QCOMPARE(values.sections[2].size(), 3);
}

void NoteValuesTest::partiesAndVersionFromTheSession()
{
    ContractWindowsStub windows;
    Session session;
    session.CurAgent.Company = "Agency One";
    session.CurCust.DBA = "Insured Hauling LLC";
    session.Version = "8.0";
    const print::NoteValues values = print::gatherNoteValues(windows.schedule.get(), windows.review.get(), session);
    QCOMPARE(values.agent.Company, QString("Agency One"));
    QCOMPARE(values.customer.DBA, QString("Insured Hauling LLC"));
    QCOMPARE(values.version, QString("8.0"));
}

void NoteValuesTest::missingWindowsReadAsEmpty()
{
    const print::NoteValues values = print::gatherNoteValues(nullptr, nullptr, Session{});
    QVERIFY(values.amountFinanced.isEmpty());
    QVERIFY(values.firstInstallmentDue.isEmpty());
    QCOMPARE(values.sections[0].size(), 4);
    QVERIFY(values.sections[0][0].policy.isEmpty());
}

QTEST_MAIN(NoteValuesTest)
#include "tst_NoteValues.moc"
