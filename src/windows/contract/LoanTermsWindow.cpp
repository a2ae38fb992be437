#include "windows/contract/LoanTermsWindow.h"

#include "model/contract/ContractSaving.h"
#include "model/contract/DateText.h"
#include "model/session/Session.h"
#include "windows/contract/FieldColour.h"
#include "windows/ui/Controls.h"
#include "windows/ui/GlobePicture.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/StoreGuard.h"
#include "windows/ui/Twips.h"
#include "windows/ui/WindowFont.h"

#include <QShowEvent>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace {

// A consumer note cannot go out without its rate: what the terms lack for one.
QString noRateMessage(NoRate why, const QDate& advance)
{
    const QString start =
        QStringLiteral("The Annual Percentage Rate (APR) of this Personal/Consumer loan cannot be worked out: ");
    switch (why) {
    case NoRate::NothingFinanced:
        return start + QStringLiteral("there is no Amount Financed.");
    case NoRate::ChargeBelowZero:
        return start + QStringLiteral("the Finance Charge is below 0.00.");
    case NoRate::DueNotAfterAdvance:
        return start + QStringLiteral("the First Installment Due must be after %1, the day the credit starts.")
                           .arg(usDate(advance));
    default:
        return start + QStringLiteral("the terms give no schedule of payments.");
    }
}

// Sets a field's text only when it differs, so the caret of a field the user
// is typing in stays where it is.
void showText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

} // namespace

LoanTermsWindow::LoanTermsWindow(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_review(session.CurrentContract)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Review Totals"));
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {8880, 7275});
    ui::paintWhite(this);
    // The main window's globe stands behind the terms, centred; created first so it stays below.
    auto* globe = new ui::GlobePicture(this);
    ui::placeTwips(globe, {1672, 1072, 5535, 5130});
    m_form = LoanTermsForm::build(this);

    // Only the user's edits reach the rules; what the rules show never comes back in.
    const auto forward = [this](void (TermsReview::*edit)(const QString&)) {
        return [this, edit](const QString& text) {
            if (m_showing)
                return;
            (m_review.*edit)(text);
            showScreen();
        };
    };
    connect(m_form.down, &QLineEdit::textChanged, this, forward(&TermsReview::downTyped));
    connect(m_form.finCharge, &QLineEdit::textChanged, this, forward(&TermsReview::finChargeTyped));
    connect(m_form.numInstall, &QLineEdit::textChanged, this, forward(&TermsReview::numInstallTyped));
    connect(m_form.commercial, &QRadioButton::toggled, this, [this](bool on) {
        if (m_showing)
            return;
        m_review.setCommercial(on);
        showScreen();
    });
    connect(m_form.firstInstallment, &QDateEdit::dateChanged, this, [this](const QDate& due) {
        if (m_showing)
            return;
        m_review.firstInstallmentChosen(due);
        showScreen();
    });
    for (QLineEdit* field : {m_form.down, m_form.finCharge, m_form.numInstall})
        field->installEventFilter(this);
    connect(m_form.print, &QPushButton::clicked, this, &LoanTermsWindow::savePrint);
    connect(m_form.back, &QPushButton::clicked, this, &LoanTermsWindow::goBack);
    connect(m_form.preview, &QPushButton::clicked, this, [this] {
        // A note is previewed only from terms Save / Print would take.
        if (termsCanBeSaved())
            emit previewRequested();
    });
}

void LoanTermsWindow::showScreen()
{
    const ReviewScreen& shown = m_review.screen();
    m_showing = true;
    m_form.amtFin->setText(shown.amtFin);
    showText(m_form.finCharge, shown.finCharge);
    m_form.totalPayments->setText(shown.totalPayments);
    m_form.apr->setText(shown.apr);
    showText(m_form.numInstall, shown.numInstall);
    m_form.amtInstall->setText(shown.amtInstall);
    if (shown.firstInstallment.isValid())
        m_form.firstInstallment->setDate(shown.firstInstallment);
    for (int i = 0; i < 4; ++i)
        m_form.sections[i]->setText(shown.sections[i]);
    m_form.totalSections->setText(shown.totalSections);
    showText(m_form.down, shown.down);
    (shown.commercial ? m_form.commercial : m_form.personal)->setChecked(true);
    fieldcolour::mark(m_form.down, shown.downOk);
    fieldcolour::mark(m_form.finCharge, shown.finChargeOk);
    fieldcolour::mark(m_form.numInstall, shown.numInstallOk);
    m_showing = false;
}

void LoanTermsWindow::activate(bool commercialChosen)
{
    m_review.activate(commercialChosen, m_session.now().date());
    // Once filled, the loan authorization is the agent's own text: no rule touches it.
    m_form.loanAut->setText(m_review.screen().loanAut);
    showScreen();
    show();
    activateWindow();
}

bool LoanTermsWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a field is the user moving on inside the program, not the desktop
    // switching to another window.
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == m_form.down)
                m_review.leaveDown();
            else if (watched == m_form.finCharge)
                m_review.leaveFinCharge();
            else if (watched == m_form.numInstall)
                m_review.leaveNumInstall();
            showScreen();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool LoanTermsWindow::termsCanBeSaved()
{
    const bool savable = m_review.checkSavable();
    showScreen();
    const NoRate noRate = m_review.consumerRateMissing();
    if (savable && noRate == NoRate::None)
        return true;
    const QString message = !savable ? m_review.refusal() : noRateMessage(noRate, m_review.advanceDate());
    m_session.services.messages->show(this, message, ui::MessageIcon::Critical, ui::kProgramTitle);
    return false;
}

void LoanTermsWindow::savePrint()
{
    if (!termsCanBeSaved())
        return;
    emit savePrintRequested();
}

void LoanTermsWindow::clearLoanAuthorization()
{
    m_form.loanAut->clear();
}

print::ReviewValues LoanTermsWindow::reviewValues() const
{
    print::ReviewValues v;
    v.loanAuthorization = m_form.loanAut->text();
    v.amountFinanced = m_form.amtFin->text();
    v.financeCharge = m_form.finCharge->text();
    v.totalOfPayments = m_form.totalPayments->text();
    v.apr = m_form.apr->text();
    v.numberOfInstallments = m_form.numInstall->text();
    v.amountOfInstallments = m_form.amtInstall->text();
    v.firstInstallmentDue = usDate(m_form.firstInstallment->date());
    v.personal = m_form.personal->isChecked();
    v.totalSections = m_form.totalSections->text();
    v.downPayment = m_form.down->text();
    return v;
}

std::optional<std::int64_t> LoanTermsWindow::SaveData(const print::ScheduleValues& schedule)
{
    ReviewedTerms terms;
    terms.shown = reviewValues();
    terms.due = m_form.firstInstallment->date();
    terms.commercial = m_form.commercial->isChecked();
    for (int i = 0; i < 4; ++i)
        terms.sections[i] = m_form.sections[i]->text();

    std::int64_t id = 0;
    if (!writeOrReport(m_session, this, ui::kNothingSaved,
                       [&] { id = saveContract(m_session, m_pendingSave, schedule, terms); }))
        return std::nullopt;
    return id;
}

void LoanTermsWindow::closeEvent(QCloseEvent* event)
{
    event->setAccepted(m_session.contractWindowClosing());
}

void LoanTermsWindow::goBack()
{
    hide();
    emit backRequested();
}

void LoanTermsWindow::showEvent(QShowEvent* event)
{
    emit shown();
    QWidget::showEvent(event);
}
