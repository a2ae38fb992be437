#include "contract/ContractSaving.h"

#include "app/PartyRecords.h"
#include "contract/CurrentContract.h"
#include "contract/PolicyScheduleForm.h"
#include "store/PoliciesColumns.h"

#include <QLineEdit>

void copyScheduleIntoContract(const PolicyScheduleForm& schedule, const QString& loanAuthorization,
                              CurrentContract& contract)
{
    std::size_t slot = 0;
    for (const auto* rows : {&schedule.sections[0], &schedule.sections[1]}) {
        for (const ScheduleRow& row : *rows) {
            contract.PolicyNo[slot] = row.policy->text();
            contract.Agent[slot] = row.company->text();
            contract.Premium[slot] = row.premium->text();
            contract.Coverage[slot] = row.coverage->text();
            contract.Inception[slot] = row.inception->text();
            contract.Expiration[slot] = row.expiration->text();
            contract.Term[slot] = row.term->text();
            ++slot;
        }
    }
    contract.Tax = schedule.specialItems[0].amount->text();
    contract.Fees = schedule.specialItems[1].amount->text();
    contract.Surcharge = schedule.specialItems[2].amount->text();
    contract.Other = schedule.specialItems[3].amount->text();
    contract.Description = schedule.description->text();
    contract.LoanAuthorization = loanAuthorization;
}

PoliciesRow policiesRow(const CurrentContract& contract, const AgentRecord& agent,
                        const CustomerRecord& customer, const ReviewedTerms& terms,
                        const QDateTime& run)
{
    PoliciesRow row;
    const std::pair<const char*, const std::array<QString, 8>*> families[] = {
        {"PolicyNo", &contract.PolicyNo},   {"Agent", &contract.Agent},
        {"Premium", &contract.Premium},     {"Coverage", &contract.Coverage},
        {"Inception", &contract.Inception}, {"Expiration", &contract.Expiration},
        {"Term", &contract.Term}};
    for (const auto& [family, texts] : families)
        for (std::size_t slot = 0; slot < texts->size(); ++slot)
            row.set(QLatin1String(family) + QString::number(slot + 1), (*texts)[slot]);

    row.set(QStringLiteral("Tax"), contract.Tax);
    row.set(QStringLiteral("Fees"), contract.Fees);
    row.set(QStringLiteral("Surcharge"), contract.Surcharge);
    row.set(QStringLiteral("Other"), contract.Other);
    row.set(QStringLiteral("Description"), contract.Description);
    row.set(QStringLiteral("LoanAuthorization"), contract.LoanAuthorization);

    row.set(QStringLiteral("Run"), store::storedRun(run));
    row.set(QStringLiteral("Agent"), agent.Name);
    row.set(QStringLiteral("Customer"), customer.Name);
    row.set(QStringLiteral("DBA"), customer.DBA);
    row.set(QStringLiteral("Company"), agent.Company);

    row.set(QStringLiteral("Financed"), terms.financed);
    row.set(QStringLiteral("FinCharge"), terms.finCharge);
    row.set(QStringLiteral("Payments"), terms.payments);
    row.set(QStringLiteral("APR"), terms.apr);
    row.set(QStringLiteral("InstallmentNum"), terms.installmentNum);
    row.set(QStringLiteral("InstallmentAmt"), terms.installmentAmt);
    row.set(QStringLiteral("Due"), terms.due.isValid() ? terms.due.toString(Qt::ISODate) : QString());
    row.set(QStringLiteral("Classification"),
            terms.commercial ? QStringLiteral("Commercial") : QStringLiteral("Personal"));
    for (std::size_t i = 0; i < terms.sections.size(); ++i)
        row.set(QStringLiteral("Section%1").arg(i + 1), terms.sections[i]);
    row.set(QStringLiteral("TotalSections"), terms.totalSections);
    row.set(QStringLiteral("Down"), terms.down);
    return row;
}
