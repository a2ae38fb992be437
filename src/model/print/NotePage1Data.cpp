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
    const NoteValues& v = job.values;

    s.font().size = 14;
    at(s, 171, 7, v.loanAuthorization);

    s.font().size = 12;
    at(s, 9, 31, dollars(v.amountFinanced));
    at(s, 47, 31, dollars(v.financeCharge));
    at(s, 81, 31, dollars(v.totalOfPayments));
    at(s, 120, 31, v.apr);
    at(s, 9, 63, v.numberOfInstallments);
    at(s, 47, 63, dollars(v.amountOfInstallments));
    at(s, 81, 63, v.firstInstallmentDue);

    s.font().size = kScheduleTypeSize;
    at(s, 160, v.personal ? 47.22 : 53.22, QStringLiteral("X"));

    static constexpr std::array<double, 3> firstRowY = {88, 110, 124};
    for (std::size_t section = 0; section < v.sections.size(); ++section)
        scheduleSection(s, v.sections[section], firstRowY[section]);

    specialItem(s, v.tax, 138.5, 139);
    specialItem(s, v.fees, 142, 142.5);
    specialItem(s, v.surcharge, 145.5, 146);
    specialItem(s, v.other, 149, 149.5);
    if (v.other.ticked)
        at(s, kDescriptionColumn.x, 149.5, v.description);

    at(s, 73, 156, v.totalSections);
    at(s, 179, 156, v.downPayment);
}

} // namespace print
