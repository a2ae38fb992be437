#include "model/contract/ContractSaving.h"

#include "model/contract/ContractStore.h"
#include "model/print/KeptNotes.h"
#include "model/session/CurrentContract.h"
#include "model/session/PartyRecords.h"
#include "model/session/Session.h"
#include "model/store/PoliciesColumns.h"
#include "model/store/WriteToken.h"

#include <QStringList>

void copyScheduleIntoContract(const print::ScheduleValues& schedule, const QString& loanAuthorization,
                              CurrentContract& contract)
{
    for (std::size_t section = 0; section < schedule.sections.size(); ++section) {
        const QList<print::PolicyRowValues>& rows = schedule.sections[section];
        for (qsizetype r = 0; r < rows.size() && r < print::kSectionRows[section]; ++r) {
            const std::size_t slot = store::slotOfScheduleRow(int(section), int(r)) - 1;
            const print::PolicyRowValues& row = rows[r];
            contract.PolicyNo[slot] = row.policy;
            contract.Agent[slot] = row.company;
            contract.Premium[slot] = row.premium;
            contract.Coverage[slot] = row.coverage;
            contract.Inception[slot] = row.inception;
            contract.Expiration[slot] = row.expiration;
            contract.Term[slot] = row.term;
        }
    }
    contract.Tax = schedule.tax.amount;
    contract.Fees = schedule.fees.amount;
    contract.Surcharge = schedule.surcharge.amount;
    contract.Other = schedule.other.amount;
    contract.Description = schedule.description;
    contract.LoanAuthorization = loanAuthorization;
}

PoliciesRow policiesRow(const CurrentContract& contract, const AgentRecord& agent,
                        const CustomerRecord& customer, const ReviewedTerms& terms,
                        const QDateTime& run)
{
    PoliciesRow row;
    const std::pair<const char*, const std::array<QString, store::kPolicySlots>*> families[] = {
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

    row.set(QStringLiteral("Financed"), terms.shown.amountFinanced);
    row.set(QStringLiteral("FinCharge"), terms.shown.financeCharge);
    row.set(QStringLiteral("Payments"), terms.shown.totalOfPayments);
    row.set(QStringLiteral("APR"), terms.shown.apr);
    row.set(QStringLiteral("InstallmentNum"), terms.shown.numberOfInstallments);
    row.set(QStringLiteral("InstallmentAmt"), terms.shown.amountOfInstallments);
    row.set(QStringLiteral("Due"), terms.due.isValid() ? terms.due.toString(Qt::ISODate) : QString());
    row.set(QStringLiteral("Classification"),
            terms.commercial ? QStringLiteral("Commercial") : QStringLiteral("Personal"));
    for (std::size_t i = 0; i < terms.sections.size(); ++i)
        row.set(QStringLiteral("Section%1").arg(i + 1), terms.sections[i]);
    row.set(QStringLiteral("TotalSections"), terms.shown.totalSections);
    row.set(QStringLiteral("Down"), terms.shown.downPayment);
    return row;
}

std::int64_t saveContract(Session& session, store::PendingWrite& pending, const print::ScheduleValues& schedule,
                          const ReviewedTerms& terms)
{
    CurrentContract saved = session.CurrentContract;
    copyScheduleIntoContract(schedule, terms.shown.loanAuthorization, saved);
    const PoliciesRow row = policiesRow(saved, session.CurAgent, session.CurCust, terms, session.now());
    // The time of saving is not part of what the user sees as the same contract.
    QStringList contents;
    for (const auto& [column, text] : row.columns())
        if (column != QStringLiteral("Run"))
            contents << column + QLatin1Char('=') + text;
    std::int64_t id = 0;
    pending.attempt(contents.join(QLatin1Char('\n')), session.now(), [&](const QString& token) {
        id = appendContract(session.database(), row, token,
                            print::highestKeptNoteId(print::keptNotesFolder(session)));
    });
    session.CurrentContract = saved;
    return id;
}
