#include "model/contract/TermsReview.h"

#include "model/contract/DateText.h"
#include "model/contract/FixedAmount.h"
#include "model/contract/FormatAmount.h"
#include "model/contract/LoanTerms.h"
#include "model/contract/NumberText.h"
#include "model/session/CurrentContract.h"

#include <algorithm>

namespace {

const QString kLowRate = QStringLiteral("7.95");
const QString kHighRate = QStringLiteral("10.50");
// The low rate is for loans above this amount financed.
constexpr double kLowRateAbove = 10000;
constexpr int kMostInstallments = 32767;

const QString kAmountMessage = QStringLiteral("Amount must be indicated as a number (0.00)");
const QString kInstallmentsMessage =
    QStringLiteral("Number of Installments must be a whole number from 1 to 32767.");

// a + sign × b. Amounts that are shown (or typed) to at most four decimals are
// added exactly, so 66194.29 − 62540.76 is 3653.53 and not a hair below it,
// which the two-decimal cut would show as 3653.52.
double exactSum(double a, double b, int sign)
{
    const QString aText = numberToText(a), bText = numberToText(b);
    const auto decimals = [](const QString& text) {
        const qsizetype point = text.indexOf(u'.');
        return point < 0 ? 0 : text.size() - point - 1;
    };
    if (decimals(aText) <= 4 && decimals(bText) <= 4) {
        const std::optional<FixedAmount> x = FixedAmount::fromText(aText), y = FixedAmount::fromText(bText);
        if (x && y) {
            if (const std::optional<FixedAmount> sum = x->plus(FixedAmount::fromUnits(sign * y->units())))
                return sum->toDouble();
        }
    }
    return a + sign * b;
}

// A typed amount from 0 to `most`; a typed -0 is 0.
std::optional<double> amountWithin(const QString& text, double most)
{
    const std::optional<double> value = textToDouble(text);
    if (!value || *value < 0 || *value > most)
        return std::nullopt;
    return *value + 0.0;
}

} // namespace

std::optional<std::int16_t> installmentCount(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar ch : digits) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
    }
    // Leading zeros add nothing to a whole number, however many there are.
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    if (digits.size() > 5)
        return std::nullopt;
    const int count = digits.toInt();
    if (count < 1 || count > kMostInstallments)
        return std::nullopt;
    return static_cast<std::int16_t>(count);
}

std::optional<double> downPaymentOf(const QString& text, double grandTotal)
{
    return amountWithin(text, std::min(grandTotal, kLargestShownAmount));
}

std::optional<double> financeChargeOf(const QString& text)
{
    return amountWithin(text, kLargestShownAmount);
}

void TermsReview::show(QString& label, double& amount)
{
    label = FormatAmount(amount);
    amount = shownValue(amount);
}

void TermsReview::emptyFiguresOfDown()
{
    m_screen.amtFin.clear();
    m_screen.finCharge.clear();
    emptyFiguresOfFinCharge();
}

void TermsReview::emptyFiguresOfFinCharge()
{
    m_screen.totalPayments.clear();
    m_screen.amtInstall.clear();
}

void TermsReview::refuseCount()
{
    m_screen.numInstallOk = m_countUsable = false;
    m_screen.amtInstall.clear();
}

void TermsReview::showInstallmentAmount()
{
    if (!m_downUsable || !m_finChargeUsable || !m_countUsable) {
        m_screen.amtInstall.clear();
        return;
    }
    if (m_contract.InstallmentNum < 1)
        return;
    m_contract.InstallmentAmt = m_contract.Payments / m_contract.InstallmentNum;
    show(m_screen.amtInstall, m_contract.InstallmentAmt);
}

void TermsReview::activate(bool commercial, const QDate& today)
{
    m_screen.downOk = m_screen.finChargeOk = m_screen.numInstallOk = true;
    m_downUsable = m_finChargeUsable = m_countUsable = true;

    // The loan authorization and the amount financed as the schedule left them.
    m_screen.loanAut = m_contract.LoanAuthorization;
    show(m_screen.amtFin, m_contract.Financed);

    // The finance charge, through its change handling.
    m_screen.finCharge = FormatAmount(m_contract.FinCharge);
    finChargeChanged();
    m_contract.FinCharge = textToDouble(m_screen.finCharge).value_or(m_contract.FinCharge);

    // The total of payments and the classification (the rate itself waits for
    // the final amount financed).
    show(m_screen.totalPayments, m_contract.Payments);
    m_screen.commercial = commercial;

    // The number of installments, through its change handling, and their amount.
    m_screen.numInstall = QString::number(m_contract.InstallmentNum);
    numInstallChanged();
    show(m_screen.amtInstall, m_contract.InstallmentAmt);

    // The first installment's date, a month after the earliest inception (or today).
    m_advance = m_contract.EarliestInception.isValid() ? m_contract.EarliestInception : today;
    m_screen.firstInstallment = firstInstallmentDate(m_advance);

    // The sections' totals and their grand total.
    double* sections[] = {&m_contract.Section1, &m_contract.Section2, &m_contract.Section3, &m_contract.Section4};
    for (int i = 0; i < 4; ++i)
        show(m_screen.sections[i], *sections[i]);
    show(m_screen.totalSections, m_contract.TotalSections);

    // The down payment, through its change handling, works the amount
    // financed out again from the shown grand total and down payment.
    m_screen.down = FormatAmount(m_contract.Down);
    downChanged();
    m_contract.Down = textToDouble(m_screen.down).value_or(m_contract.Down);

    // The rate belongs to the amount financed the user finally sees.
    m_commercialRate = m_contract.Financed > kLowRateAbove ? kLowRate : kHighRate;
    m_contract.APR = commercial ? m_commercialRate : QString();
    m_screen.apr = m_contract.APR;
    workOutConsumerApr();

    m_shownFinCharge = textToDouble(m_screen.finCharge).value_or(m_contract.FinCharge);
    m_shownInstallments = installmentCount(m_screen.numInstall).value_or(m_contract.InstallmentNum);
}

