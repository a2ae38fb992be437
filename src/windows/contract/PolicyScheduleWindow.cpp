#include "windows/contract/PolicyScheduleWindow.h"

#include "model/contract/DateText.h"
#include "model/contract/FormatAmount.h"
#include "model/contract/LoanTerms.h"
#include "model/contract/NumberText.h"
#include "model/contract/TermsReview.h"
#include "model/session/Session.h"
#include "windows/contract/FieldColour.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/Twips.h"
#include "windows/ui/WindowFont.h"

#include <QShowEvent>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kAmountMessage = QStringLiteral("Amount must be indicated as a number (0.00)");
const QString kInceptionMessage = QStringLiteral("Inception date must be a date (01/01/2008)");
const QString kBackToMain = QStringLiteral("<< Back");
const QString kPremium = QStringLiteral("Premium");

} // namespace

PolicyScheduleWindow::PolicyScheduleWindow(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmPolicies1"));
    setWindowTitle(QStringLiteral("Policies"));
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {10020, 7440});
    m_form = PolicyScheduleForm::build(this);

    for (const SpecialItem& item : m_form.specialItems) {
        connect(item.box, &QCheckBox::toggled, this,
                [this, item](bool ticked) { specialItemToggled(item, ticked); });
        item.amount->installEventFilter(this);
    }
    connect(m_form.next, &QPushButton::clicked, this, &PolicyScheduleWindow::goNext);
    connect(m_form.back, &QPushButton::clicked, this, &PolicyScheduleWindow::goBack);
}

void PolicyScheduleWindow::Reset()
{
    // A new contract starts from nothing: leftovers of the previous customer's
    // schedule would otherwise be added to this one's loan.
    for (const auto& rows : m_form.sections) {
        for (const ScheduleRow& row : rows) {
            for (QLineEdit* field : {row.policy, row.company, row.premium, row.coverage, row.inception,
                                     row.expiration, row.term})
                field->clear();
            fieldcolour::mark(row.premium, true);
            fieldcolour::mark(row.inception, true);
        }
    }
    for (const SpecialItem& item : m_form.specialItems) {
        item.box->setChecked(false);
        item.amount->clear();
        fieldcolour::mark(item.amount, true);
    }
    m_form.description->clear();

    // The loan authorization belongs to the contract too; the review empties its own field.
    emit contractReset();
    beginNewContract(m_session.CurrentContract);
}

print::ScheduleValues PolicyScheduleWindow::scheduleValues() const
{
    print::ScheduleValues values;
    for (std::size_t s = 0; s < m_form.sections.size(); ++s)
        for (const ScheduleRow& row : m_form.sections[s])
            values.sections[s].append({row.policy->text(), row.company->text(), row.premium->text(),
                                       row.coverage->text(), row.inception->text(), row.expiration->text(),
                                       row.term->text()});
    print::SpecialItemValues* items[] = {&values.tax, &values.fees, &values.surcharge, &values.other};
    for (std::size_t i = 0; i < m_form.specialItems.size(); ++i)
        *items[i] = {m_form.specialItems[i].box->isChecked(), m_form.specialItems[i].amount->text()};
    values.description = m_form.description->text();
    return values;
}

void PolicyScheduleWindow::showReopened(const print::ScheduleValues& reopened)
{
    const auto write = [](QLineEdit* field, const QString& text) {
        if (!text.isEmpty())
            field->setText(text);
    };
    for (std::size_t s = 0; s < m_form.sections.size(); ++s) {
        const QList<print::PolicyRowValues>& rows = reopened.sections[s];
        for (std::size_t r = 0; r < m_form.sections[s].size() && r < std::size_t(rows.size()); ++r) {
            const ScheduleRow& row = m_form.sections[s][r];
            const print::PolicyRowValues& texts = rows[qsizetype(r)];
            write(row.policy, texts.policy);
            write(row.company, texts.company);
            write(row.premium, texts.premium);
            write(row.coverage, texts.coverage);
            write(row.inception, texts.inception);
            write(row.expiration, texts.expiration);
            write(row.term, texts.term);
        }
    }
    const print::SpecialItemValues* items[] = {&reopened.tax, &reopened.fees, &reopened.surcharge,
                                               &reopened.other};
    for (std::size_t i = 0; i < m_form.specialItems.size(); ++i) {
        if (!items[i]->ticked)
            continue;
        write(m_form.specialItems[i].amount, items[i]->amount);
        // The schedule empties an amount only when its box is unticked, so the
        // amount just written stays.
        m_form.specialItems[i].box->setChecked(true);
    }
    write(m_form.description, reopened.description);
}

void PolicyScheduleWindow::focusFirstPolicy()
{
    activateWindow();
    m_form.sections[0][0].policy->setFocus(Qt::OtherFocusReason);
}

void PolicyScheduleWindow::setBackCaption(const QString& caption)
{
    m_form.back->setText(caption);
}

void PolicyScheduleWindow::closeEvent(QCloseEvent* event)
{
    event->setAccepted(m_session.contractWindowClosing());
}

