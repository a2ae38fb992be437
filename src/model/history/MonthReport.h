#pragma once

#include "model/store/Place.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace history {

// The report: for a span of printing days, each agent's contracts and their
// sums, and the totals. Amounts are whole cents, added exactly.
struct AgentFigures {
    QString agent;
    qint64 contracts = 0;
    std::int64_t premiumCents = 0;   // Grand Totals (TotalSections)
    std::int64_t financedCents = 0;  // amounts financed
    std::int64_t chargeCents = 0;    // finance charges
};

struct MonthReport {
    QDate from;
    QDate to;
    QList<AgentFigures> agents; // sorted by agent
    AgentFigures totals;        // agent left empty
};

// The first and last day of the month that holds day.
QDate firstOfMonth(const QDate& day);
QDate lastOfMonth(const QDate& day);

// Cents from a stored two-decimal text, read exactly; 0 when empty or not a number.
std::int64_t centsOf(const QString& stored);
// Cents as plain decimal text with two places: -1234 -> "-12.34".
QString centsText(std::int64_t cents);

// Adds one contract's stored texts to the agent's figures.
void addContract(AgentFigures& figures, const QString& premium, const QString& financed, const QString& charge);

// Reads the contracts printed from..to (both included) and sums them per agent.
MonthReport buildReport(const store::Place& place, const QDate& from, const QDate& to);

// The report's column headings and one agent's (or the totals') cells.
const QStringList& reportHeadings();
QStringList reportCells(const AgentFigures& figures);
// The label of the totals line.
inline const QString kTotalsLabel = QStringLiteral("Total");

// The report as comma-separated values: a heading row, one row per agent and
// the totals; fields quoted where they must be, quotes doubled, CRLF, UTF-8.
QByteArray reportCsv(const MonthReport& report);

} // namespace history