void TermsReview::downChanged()
{
    // Nothing happens while the field is empty; the user is typing.
    if (m_screen.down.isEmpty()) {
        m_screen.downOk = true;
        return;
    }
    const std::optional<double> down = downPaymentOf(m_screen.down, m_contract.TotalSections);
    m_screen.downOk = m_downUsable = down.has_value();
    if (!down) {
        emptyFiguresOfDown();
        return;
    }
    m_contract.Down = *down;
    m_contract.Financed = exactSum(m_contract.TotalSections, m_contract.Down, -1);
    m_contract.FinCharge = financeChargeFor(m_contract.Financed);
    show(m_screen.amtFin, m_contract.Financed);
    m_screen.finCharge = FormatAmount(m_contract.FinCharge);
    finChargeChanged();
    if (!m_finChargeUsable)
        return;
    m_contract.FinCharge = textToDouble(m_screen.finCharge).value_or(m_contract.FinCharge);
    m_contract.Payments = exactSum(m_contract.FinCharge, m_contract.Financed, 1);
    show(m_screen.totalPayments, m_contract.Payments);
    showInstallmentAmount();
}

void TermsReview::finChargeChanged()
{
    if (m_screen.finCharge.isEmpty()) {
        m_screen.finChargeOk = true;
        return;
    }
    const std::optional<double> finCharge = financeChargeOf(m_screen.finCharge);
    m_screen.finChargeOk = m_finChargeUsable = finCharge.has_value();
    if (!finCharge) {
        emptyFiguresOfFinCharge();
        return;
    }
    // Without a usable down payment there is no amount financed to add it to.
    if (!m_downUsable)
        return;
    m_contract.FinCharge = *finCharge;
    m_contract.Payments = exactSum(m_contract.Financed, m_contract.FinCharge, 1);
    show(m_screen.totalPayments, m_contract.Payments);
    // The field is put in two-decimal form when the user leaves it, never under
    // the caret; the terms already use the value it will then show.
    m_contract.FinCharge = shownValue(m_contract.FinCharge);
    showInstallmentAmount();
    show(m_screen.amtFin, m_contract.Financed);
}

void TermsReview::numInstallChanged()
{
    if (m_screen.numInstall.isEmpty()) {
        m_screen.numInstallOk = true;
        return;
    }
    const std::optional<std::int16_t> count = installmentCount(m_screen.numInstall);
    m_screen.numInstallOk = m_countUsable = count.has_value();
    if (count)
        m_contract.InstallmentNum = *count;
    showInstallmentAmount();
}

void TermsReview::downTyped(const QString& text)
{
    m_screen.down = text;
    downChanged();
    workOutConsumerApr();
}

void TermsReview::finChargeTyped(const QString& text)
{
    m_screen.finCharge = text;
    finChargeChanged();
    workOutConsumerApr();
}

void TermsReview::numInstallTyped(const QString& text)
{
    m_screen.numInstall = text;
    numInstallChanged();
    workOutConsumerApr();
}

void TermsReview::firstInstallmentChosen(const QDate& due)
{
    m_screen.firstInstallment = due;
    workOutConsumerApr();
}

void TermsReview::setCommercial(bool commercial)
{
    m_screen.commercial = commercial;
    if (commercial) {
        m_contract.APR = m_contract.AprKept ? m_commercialRate : QString();
        m_screen.apr = m_contract.APR;
    }
    workOutConsumerApr();
}

void TermsReview::leaveDown()
{
    const QString& text = m_screen.down;
    const std::optional<double> down =
        text.isEmpty() ? std::optional<double>(0) : downPaymentOf(text, m_contract.TotalSections);
    if (!down) {
        m_screen.downOk = false;
        return;
    }
    const QString shown = FormatAmount(*down);
    if (shown != m_screen.down) {
        m_screen.down = shown;
        downChanged();
        workOutConsumerApr();
    }
    m_contract.Down = textToDouble(m_screen.down).value_or(*down);
}