bool PolicyScheduleWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Clicking into a Section 4 amount means the agent wants it counted.
    if (event->type() == QEvent::MouseButtonPress) {
        for (const SpecialItem& item : m_form.specialItems) {
            if (watched == item.amount) {
                item.box->setChecked(true);
                fieldcolour::mark(item.amount, true);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PolicyScheduleWindow::specialItemToggled(const SpecialItem& item, bool ticked)
{
    if (!ticked)
        item.amount->clear();
}

bool PolicyScheduleWindow::checkAmounts()
{
    bool allNumbers = true;
    auto check = [&](QLineEdit* field) {
        const bool ok = isNumericText(field->text());
        fieldcolour::mark(field, ok);
        allNumbers = allNumbers && ok;
    };
    for (const auto& rows : m_form.sections)
        for (const ScheduleRow& row : rows)
            if (!row.premium->text().isEmpty())
                check(row.premium);
    for (const SpecialItem& item : m_form.specialItems)
        if (item.box->isChecked())
            check(item.amount);
    return allNumbers;
}

QList<QLineEdit*> PolicyScheduleWindow::inceptionFields() const
{
    QList<QLineEdit*> fields;
    for (const auto& rows : m_form.sections)
        for (const ScheduleRow& row : rows)
            fields << row.inception;
    return fields;
}

QStringList PolicyScheduleWindow::inceptionTexts() const
{
    QStringList texts;
    for (const QLineEdit* field : inceptionFields())
        texts << field->text();
    return texts;
}

bool PolicyScheduleWindow::checkInceptions()
{
    const QList<QLineEdit*> fields = inceptionFields();
    const QList<int> unreadable = unreadableDates(inceptionTexts());
    for (int i = 0; i < fields.size(); ++i)
        if (!fields[i]->text().isEmpty())
            fieldcolour::mark(fields[i], !unreadable.contains(i));
    return unreadable.isEmpty();
}

void PolicyScheduleWindow::goNext()
{
    // Every field is tested before anything changes, so all bad fields turn yellow at once.
    const bool amountsOk = checkAmounts();
    const bool inceptionsOk = checkInceptions();
    if (!amountsOk || !inceptionsOk) {
        m_session.services.messages->show(this, amountsOk ? kInceptionMessage : kAmountMessage,
                                          ui::MessageIcon::Critical, ui::kProgramTitle);
        return;
    }

    // The amounts that count, section by section, beside the fields they stand in and their names.
    ScheduleAmounts amounts;
    QStringList* sums[] = {&amounts.section1, &amounts.section2, &amounts.section3, &amounts.section4};
    std::array<QList<CountedAmount>, 4> counted;
    for (int section = 0; section < 3; ++section)
        for (const ScheduleRow& row : m_form.sections[section])
            if (!row.premium->text().isEmpty())
                counted[section] << CountedAmount{row.premium, kPremium};
    for (const SpecialItem& item : m_form.specialItems)
        if (item.box->isChecked())
            counted[3] << CountedAmount{item.amount, item.box->text()};
    for (int section = 0; section < 4; ++section)
        for (const CountedAmount& amount : counted[section])
            *sums[section] << amount.field->text();

    if (const std::optional<TotalsOutOfRange> refused = totalsOutOfRange(amounts)) {
        refuseTotals(*refused, counted);
        return;
    }

    // Without any inception the note is dated from today, never from another contract.
    const QDate earliestInception = earliestDate(inceptionTexts()).value_or(m_session.now().date());
    // Sums beyond what an amount can hold are refused like any amount that is not a number.
    if (!workOutFirstTerms(amounts, earliestInception, m_session.CurrentContract)) {
        m_session.services.messages->show(this, kAmountMessage, ui::MessageIcon::Critical,
                                          ui::kProgramTitle);
        return;
    }

    hide();
    emit nextRequested();
}

void PolicyScheduleWindow::refuseTotals(const TotalsOutOfRange& refused,
                                        const std::array<QList<CountedAmount>, 4>& counted)
{
    for (int section = 0; section < 4; ++section)
        for (const int place : refused.amounts[section])
            fieldcolour::mark(counted[section][place].field, false);
    const int section = refused.section;
    const QString name = counted[section - 1][refused.amounts[section - 1].first()].name;
    const QString total = refused.grandTotal ? QStringLiteral("Grand Total")
                                             : QStringLiteral("Section %1 total").arg(section);
    m_session.services.messages->show(this,
                                      QStringLiteral("%1 in Section %2 must leave the %3 from 0.00 to %4.")
                                          .arg(name)
                                          .arg(section)
                                          .arg(total, FormatAmount(kLargestShownAmount)),
                                      ui::MessageIcon::Critical, ui::kProgramTitle);
}

void PolicyScheduleWindow::goBack()
{
    hide();
    if (m_form.back->text() == kBackToMain)
        emit backRequested();
    else
        emit previousRequested();
}

void PolicyScheduleWindow::showEvent(QShowEvent* event)
{
    emit shown();
    QWidget::showEvent(event);
}
