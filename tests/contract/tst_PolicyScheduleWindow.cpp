#include "contract/ContractWindows.h"
#include "contract/FieldColour.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QTest>

namespace {

QString captionOf(QWidget* widget)
{
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return frame->title();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return QString();
}

} // namespace

class PolicyScheduleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void nextRefusesUnusableFields_data();
    void nextRefusesUnusableFields();
    void emptiedYellowPremiumPasses();
    void specialItemBoxes_data();
    void specialItemBoxes();
    void clickingAmountTicksAndWhitens();
    void resetClearsEverythingOfPreviousContract();
    void inceptionOfPreviousContractNotKept();
    void backLeadsByCaption_data();
    void backLeadsByCaption();
    void closeBoxEndsProgram();
};

void PolicyScheduleWindowTest::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips"); // relative to the control's frame or window

    QTest::newRow("heading") << "Label1" << "Enter Policy Information" << QRect(1560, 60, 6795, 315);
    QTest::newRow("premium heading keeps its blank") << "lblHeadPremium" << "Premium/ Amount " << QRect();
    QTest::newRow("Section 1")
        << "Frame1" << "Section 1 - Policy(s) which require less than 20 days to cancel. "
        << QRect(60, 900, 9915, 1575);
    QTest::newRow("Section 2")
        << "Frame2"
        << "Section 2 - Policy(s) which require more than 20 days to cancel such as Truckers with "
           "filings, etc. "
        << QRect(60, 2600, 9915, 1335);
    QTest::newRow("Section 3")
        << "Frame3"
        << "Section 3 - Policy(s) such as Work Comp etc. which require 60 days or more to cancel."
        << QRect(60, 4060, 9915, 1335);
    QTest::newRow("Section 4")
        << "Frame4"
        << "Section 4 - List any special items in this section such as any tax, fees, minumum fully "
           "earned premiums, old balances, etc. "
        << QRect(60, 5520, 9915, 1155);
    QTest::newRow("last row of Section 1") << "txtTerm1_3" << "" << QRect(8760, 1140, 1035, 315);
    QTest::newRow("other box") << "chkOther" << "OTHER: Amount" << QRect(360, 660, 1755, 255);
    QTest::newRow("next") << "cmdNext" << "Next >>" << QRect(5280, 6840, 1215, 495);
}

void PolicyScheduleWindowTest::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    ContractWindows w;
    QCOMPARE(w.schedule->windowTitle(), QString("Policies"));
    QCOMPARE(w.schedule->size(), ui::twipsSize(10020, 7440));
    auto* widget = w.in<QWidget>(w.schedule.get(), name);
    QCOMPARE(captionOf(widget), caption);
    if (!twips.isNull())
        QCOMPARE(widget->geometry(), ui::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

void PolicyScheduleWindowTest::nextRefusesUnusableFields_data()
{
    // Fields: "name=text"; a "chk…" name ticks that box.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("yellow");

    const QString amount = "Amount must be indicated as a number (0.00)";
    const QString inception = "Inception date must be a date (01/01/2008)";
    QTest::newRow("premium in words") << QStringList{"txtPremium1_0=100", "txtPremium2_1=abc"} << amount
                                      << QStringList{"txtPremium2_1"};
    QTest::newRow("ticked tax left empty") << QStringList{"chkTax"} << amount << QStringList{"txtTax"};
    QTest::newRow("every bad field at once")
        << QStringList{"txtPremium1_0=x", "txtPremium3_2=1.2.3", "chkOther", "txtOther=o",
                       "txtPremium2_0=5"}
        << amount << QStringList{"txtPremium1_0", "txtPremium3_2", "txtOther"};
    QTest::newRow("thousands wrongly grouped") << QStringList{"txtPremium1_1=12,34"} << amount
                                               << QStringList{"txtPremium1_1"};
    QTest::newRow("premium beyond what an amount holds")
        << QStringList{"txtPremium1_0=1000000000000000"} << amount << QStringList{"txtPremium1_0"};
    QTest::newRow("sum beyond what an amount holds")
        << QStringList{"txtPremium1_0=900000000000000", "txtPremium1_1=900000000000000"} << amount
        << QStringList{};
    QTest::newRow("inception not a date")
        << QStringList{"txtPremium1_0=100", "txtInception1_1=next week", "txtInception2_0=01/10/24"}
        << inception << QStringList{"txtInception1_1"};
    QTest::newRow("inception on a day that does not exist")
        << QStringList{"txtInception3_0=02/30/2024"} << inception << QStringList{"txtInception3_0"};
    QTest::newRow("bad amount and bad inception")
        << QStringList{"txtPremium1_0=ten", "txtInception1_0=soon"} << amount
        << QStringList{"txtPremium1_0", "txtInception1_0"};
}

void PolicyScheduleWindowTest::nextRefusesUnusableFields()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QStringList, yellow);

    ContractWindows w;
    CurrentContract before;
    before.Section1 = 123;
    before.EarliestInception = QDate(2020, 2, 2);
    before.AprKept = false;
    w.session.CurrentContract = before;
    for (const QString& entry : typed) {
        const QStringList parts = entry.split('=');
        if (parts[0].startsWith("chk"))
            w.box(parts[0])->setChecked(true);
        else
            w.field(parts[0])->setText(parts[1]);
    }

    w.clickNext();

    QCOMPARE(w.messages.shown.size(), 1);
    QCOMPARE(w.messages.last().text, message);
    QCOMPARE(w.messages.last().icon, ui::MessageIcon::Critical);
    QCOMPARE(w.messages.last().title, QString("QUILLON"));
    QVERIFY(w.schedule->isVisible());
    QVERIFY(!w.review->isVisible());
    QCOMPARE(w.session.CurrentContract.Section1, 123.0);
    QCOMPARE(w.session.CurrentContract.EarliestInception, QDate(2020, 2, 2));
    QVERIFY(!w.session.CurrentContract.AprKept);
    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>()) {
        const QColor expected =
            yellow.contains(field->objectName()) ? fieldcolour::kInvalid : fieldcolour::kValid;
        QCOMPARE(field->objectName() + " " + fieldcolour::of(field).name(),
                 field->objectName() + " " + expected.name());
    }
}

