#include "model/history/StoredNote.h"

#include "model/history/ReopenMapping.h"
#include "model/print/NoteValuesGatherer.h"
#include "model/store/AgentTable.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"

#include <QDate>

namespace history {

namespace {

QString stored(const StoredContract& contract, const char* column)
{
    return store::textOf(contract.value(QLatin1String(column)));
}

// The first installment's date as the loan-terms window shows it.
QString shownDue(const QString& storedDue)
{
    const QDate due = QDate::fromString(storedDue, Qt::ISODate);
    return due.isValid() ? due.toString(QStringLiteral("M/d/yyyy")) : storedDue;
}

} // namespace

print::NoteValues storedNoteValues(const store::Place& place, const StoredContract& contract,
                                   const QString& version)
{
    const ReopenPlan plan = planReopen(contract);
    print::ReviewValues review;
    review.loanAuthorization = stored(contract, "LoanAuthorization");
    review.amountFinanced = stored(contract, "Financed");
    review.financeCharge = stored(contract, "FinCharge");
    review.totalOfPayments = stored(contract, "Payments");
    review.apr = stored(contract, "APR");
    review.numberOfInstallments = stored(contract, "InstallmentNum");
    review.amountOfInstallments = stored(contract, "InstallmentAmt");
    review.firstInstallmentDue = shownDue(stored(contract, "Due"));
    review.personal = plan.commercial == false;
    review.totalSections = stored(contract, "TotalSections");
    review.downPayment = stored(contract, "Down");

    // Columns: Agent Name 0, Company 1; Customer Name 0, DBA 1.
    AgentRecord agent;
    CustomerRecord customer;
    if (const auto row = store::agentTable(place).firstRowHolding({{0, plan.agentName}, {1, plan.agentCompany}}))
        agent = store::recordOf<AgentRecord>(*row);
    if (const auto row = store::customerTable(place).firstRowHolding({{0, plan.customerName}, {1, plan.dba}}))
        customer = store::recordOf<CustomerRecord>(*row);
    applyParties(plan, agent, customer);
    return print::gatherNoteValues(plan.schedule, review, agent, customer, version);
}

} // namespace history
