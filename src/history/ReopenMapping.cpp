#include "history/ReopenMapping.h"

#include "store/Connection.h"
#include "store/PoliciesColumns.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

namespace history {

namespace {

// The schedule's control arrays, in the same order as the stored slot families.
const QStringList& fieldFamilies()
{
    static const QStringList families{
        QStringLiteral("txtPolicy"),    QStringLiteral("txtCompany"),
        QStringLiteral("txtPremium"),   QStringLiteral("txtCoverage"),
        QStringLiteral("txtInception"), QStringLiteral("txtExpiration"),
        QStringLiteral("txtTerm")};
    return families;
}

// Slots 1 to 4 are Section 1's rows, 5 to 7 Section 2's.
QString slotField(const QString& family, int slot)
{
    return slot <= 4 ? QStringLiteral("%1_%2").arg(family + QLatin1Char('1')).arg(slot - 1)
                     : QStringLiteral("%1_%2").arg(family + QLatin1Char('2')).arg(slot - 5);
}

constexpr int kReopenedSlots = 7;

struct Section4Amount {
    const char* column;
    const char* field;
    const char* box;
};

constexpr Section4Amount kSection4Amounts[] = {
    {"Tax", "txtTax", "chkTax"},
    {"Fees", "txtFees", "chkFees"},
    {"Surcharge", "txtSurcharge", "chkSurcharge"},
    {"Other", "txtOther", "chkOther"},
};

QString stored(const StoredContract& contract, const QString& column)
{
    return store::textOf(contract.value(column));
}

} // namespace

ReopenPlan planReopen(const StoredContract& contract)
{
    ReopenPlan plan;
    plan.dba = stored(contract, QStringLiteral("DBA"));
    plan.agentName = stored(contract, QStringLiteral("Agent"));
    plan.customerName = stored(contract, QStringLiteral("Customer"));
    plan.agentCompany = stored(contract, QStringLiteral("Company"));

    const QStringList& families = store::slotFamilies();
    for (int f = 0; f < families.size(); ++f) {
        const QStringList columns = store::slotColumns(families[f]);
        for (int slot = 1; slot <= kReopenedSlots; ++slot) {
            const QString text = stored(contract, columns[slot - 1]);
            if (!text.isEmpty())
                plan.writes.append({slotField(fieldFamilies()[f], slot), text, {}});
        }
    }
    for (const Section4Amount& amount : kSection4Amounts) {
        // An amount stored as "0" was never charged; "0.00" and any other text were.
        const QString text = stored(contract, QLatin1String(amount.column));
        if (!text.isEmpty() && text != QLatin1String("0"))
            plan.writes.append({QLatin1String(amount.field), text, QLatin1String(amount.box)});
    }
    const QString description = stored(contract, QStringLiteral("Description"));
    if (!description.isEmpty())
        plan.writes.append({QStringLiteral("txtDescription"), description, {}});
    return plan;
}

void applyParties(const ReopenPlan& plan, AgentRecord& agent, CustomerRecord& customer)
{
    customer.DBA = plan.dba;
    agent.Name = plan.agentName;
    customer.Name = plan.customerName;
    agent.Company = plan.agentCompany;
}

void applySchedule(const ReopenPlan& plan, QWidget* schedule)
{
    if (!schedule)
        return;
    for (const FieldWrite& write : plan.writes) {
        if (auto* field = schedule->findChild<QLineEdit*>(write.field))
            field->setText(write.text);
        if (write.tickBox.isEmpty())
            continue;
        // The schedule empties an amount only when its box is unticked, so the
        // amount just written stays.
        if (auto* box = schedule->findChild<QCheckBox*>(write.tickBox))
            box->setChecked(true);
    }
}

} // namespace history