void PolicyScheduleWindowTest::emptiedYellowPremiumPasses()
{
    ContractWindows w;
    QLineEdit* premium = w.field("txtPremium2_0");
    premium->setText("abc");
    w.clickNext();
    QCOMPARE(fieldcolour::of(premium), fieldcolour::kInvalid);

    // Empty premiums are not tested: the field stays yellow and Next >> passes.
    premium->clear();
    w.field("txtPremium1_0")->setText("100");
    w.clickNext();
    QCOMPARE(w.messages.shown.size(), 1);
    QVERIFY(w.review->isVisible());
    QCOMPARE(fieldcolour::of(premium), fieldcolour::kInvalid);
}

void PolicyScheduleWindowTest::specialItemBoxes_data()
{
    // Each step: "tick", "untick" or "type <text>" on the fees item.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("section4");

    QTest::newRow("ticked amount counts") << QStringList{"tick", "type 25"} << "25" << "25.00";
    QTest::newRow("unticking empties the amount")
        << QStringList{"tick", "type 25", "untick"} << "" << "0.00";
    QTest::newRow("ticking again leaves it empty")
        << QStringList{"tick", "type 25", "untick", "tick"} << "" << "";
    QTest::newRow("amount typed without the box is not counted")
        << QStringList{"type 25"} << "25" << "0.00";
    QTest::newRow("amount in words without the box is not tested")
        << QStringList{"type lots"} << "lots" << "0.00";
}

void PolicyScheduleWindowTest::specialItemBoxes()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, amount);
    QFETCH(QString, section4);

    ContractWindows w;
    QCheckBox* box = w.box("chkFees");
    QLineEdit* fees = w.field("txtFees");
    for (const QString& step : steps) {
        if (step == "tick" || step == "untick") {
            if (box->isChecked() != (step == "tick"))
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        } else {
            fees->setText(step.mid(5)); // reached with the Tab key, not a click
        }
    }
    QCOMPARE(fees->text(), amount);

    w.clickNext();
    if (section4.isEmpty()) {
        // A ticked, empty amount is refused.
        QCOMPARE(w.messages.shown.size(), 1);
        QCOMPARE(fieldcolour::of(fees), fieldcolour::kInvalid);
        return;
    }
    QVERIFY(w.messages.shown.isEmpty());
    QCOMPARE(w.shown("lblSec4"), section4);
}

