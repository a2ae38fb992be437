#include "print/NoteValuesGatherer.h"

#include "app/Session.h"
#include "contract/DateText.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace print {

namespace {

// Text of a field or caption of a label, whichever the control is.
QString textOf(const QWidget* window, const QString& name)
{
    if (!window)
        return {};
    if (const auto* field = window->findChild<const QLineEdit*>(name))
        return field->text();
    if (const auto* label = window->findChild<const QLabel*>(name))
        return label->text();
    return {};
}

bool isChecked(const QWidget* window, const QString& name)
{
    const auto* button = window ? window->findChild<const QAbstractButton*>(name) : nullptr;
    return button && button->isChecked();
}

QString dateOf(const QWidget* window, const QString& name)
{
    const auto* picker = window ? window->findChild<const QDateEdit*>(name) : nullptr;
    return picker ? usDate(picker->date()) : QString();
}

QString element(const char* array, int section, int index)
{
    return QStringLiteral("%1%2_%3").arg(QLatin1String(array)).arg(section).arg(index);
}

SpecialItemValues item(const QWidget* schedule, const char* box, const char* field)
{
    return {isChecked(schedule, QLatin1String(box)), textOf(schedule, QLatin1String(field))};
}

} // namespace

NoteValues gatherNoteValues(const QWidget* schedule, const QWidget* review, const Session& session)
{
    NoteValues v;
    v.loanAuthorization = textOf(review, QStringLiteral("txtLoanAut"));
    v.amountFinanced = textOf(review, QStringLiteral("lblAmtFin"));
    v.financeCharge = textOf(review, QStringLiteral("txtFinCharge"));
    v.totalOfPayments = textOf(review, QStringLiteral("lblTotalPayments"));
    v.apr = textOf(review, QStringLiteral("lblAPR"));
    v.numberOfInstallments = textOf(review, QStringLiteral("txtNumInstall"));
    v.amountOfInstallments = textOf(review, QStringLiteral("lblAmtInstall"));
    v.firstInstallmentDue = dateOf(review, QStringLiteral("dtpFirstInstllmnt"));
    v.personal = isChecked(review, QStringLiteral("optPersonal"));
    v.totalSections = textOf(review, QStringLiteral("lblTotalSections"));
    v.downPayment = textOf(review, QStringLiteral("txtDown"));

    for (int s = 0; s < 3; ++s) {
        for (int row = 0; row < kSectionRows[s]; ++row) {
            const int section = s + 1;
            v.sections[s].append({
                textOf(schedule, element("txtPolicy", section, row)),
                textOf(schedule, element("txtCompany", section, row)),
                textOf(schedule, element("txtPremium", section, row)),
                textOf(schedule, element("txtCoverage", section, row)),
                textOf(schedule, element("txtInception", section, row)),
                textOf(schedule, element("txtExpiration", section, row)),
                textOf(schedule, element("txtTerm", section, row)),
            });
        }
    }
    v.tax = item(schedule, "chkTax", "txtTax");
    v.fees = item(schedule, "chkFees", "txtFees");
    v.surcharge = item(schedule, "chkSurcharge", "txtSurcharge");
    v.other = item(schedule, "chkOther", "txtOther");
    v.description = textOf(schedule, QStringLiteral("txtDescription"));

    v.agent = session.CurAgent;
    v.customer = session.CurCust;
    v.version = session.Version;
    return v;
}

} // namespace print
