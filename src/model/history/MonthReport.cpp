#include "model/history/MonthReport.h"

#include "model/contract/FixedAmount.h"
#include "model/store/Connection.h"
#include "model/store/PoliciesLookUp.h"

#include <QHash>

#include <algorithm>
#include <limits>

namespace history {

namespace {

// A fixed amount holds ten-thousandths; a cent is a hundred of them.
constexpr std::int64_t kUnitsPerCent = 100;

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void appendCsvRow(QString& out, const QStringList& cells)
{
    QStringList fields;
    for (const QString& cell : cells)
        fields << csvField(cell);
    out += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QDate firstOfMonth(const QDate& day)
{
    return QDate(day.year(), day.month(), 1);
}

QDate lastOfMonth(const QDate& day)
{
    return QDate(day.year(), day.month(), day.daysInMonth());
}

std::int64_t centsOf(const QString& stored)
{
    const std::optional<FixedAmount> amount = FixedAmount::fromText(stored.trimmed());
    return amount ? amount->units() / kUnitsPerCent : 0;
}

QString centsText(std::int64_t cents)
{
    const bool negative = cents < 0;
    // Unsigned, so that the smallest value has a magnitude too.
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - std::uint64_t(cents) : std::uint64_t(cents);
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

void addContract(AgentFigures& figures, const QString& premium, const QString& financed, const QString& charge)
{
    ++figures.contracts;
    figures.premiumCents += centsOf(premium);
    figures.financedCents += centsOf(financed);
    figures.chargeCents += centsOf(charge);
}

MonthReport buildReport(const store::Place& place, const QDate& from, const QDate& to)
{
    static const QStringList columns{QStringLiteral("Agent"), QStringLiteral("TotalSections"),
                                     QStringLiteral("Financed"), QStringLiteral("FinCharge")};
    MonthReport report{from, to, {}, {}};
    QHash<QString, AgentFigures> byAgent;
    for (const QVariantList& values :
         store::policiesPrintedWithin(place, columns, from, to, std::numeric_limits<int>::max())) {
        const QString agent = store::textOf(values.value(0));
        AgentFigures& figures = byAgent[agent];
        figures.agent = agent;
        addContract(figures, store::textOf(values.value(1)), store::textOf(values.value(2)),
                    store::textOf(values.value(3)));
    }
    report.agents = byAgent.values();
    std::sort(report.agents.begin(), report.agents.end(), [](const AgentFigures& a, const AgentFigures& b) {
        const int folded = a.agent.compare(b.agent, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.agent < b.agent;
    });
    report.totals.agent = kTotalsLabel;
    for (const AgentFigures& figures : report.agents) {
        report.totals.contracts += figures.contracts;
        report.totals.premiumCents += figures.premiumCents;
        report.totals.financedCents += figures.financedCents;
        report.totals.chargeCents += figures.chargeCents;
    }
    return report;
}

const QStringList& reportHeadings()
{
    static const QStringList headings{QStringLiteral("Agent"), QStringLiteral("Contracts"),
                                      QStringLiteral("Premiums"), QStringLiteral("Amount Financed"),
                                      QStringLiteral("Finance Charges")};
    return headings;
}

QStringList reportCells(const AgentFigures& figures)
{
    return {figures.agent, QString::number(figures.contracts), centsText(figures.premiumCents),
            centsText(figures.financedCents), centsText(figures.chargeCents)};
}

QByteArray reportCsv(const MonthReport& report)
{
    QString out;
    appendCsvRow(out, reportHeadings());
    for (const AgentFigures& figures : report.agents)
        appendCsvRow(out, reportCells(figures));
    appendCsvRow(out, reportCells(report.totals));
    return out.toUtf8();
}

} // namespace history
