#include "model/history/ReopenMapping.h"

#include "model/store/Connection.h"
#include "model/store/PoliciesColumns.h"

namespace history {

namespace {

// The texts of one stored slot, in the order of the stored slot families.
using RowField = QString print::PolicyRowValues::*;
constexpr RowField kRowFields[] = {
    &print::PolicyRowValues::policy,    &print::PolicyRowValues::company,
    &print::PolicyRowValues::premium,   &print::PolicyRowValues::coverage,
    &print::PolicyRowValues::inception, &print::PolicyRowValues::expiration,
    &print::PolicyRowValues::term};

struct Section4Amount {
    const char* column;
    print::SpecialItemValues print::ScheduleValues::*item;
};

constexpr Section4Amount kSection4Amounts[] = {
    {"Tax", &print::ScheduleValues::tax},
    {"Fees", &print::ScheduleValues::fees},
    {"Surcharge", &print::ScheduleValues::surcharge},
    {"Other", &print::ScheduleValues::other},
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
    static_assert(std::size(kRowFields) == 7);
    for (std::size_t section = 0; section < plan.schedule.sections.size(); ++section) {
        QList<print::PolicyRowValues>& rows = plan.schedule.sections[section];
        rows.resize(print::kSectionRows[section]);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const int slot = store::slotOfScheduleRow(int(section), int(r));
            for (qsizetype f = 0; f < families.size() && f < qsizetype(std::size(kRowFields)); ++f)
                rows[r].*kRowFields[f] = stored(contract, families[f] + QString::number(slot));
        }
    }
    for (const Section4Amount& amount : kSection4Amounts) {
        // An amount stored as "0" was never charged; "0.00" and any other text were.
        const QString text = stored(contract, QLatin1String(amount.column));
        if (!text.isEmpty() && text != QLatin1String("0"))
            plan.schedule.*amount.item = {true, text};
    }
    plan.schedule.description = stored(contract, QStringLiteral("Description"));
    const QString classification = stored(contract, QStringLiteral("Classification"));
    if (classification == QLatin1String("Commercial") || classification == QLatin1String("Personal"))
        plan.commercial = classification == QLatin1String("Commercial");
    return plan;
}

void applyParties(const ReopenPlan& plan, AgentRecord& agent, CustomerRecord& customer)
{
    customer.DBA = plan.dba;
    agent.Name = plan.agentName;
    customer.Name = plan.customerName;
    agent.Company = plan.agentCompany;
}

} // namespace history
