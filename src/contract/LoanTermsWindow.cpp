#include "contract/LoanTermsWindow.h"

#include "app/AppWindows.h"
#include "app/Session.h"
#include "app/StoreGuard.h"
#include "contract/ContractSaving.h"
#include "contract/ContractStore.h"
#include "contract/DateText.h"
#include "contract/FieldColour.h"
#include "contract/FormatAmount.h"
#include "contract/LoanTerms.h"
#include "contract/NumberText.h"
#include "contract/PolicyScheduleWindow.h"
#include "people/MainWindow.h"
#include "print/PrintCommand.h"
#include "ui/GlobePicture.h"
#include "ui/MessageBoxService.h"
#include "ui/Twips.h"
#include "ui/WindowFont.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace {

const QString kAmountMessage = QStringLiteral("Amount must be indicated as a number (0.00)");
const QString kInstallmentsMessage =
    QStringLiteral("Number of Installments must be a whole number greater than 0.");
const QString kLowRate = QStringLiteral("7.95");
const QString kHighRate = QStringLiteral("10.50");
// The low rate is for loans above this amount financed.
constexpr double kLowRateAbove = 10000;

// A number of installments the terms can be divided by.
std::optional<std::int16_t> installmentsOf(const QString& text)
{
    const std::optional<std::int16_t> number = textToInt16(text);
    if (!number || *number < 1)
        return std::nullopt;
    return number;
}

} // namespace

LoanTermsWindow::LoanTermsWindow(Session& session, AppWindows& windows, QWidget* parent)
    : QWidget(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Review Totals"));
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, 8880, 7275);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setAutoFillBackground(true);
    // The main window's globe stands behind the terms, centred; created first so it stays below.
    auto* globe = new ui::GlobePicture(this);
    ui::placeTwips(globe, 1672, 1072, 5535, 5130);
    m_form = LoanTermsForm::build(this);

    connect(m_form.down, &QLineEdit::textChanged, this, &LoanTermsWindow::downChanged);
    connect(m_form.finCharge, &QLineEdit::textChanged, this, &LoanTermsWindow::finChargeChanged);
    connect(m_form.numInstall, &QLineEdit::textChanged, this, &LoanTermsWindow::numInstallChanged);
    for (QLineEdit* field : {m_form.down, m_form.finCharge, m_form.numInstall})
        field->installEventFilter(this);
    connect(m_form.print, &QPushButton::clicked, this, &LoanTermsWindow::savePrint);
    connect(m_form.back, &QPushButton::clicked, this, &LoanTermsWindow::goBack);
}

void LoanTermsWindow::showAmount(QLabel* label, double& amount)
{
    label->setText(FormatAmount(amount));
    amount = shownValue(amount);
}

void LoanTermsWindow::updateInstallmentAmount()
{
    CurrentContract& c = m_session.CurrentContract;
    if (c.InstallmentNum < 1)
        return;
    c.InstallmentAmt = c.Payments / c.InstallmentNum;
    showAmount(m_form.amtInstall, c.InstallmentAmt);
}

