#include "model/print/NotePages.h"
#include "model/print/NoteWriting.h"
#include "model/print/ScheduleColumns.h"

#include <array>

namespace print {

using namespace literals;
using namespace writing;

namespace {

QString dollars(const QString& amount)
{
    return QStringLiteral("$") + amount;
}

// Every element of every column is printed, empty or not, so each row keeps its line.
void scheduleSection(DrawingSurface& s, const QList<PolicyRowValues>& rows, Mm firstRowY)
{
    using Column = QString PolicyRowValues::*;
    static constexpr std::array<std::pair<Mm, Column>, 7> columns = {{
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

void specialItem(DrawingSurface& s, const SpecialItemValues& item, Mm markY, Mm amountY)
{
    if (!item.ticked)
        return;
    at(s, 7.5_mm, markY, QStringLiteral("x"));
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
    at(s, 171_mm, 7_mm, loanAuthorization);

    s.font().size = 12;
    at(s, 9_mm, 31_mm, dollars(amountFinanced));
    at(s, 47_mm, 31_mm, dollars(financeCharge));
    at(s, 81_mm, 31_mm, dollars(totalOfPayments));
    at(s, 120_mm, 31_mm, apr);
    at(s, 9_mm, 63_mm, numberOfInstallments);
    at(s, 47_mm, 63_mm, dollars(amountOfInstallments));
    at(s, 81_mm, 63_mm, firstInstallmentDue);

    s.font().size = kScheduleTypeSize;
    at(s, 160_mm, personal ? 47.22_mm : 53.22_mm, QStringLiteral("X"));

    static constexpr std::array<Mm, 3> firstRowY = {88_mm, 110_mm, 124_mm};
    for (std::size_t section = 0; section < sections.size(); ++section)
        scheduleSection(s, sections[section], firstRowY[section]);

    specialItem(s, tax, 138.5_mm, 139_mm);
    specialItem(s, fees, 142_mm, 142.5_mm);
    specialItem(s, surcharge, 145.5_mm, 146_mm);
    specialItem(s, other, 149_mm, 149.5_mm);
    if (other.ticked)
        at(s, kDescriptionColumn.x, 149.5_mm, description);

    at(s, 73_mm, 156_mm, totalSections);
    at(s, 179_mm, 156_mm, downPayment);
}

} // namespace print
