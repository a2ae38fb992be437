#include "windows/contract/LoanTermsForm.h"

#include "windows/ui/AccessibleName.h"
#include "windows/ui/Controls.h"
#include "windows/ui/Twips.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

namespace {

// A computed term: a framed box the user reads but cannot type into.
QLabel* addValue(QWidget* window, const QString& name, ui::TwipsPoint at)
{
    auto* label = new QLabel(window);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setIndent(3);
    ui::placeTwips(label, {at.left, at.top, 1215, 375});
    return label;
}

QLineEdit* addField(QWidget* window, const QString& name, ui::TwipsPoint at, int width = 1215)
{
    return ui::addField(window, name, {at.left, at.top, width, 375});
}

QPushButton* addTermsButton(QWidget* window, const QString& name, const QString& caption, int left)
{
    return ui::addButton(window, name, caption, {left, 6720, 1215, 495});
}

// A screen reader announces a term or a field by the caption above it; a
// caption that goes on to explain the term gives only the term's own words.
void nameAfter(QWidget* control, const QString& name)
{
    ui::nameFromCaption(control, name);
}

} // namespace

LoanTermsForm LoanTermsForm::build(QWidget* window)
{
    LoanTermsForm form;

    QLabel* loanAutCaption = ui::addLabel(window, QStringLiteral("lblLoanAutCaption"),
                                          QStringLiteral("Loan Authorization # (if required)"), {2820, 240, 3015, 255});
    form.loanAut = addField(window, QStringLiteral("txtLoanAut"), {5760, 180});
    loanAutCaption->setBuddy(form.loanAut);
    nameAfter(form.loanAut, loanAutCaption->text());

    ui::addLabel(window, QStringLiteral("lblAmtFinCaption"),
                 QStringLiteral("Amount Financed  The amount of credit provided to you or on your behalf."),
                 {60, 720, 2175, 1035});
    ui::addLabel(window, QStringLiteral("lblFinChargeCaption"),
                 QStringLiteral("Finance Charge  The dollar amount the credit will cost you."),
                 {2340, 720, 1995, 1035});
    ui::addLabel(window, QStringLiteral("lblTotalPaymentsCaption"),
                 QStringLiteral("Total of Payments  Amount paid after making all payments as scheduled."),
                 {4440, 720, 2235, 1035});
    ui::addLabel(window, QStringLiteral("lblAPRCaption"),
                 QStringLiteral("Annual Percentage Rate (APR)  The cost of your credit as a yearly rate."),
                 {6780, 720, 2055, 1035});
    form.amtFin = addValue(window, QStringLiteral("lblAmtFin"), {240, 1560});
    form.finCharge = addField(window, QStringLiteral("txtFinCharge"), {2520, 1560});
    form.totalPayments = addValue(window, QStringLiteral("lblTotalPayments"), {4680, 1560});
    form.apr = addValue(window, QStringLiteral("lblAPR"), {7020, 1560});
    nameAfter(form.amtFin, QStringLiteral("Amount Financed"));
    nameAfter(form.finCharge, QStringLiteral("Finance Charge"));
    nameAfter(form.totalPayments, QStringLiteral("Total of Payments"));
    nameAfter(form.apr, QStringLiteral("Annual Percentage Rate (APR)"));

    ui::addLabel(window, QStringLiteral("lblNumInstallCaption"), QStringLiteral("Number of Installments."),
                 {330, 2160, 1335, 555});
    ui::addLabel(window, QStringLiteral("lblAmtInstallCaption"), QStringLiteral("Amount of Installments."),
                 {1890, 2160, 1335, 555});
    ui::addLabel(window, QStringLiteral("lblFirstInstallmentCaption"),
                 QStringLiteral("First Installment Due    30 Days from Inception."), {3480, 2160, 2115, 555});
    form.numInstall = addField(window, QStringLiteral("txtNumInstall"), {390, 2580});
    form.amtInstall = addValue(window, QStringLiteral("lblAmtInstall"), {1950, 2580});
    form.firstInstallment = new QDateEdit(window);
    form.firstInstallment->setObjectName(QStringLiteral("dtpFirstInstllmnt"));
    form.firstInstallment->setCalendarPopup(true);
    form.firstInstallment->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    ui::placeTwips(form.firstInstallment, {3600, 2580, 1335, 375});
    nameAfter(form.numInstall, QStringLiteral("Number of Installments."));
    nameAfter(form.amtInstall, QStringLiteral("Amount of Installments."));
    nameAfter(form.firstInstallment, QStringLiteral("First Installment Due"));

    ui::addLabel(window, QStringLiteral("lblClassificationCaption"), QStringLiteral("Loan Classification"),
                 {6240, 2220, 2115, 315});
    form.personal = ui::addOption(window, QStringLiteral("optPersonal"), QStringLiteral("Personal/Consumer"),
                                  {6300, 2520, 2715, 195});
    form.commercial = ui::addOption(window, QStringLiteral("optCommercial"),
                                    QStringLiteral("Commercial/Agricultural"), {6300, 2820, 2655, 195});
    form.commercial->setChecked(true);

    static const int sectionTops[] = {3480, 3960, 4440, 4920};
    for (int i = 0; i < 4; ++i) {
        ui::addLabel(window, QStringLiteral("lblSec%1Caption").arg(i + 1),
                     QStringLiteral("Section %1 - Total Amount.").arg(i + 1), {1200, sectionTops[i] + 60, 2940, 315});
        form.sections[i] = addValue(window, QStringLiteral("lblSec%1").arg(i + 1), {4200, sectionTops[i]});
        nameAfter(form.sections[i], QStringLiteral("Section %1 - Total Amount.").arg(i + 1));
    }

    ui::addLabel(window, QStringLiteral("lblTotalSectionsCaption"),
                 QStringLiteral("Grand Total of Premiums, Fees, etc."), {960, 5700, 2655, 555});
    form.totalSections = addValue(window, QStringLiteral("lblTotalSections"), {1500, 6120});
    nameAfter(form.totalSections, QStringLiteral("Grand Total of Premiums, Fees, etc."));
    ui::addLabel(window, QStringLiteral("lblDownCaption"),
                 QStringLiteral("Down Payment (25% of Section 1 + 30% of Section 2 + 33% of Section 3 + "
                                "Section 4)"),
                 {4440, 5700, 3675, 555});
    form.down = addField(window, QStringLiteral("txtDown"), {5400, 6120});
    nameAfter(form.down, QStringLiteral("Down Payment"));

    form.back = addTermsButton(window, QStringLiteral("cmdBack"), QStringLiteral("<< Back"), 3240);
    form.print = addTermsButton(window, QStringLiteral("cmdPrint"), QStringLiteral("Save / Print"), 4800);
    form.preview = addTermsButton(window, QStringLiteral("cmdPreview"), QStringLiteral("Preview"), 6360);
    return form;
}