void LoanTermsWindow::activate()
{
    CurrentContract& c = m_session.CurrentContract;
    for (QLineEdit* field : {m_form.down, m_form.finCharge, m_form.numInstall})
        fieldcolour::mark(field, true);

    m_form.loanAut->setText(c.LoanAuthorization);
    showAmount(m_form.amtFin, c.Financed);

    // Setting the editable fields runs their change handling whenever the text changes,
    // so every shown term agrees with the rules the user's edits follow.
    m_form.finCharge->setText(FormatAmount(c.FinCharge));
    ShownFinCharge = textToDouble(m_form.finCharge->text()).value_or(c.FinCharge);
    c.FinCharge = ShownFinCharge;

    showAmount(m_form.totalPayments, c.Payments);

    const bool commercial = m_windows.frmAgent ? m_windows.frmAgent->commercialChosen() : true;
    if (commercial) {
        m_form.commercial->setChecked(true);
        c.APR = c.Financed > kLowRateAbove ? kLowRate : kHighRate;
    } else {
        m_form.personal->setChecked(true);
        c.APR.clear();
    }
    m_form.apr->setText(c.APR);

    ShownInstallments = c.InstallmentNum;
    m_form.numInstall->setText(QString::number(ShownInstallments));
    showAmount(m_form.amtInstall, c.InstallmentAmt);

    if (c.EarliestInception.isValid())
        m_form.firstInstallment->setDate(firstInstallmentDate(c.EarliestInception));

    double* sections[] = {&c.Section1, &c.Section2, &c.Section3, &c.Section4};
    for (int i = 0; i < 4; ++i)
        showAmount(m_form.sections[i], *sections[i]);
    showAmount(m_form.totalSections, c.TotalSections);

    m_form.down->setText(FormatAmount(c.Down));
    c.Down = textToDouble(m_form.down->text()).value_or(c.Down);

    show();
    activateWindow();
}

void LoanTermsWindow::downChanged()
{
    const QString text = m_form.down->text();
    if (text.isEmpty()) {
        fieldcolour::mark(m_form.down, true);
        return;
    }
    const std::optional<double> down = textToDouble(text);
    fieldcolour::mark(m_form.down, down.has_value());
    if (!down)
        return;

    CurrentContract& c = m_session.CurrentContract;
    c.Down = *down;
    c.Financed = c.TotalSections - c.Down;
    c.FinCharge = financeChargeFor(c.Financed);
    showAmount(m_form.amtFin, c.Financed);
    m_form.finCharge->setText(FormatAmount(c.FinCharge));
    c.FinCharge = textToDouble(m_form.finCharge->text()).value_or(c.FinCharge);
    c.Payments = c.FinCharge + c.Financed;
    showAmount(m_form.totalPayments, c.Payments);
    updateInstallmentAmount();
}

void LoanTermsWindow::finChargeChanged()
{
    const QString text = m_form.finCharge->text();
    if (text.isEmpty()) {
        fieldcolour::mark(m_form.finCharge, true);
        return;
    }
    const std::optional<double> finCharge = textToDouble(text);
    fieldcolour::mark(m_form.finCharge, finCharge.has_value());
    if (!finCharge)
        return;

    CurrentContract& c = m_session.CurrentContract;
    c.FinCharge = *finCharge;
    c.Payments = c.Financed + c.FinCharge;
    showAmount(m_form.totalPayments, c.Payments);
    // The field itself is put in two-decimal form when the user leaves it, never
    // under the caret; the terms already use the value it will then show.
    c.FinCharge = shownValue(c.FinCharge);
    updateInstallmentAmount();
    showAmount(m_form.amtFin, c.Financed);
}

void LoanTermsWindow::numInstallChanged()
{
    const QString text = m_form.numInstall->text();
    if (text.isEmpty()) {
        fieldcolour::mark(m_form.numInstall, true);
        return;
    }
    const std::optional<std::int16_t> number = installmentsOf(text);
    fieldcolour::mark(m_form.numInstall, number.has_value());
    if (!number)
        return;
    m_session.CurrentContract.InstallmentNum = *number;
    updateInstallmentAmount();
}

void LoanTermsWindow::leaveDown()
{
    const QString text = m_form.down->text();
    const std::optional<double> down = text.isEmpty() ? std::optional<double>(0) : textToDouble(text);
    if (!down) {
        fieldcolour::mark(m_form.down, false);
        return;
    }
    m_form.down->setText(FormatAmount(*down));
    m_session.CurrentContract.Down = textToDouble(m_form.down->text()).value_or(*down);
}

