#include "model/print/NoteValuesGatherer.h"

#include "model/session/Session.h"

namespace print {

NoteValues gatherNoteValues(const ScheduleValues& schedule, const ReviewValues& review, const Session& session)
{
    return gatherNoteValues(schedule, review, session.CurAgent, session.CurCust, session.Version);
}

NoteValues gatherNoteValues(const ScheduleValues& schedule, const ReviewValues& review, const AgentRecord& agent,
                            const CustomerRecord& customer, const QString& version)
{
    NoteValues v;
    v.loanAuthorization = review.loanAuthorization;
    v.amountFinanced = review.amountFinanced;
    v.financeCharge = review.financeCharge;
    v.totalOfPayments = review.totalOfPayments;
    v.apr = review.apr;
    v.numberOfInstallments = review.numberOfInstallments;
    v.amountOfInstallments = review.amountOfInstallments;
    v.firstInstallmentDue = review.firstInstallmentDue;
    v.personal = review.personal;
    v.totalSections = review.totalSections;
    v.downPayment = review.downPayment;

    v.sections = schedule.sections;
    v.tax = schedule.tax;
    v.fees = schedule.fees;
    v.surcharge = schedule.surcharge;
    v.other = schedule.other;
    v.description = schedule.description;

    v.agent = agent;
    v.customer = customer;
    v.version = version;
    return v;
}

} // namespace print
