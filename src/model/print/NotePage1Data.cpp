#include "model/print/NotePages.h"
#include "model/print/NoteWriting.h"
#include "model/print/ScheduleColumns.h"

#include <array>

namespace print {

using namespace writing;

namespace {

QString dollars(const QString& amount)
{
    return QStringLiteral("$") + amount;
}

// Every element of every column is printed, empty or not, so each row keeps its line.
void scheduleSection(DrawingSurface& s, const QList<PolicyRowValues>& rows, double firstRowY)
{
    using Column = QString PolicyRowValues::*;
    static constexpr std::array<std::pair<double, Column>, 7> columns = {{
        {kPolicyColumn.x, &PolicyRowValues::policy},
        {kCompanyColumn.x, &PolicyRowValues::company},
        {kPremiumColumn.x, &PolicyRowValues::premium},
        {kCoverageColumn.x, &PolicyRowValues::coverage},
        {kInceptionColumn.x, &PolicyRowValues::inception},
        {kExpirationColumn.x, &PolicyRowValues::expiration},
        {kTermColumn.x, &PolicyRowValues::term},
    }};
    for (const auto& [x, column] : columns) {
        s.setCurrentY(firstRowY);
        for (const PolicyRowValues& row : rows)
            next(s, x, row.*column);
    }
}

void specialItem(DrawingSurface& s, const SpecialItemValues& item, double markY, double amountY)
{
    if (!item.ticked)
        return;
    at(s, 7.5, markY, QStringLiteral("x"));
    at(s, kSpecialAmountColumn.x, amountY, dollars(item.amount));
}

} // namespace

void PrintPage1Data(NoteJob& job)
{
    DrawingSurface& s = job.surface;
    // Every field of the review and of the schedule is named here, so a field
    // added to either does not compile until this page prints it.
    const auto& [loanAuthorization, amountFinanced, financeCharge, totalOfPayments, apr, numberOfInstallments,
                 amountOfInstallments, firstInstallmentDue, personal, totalSections, downPayment] = job.values.review;
    const auto& [sections, tax, fees, surcharge, other, description] = job.values.schedule;

    s.font().size = 14;
    at(s, 171, 7, loanAuthorization);

    s.font().size = 12;
    at(s, 9, 31, dollars(amountFinanced));
    at(s, 47, 31, dollars(financeCharge));
    at(s, 81, 31, dollars(totalOfPayments));
    at(s, 120, 31, apr);
    at(s, 9, 63, numberOfInstallments);
    at(s, 47, 63, dollars(amountOfInstallments));
    at(s, 81, 63, firstInstallmentDue);

    s.font().size = kScheduleTypeSize;
    at(s, 160, personal ? 47.22 : 53.22, QStringLiteral("X"));

    static constexpr std::array<double, 3> firstRowY = {88, 110, 124};
    for (std::size_t section = 0; section < sections.size(); ++section)
        scheduleSection(s, sections[section], firstRowY[section]);

    specialItem(s, tax, 138.5, 139);
    specialItem(s, fees, 142, 142.5);
    specialItem(s, surcharge, 145.5, 146);
    specialItem(s, other, 149, 149.5);
    if (other.ticked)
        at(s, kDescriptionColumn.x, 149.5, description);

    at(s, 73, 156, totalSections);
    at(s, 179, 156, downPayment);
}

} // namespace print