void LoanTermsWindow::leaveFinCharge()
{
    const QString text = m_form.finCharge->text();
    const std::optional<double> finCharge =
        text.isEmpty() ? std::optional<double>(0) : textToDouble(text);
    if (finCharge) {
        m_form.finCharge->setText(FormatAmount(*finCharge));
        m_session.CurrentContract.FinCharge =
            textToDouble(m_form.finCharge->text()).value_or(*finCharge);
    } else {
        fieldcolour::mark(m_form.finCharge, false);
    }
    CheckTermsChanged();
}

void LoanTermsWindow::leaveNumInstall()
{
    if (!installmentsOf(m_form.numInstall->text()))
        fieldcolour::mark(m_form.numInstall, false);
    CheckTermsChanged();
}

void LoanTermsWindow::CheckTermsChanged()
{
    // A field that holds no usable number has not (yet) changed the terms.
    CurrentContract& c = m_session.CurrentContract;
    const std::optional<double> finCharge = textToDouble(m_form.finCharge->text());
    const std::optional<std::int16_t> installments = installmentsOf(m_form.numInstall->text());
    if ((finCharge && *finCharge != ShownFinCharge) ||
        (installments && *installments != ShownInstallments))
        c.AprKept = false;
    if (!c.AprKept) {
        m_form.apr->clear();
        c.APR.clear();
    }
}

bool LoanTermsWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a field is the user moving on inside the program, not the desktop
    // switching to another window.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_form.down)
                leaveDown();
            else if (watched == m_form.finCharge)
                leaveFinCharge();
            else if (watched == m_form.numInstall)
                leaveNumInstall();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool LoanTermsWindow::termsCanBeSaved()
{
    bool amountsOk = true;
    for (QLineEdit* field : {m_form.down, m_form.finCharge}) {
        const bool ok = textToDouble(field->text()).has_value();
        if (!ok)
            fieldcolour::mark(field, false);
        amountsOk = amountsOk && ok;
    }
    const bool installmentsOk = installmentsOf(m_form.numInstall->text()).has_value();
    if (!installmentsOk)
        fieldcolour::mark(m_form.numInstall, false);
    if (amountsOk && installmentsOk)
        return true;
    m_session.services.messages->show(this, amountsOk ? kInstallmentsMessage : kAmountMessage,
                                      ui::MessageIcon::Critical, ui::kProgramTitle);
    return false;
}

void LoanTermsWindow::savePrint()
{
    if (!termsCanBeSaved())
        return;
    runSavePrint(m_session, m_windows);
}

bool LoanTermsWindow::SaveData()
{
    // The contract's copies change only once the row is stored, so a failed save
    // leaves everything as it was and the user can try again.
    CurrentContract updated = m_session.CurrentContract;
    if (m_windows.frmPolicies1)
        copyScheduleIntoContract(m_windows.frmPolicies1->form(), m_form.loanAut->text(), updated);

    ReviewedTerms terms;
    terms.financed = m_form.amtFin->text();
    terms.finCharge = m_form.finCharge->text();
    terms.payments = m_form.totalPayments->text();
    terms.apr = m_form.apr->text();
    terms.installmentNum = m_form.numInstall->text();
    terms.installmentAmt = m_form.amtInstall->text();
    terms.due = m_form.firstInstallment->date();
    terms.commercial = m_form.commercial->isChecked();
    for (int i = 0; i < 4; ++i)
        terms.sections[i] = m_form.sections[i]->text();
    terms.totalSections = m_form.totalSections->text();
    terms.down = m_form.down->text();

    const PoliciesRow row =
        policiesRow(updated, m_session.CurAgent, m_session.CurCust, terms, m_session.now());
    const bool saved = runOrReport(m_session, this, [&] { appendContract(m_session.DBPath, row); });
    if (saved)
        m_session.CurrentContract = updated;
    return saved;
}

void LoanTermsWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_session.ended)
        m_session.endProgram();
}

void LoanTermsWindow::goBack()
{
    hide();
    if (m_windows.frmPolicies1)
        m_windows.frmPolicies1->show();
}