void PolicyScheduleWindowTest::clickingAmountTicksAndWhitens()
{
    ContractWindows w;
    w.field("txtPremium1_0")->setText("bad");
    w.box("chkFees")->setChecked(true);
    w.box("chkOther")->setChecked(true);
    w.clickNext();
    QCOMPARE(fieldcolour::of(w.field("txtFees")), fieldcolour::kInvalid);

    w.box("chkFees")->setChecked(true);
    QTest::mouseClick(w.field("txtFees"), Qt::LeftButton);
    QTest::mouseClick(w.field("txtTax"), Qt::LeftButton);
    QVERIFY(w.box("chkFees")->isChecked());
    QVERIFY(w.box("chkTax")->isChecked());
    QCOMPARE(fieldcolour::of(w.field("txtFees")), fieldcolour::kValid);
    QCOMPARE(fieldcolour::of(w.field("txtOther")), fieldcolour::kInvalid);
    QCOMPARE(fieldcolour::of(w.field("txtPremium1_0")), fieldcolour::kInvalid);
}

void PolicyScheduleWindowTest::resetClearsEverythingOfPreviousContract()
{
    ContractWindows w;
    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>())
        field->setText("x");
    for (QCheckBox* box : w.schedule->findChildren<QCheckBox*>())
        box->setChecked(true);
    w.field("txtTax")->setText("x");
    w.clickNext(); // every amount turns yellow
    w.reviewField("txtLoanAut")->setText("LA-1");
    w.session.CurrentContract.LoanAuthorization = "LA-1";

    w.schedule->Reset();

    for (QLineEdit* field : w.schedule->findChildren<QLineEdit*>()) {
        QCOMPARE(field->objectName() + "=" + field->text(), field->objectName() + "=");
        QCOMPARE(field->objectName() + " " + fieldcolour::of(field).name(),
                 field->objectName() + " " + fieldcolour::kValid.name());
    }
    for (QCheckBox* box : w.schedule->findChildren<QCheckBox*>())
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    QCOMPARE(w.reviewField("txtLoanAut")->text(), QString());
    QCOMPARE(w.session.CurrentContract.LoanAuthorization, QString());

    // The next customer's loan carries nothing over.
    w.field("txtPremium1_0")->setText("100");
    w.clickNext();
    QCOMPARE(w.shown("lblTotalSections"), QString("100.00"));
    QCOMPARE(w.shown("txtLoanAut"), QString());
}

void PolicyScheduleWindowTest::inceptionOfPreviousContractNotKept()
{
    ContractWindows w;
    w.field("txtInception1_0")->setText("12/15/2024");
    w.clickNext();
    QCOMPARE(w.in<QDateEdit>(w.review.get(), "dtpFirstInstllmnt")->date(), QDate(2025, 1, 15));

    w.review->hide();
    w.schedule->Reset();
    w.schedule->show();
    w.clickNext();
    QCOMPARE(w.session.CurrentContract.EarliestInception, QDate(2025, 3, 14));
    QCOMPARE(w.in<QDateEdit>(w.review.get(), "dtpFirstInstllmnt")->date(), QDate(2025, 4, 14));
}

void PolicyScheduleWindowTest::backLeadsByCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("toMain");

    QTest::newRow("new contract goes back to the main window") << "<< Back" << true;
    QTest::newRow("reopened contract goes back to the list") << "<< Previous" << false;
}

void PolicyScheduleWindowTest::backLeadsByCaption()
{
    QFETCH(QString, caption);
    QFETCH(bool, toMain);

    ContractWindows w;
    w.field("txtPolicy1_0")->setText("P-1");
    w.schedule->setBackCaption(caption);
    auto* back = w.in<QPushButton>(w.schedule.get(), "cmdBack");
    QCOMPARE(back->text(), caption);
    QTest::mouseClick(back, Qt::LeftButton);

    QVERIFY(!w.schedule->isVisible());
    QCOMPARE(w.main->isVisible(), toMain);
    QCOMPARE(w.previous->isVisible(), !toMain);
    QCOMPARE(w.field("txtPolicy1_0")->text(), QString("P-1"));
}

void PolicyScheduleWindowTest::closeBoxEndsProgram()
{
    ContractWindows w;
    QVERIFY(w.schedule->close());
    QVERIFY(w.session.ended);
}

QTEST_MAIN(PolicyScheduleWindowTest)
#include "tst_PolicyScheduleWindow.moc"
