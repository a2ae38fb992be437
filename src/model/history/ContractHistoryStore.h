#pragma once

#include "model/store/Place.h"
#include "model/store/PoliciesTable.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <optional>
#include <string_view>

namespace history {

// One column of the previous-contracts grid: the Policies column it shows, its
// heading, its width in twips as the window was designed, and how its cells
// and heading are aligned (none: the grid's own).
struct ListedColumn {
    std::string_view stored;
    std::string_view heading;
    int widthTwips;
    Qt::Alignment alignment = {};
};

// The grid's columns, left to right. The date reads best from the left,
// whatever its text.
inline constexpr std::array<ListedColumn, 10> kListedColumns = {{
    {"Company", "Company", 1500},
    {"Agent", "Agent", 1500},
    {"Run", "Date Printed", 1200, Qt::AlignLeft | Qt::AlignVCenter},
    {"Financed", "Amount Financed", 1500},
    {"FinCharge", "Finance Charge", 1500},
    {"Payments", "Total of Payments", 1500},
    {"APR", "APR", 1500},
    {"InstallmentNum", "Number of Installments", 1800},
    {"InstallmentAmt", "Amount of Installments", 1800},
    {"LoanAuthorization", "Loan Authorization #", 1799},
}};

// The column showing when the contract was printed.
inline constexpr int kRunColumn = 2;
static_assert(kListedColumns[kRunColumn].stored == "Run");

// One saved contract as shown in the previous-contracts grid: its ID, the
// texts of its cells, left to right as kListedColumns.
struct ListedContract {
    qint64 id = 0;
    QStringList cells;
    // The Run as stored, which the date cell shows in its own form.
    QString run;
};

// One saved contract as read back: column name -> stored value. A NULL column
// stays a null QVariant, so callers can tell "never written" from any text.
using StoredContract = store::PolicyRow;

// A line of the list as chosen: the contract's ID and what the line shows of it.
struct ChosenContract {
    qint64 id = 0;
    store::PolicyLine line;
};

// The statement that lists a customer's contracts (one bound value, the DBA).
const QString& listContractsSql();

// The contracts whose DBA is exactly dba (letter case counts, NULL never
// matches), in ID order, which is the order they were saved in.
QList<ListedContract> listContracts(const store::Place& place, const QString& dba);

// The chosen contract's row; empty when it is gone or no longer shows its line.
StoredContract readContract(const store::Place& place, const ChosenContract& chosen);

// Adds a duplicate of the chosen contract, dated now, with an ID above
// keysAbove; every other column is copied unchanged, NULLs included. Nothing
// when the row is gone or no longer shows its line, nothing being added;
// otherwise the copy's ID, 0 when an earlier try with the token stored it.
std::optional<qint64> copyContract(const store::Place& place, const ChosenContract& chosen, const QDateTime& now,
                                   const QString& token = {}, qint64 keysAbove = 0);

// Removes the chosen contract and hands back its row as it was; nothing when
// it is gone or no longer shows its line, nothing being removed.
std::optional<StoredContract> deleteContract(const store::Place& place, const ChosenContract& chosen);

// Puts a removed contract back under its own ID with every column as it was;
// false, with nothing written, when a contract has that ID now.
bool putBackContract(const store::Place& place, const StoredContract& removed);

} // namespace history