void TermsReview::leaveFinCharge()
{
    const QString& text = m_screen.finCharge;
    // Emptied for a refused down payment, it waits for a usable one.
    if (text.isEmpty() && !m_downUsable)
        return;
    const std::optional<double> finCharge = text.isEmpty() ? std::optional<double>(0) : financeChargeOf(text);
    if (finCharge) {
        const QString shown = FormatAmount(*finCharge);
        if (shown != m_screen.finCharge) {
            m_screen.finCharge = shown;
            finChargeChanged();
        }
        m_contract.FinCharge = textToDouble(m_screen.finCharge).value_or(*finCharge);
    } else {
        m_screen.finChargeOk = false;
    }
    checkTermsChanged();
    workOutConsumerApr();
}

void TermsReview::leaveNumInstall()
{
    const std::optional<std::int16_t> count = installmentCount(m_screen.numInstall);
    if (!count)
        refuseCount();
    else // shown, saved and printed as its plain digits, as the rules first showed it
        m_screen.numInstall = QString::number(*count);
    checkTermsChanged();
    workOutConsumerApr();
}

void TermsReview::checkTermsChanged()
{
    // A field that holds no usable number has not (yet) changed the terms.
    const std::optional<double> finCharge = financeChargeOf(m_screen.finCharge);
    const std::optional<std::int16_t> count = installmentCount(m_screen.numInstall);
    if ((finCharge && *finCharge != m_shownFinCharge) || (count && *count != m_shownInstallments))
        m_contract.AprKept = false;
    // A consumer's rate is the rate of the terms on screen, whatever changed.
    if (!m_contract.AprKept && m_screen.commercial) {
        m_screen.apr.clear();
        m_contract.APR.clear();
    }
}

ConsumerLoan TermsReview::consumerLoan() const
{
    ConsumerLoan loan;
    loan.advance = m_advance;
    loan.firstDue = m_screen.firstInstallment;
    loan.financed = textToDouble(m_screen.amtFin).value_or(0);
    loan.feeNotInRate = applicationFee(loan.financed);
    loan.totalOfPayments = textToDouble(m_screen.totalPayments).value_or(0);
    loan.installment = textToDouble(m_screen.amtInstall).value_or(0);
    // A term the rules cannot read leaves the figures on screen without a schedule behind them.
    const std::optional<std::int16_t> count = installmentCount(m_screen.numInstall);
    if (downPaymentOf(m_screen.down, m_contract.TotalSections) && financeChargeOf(m_screen.finCharge) && count)
        loan.installments = *count;
    return loan;
}

void TermsReview::workOutConsumerApr()
{
    if (!m_screen.commercial) {
        const std::optional<double> percent = annualPercentageRate(consumerLoan());
        m_contract.APR = percent ? rateText(*percent) : QString();
    }
    // A rate beside emptied figures would be the rate of terms no longer shown;
    // it shows again with them.
    const bool figuresShown = !m_screen.amtFin.isEmpty() && !m_screen.finCharge.isEmpty()
                              && !m_screen.totalPayments.isEmpty() && !m_screen.amtInstall.isEmpty();
    m_screen.apr = figuresShown ? m_contract.APR : QString();
}

NoRate TermsReview::consumerRateMissing() const
{
    return m_screen.commercial ? NoRate::None : whyNoRate(consumerLoan());
}

bool TermsReview::checkSavable()
{
    // A refusal only says why: it marks what it refuses and changes no text or
    // figure, so nothing the user typed is lost and no mark is taken away.
    const bool downUsable = downPaymentOf(m_screen.down, m_contract.TotalSections).has_value();
    const bool finChargeUsable = financeChargeOf(m_screen.finCharge).has_value();
    const bool countUsable = installmentCount(m_screen.numInstall).has_value();
    // A finance charge emptied for a refused down payment is not the user's to mend.
    const bool finChargeWaits = m_screen.finCharge.isEmpty() && !downUsable;
    m_screen.downOk = m_screen.downOk && downUsable;
    m_screen.finChargeOk = m_screen.finChargeOk && (finChargeUsable || finChargeWaits);
    m_screen.numInstallOk = m_screen.numInstallOk && countUsable;
    return downUsable && finChargeUsable && countUsable;
}

QString TermsReview::refusal() const
{
    // A text that is no number at all is told as before; a number outside its
    // range names its field and the range.
    const auto isNumber = [](const QString& text) { return textToDouble(text).has_value(); };
    if (!m_screen.downOk) {
        if (!isNumber(m_screen.down))
            return kAmountMessage;
        if (m_contract.TotalSections <= kLargestShownAmount)
            return QStringLiteral("Down Payment must be a number from 0.00 to %1 (the Grand Total).")
                .arg(FormatAmount(m_contract.TotalSections));
        return QStringLiteral("Down Payment must be a number from 0.00 to %1.").arg(FormatAmount(kLargestShownAmount));
    }
    if (!m_screen.finChargeOk) {
        if (!isNumber(m_screen.finCharge))
            return kAmountMessage;
        return QStringLiteral("Finance Charge must be a number from 0.00 to %1.").arg(FormatAmount(kLargestShownAmount));
    }
    return m_screen.numInstallOk ? QString() : kInstallmentsMessage;
}
