#pragma once

#include "model/history/ContractHistoryStore.h"

#include <QList>
#include <QStringList>

class QTableWidget;

namespace history {

// The ID cell's data under this role: the line's Run as stored.
constexpr int kStoredRunRole = Qt::UserRole;

// Header texts of the previous-contracts grid, left to right.
const QStringList& gridHeaders();
// Column widths in twips; the last column, one twip wide, only carries the ID.
const QList<int>& gridWidthsTwips();

// Gives the grid its fixed look: eleven columns with their headers and widths,
// whole-row single selection, no editing in place.
void styleGrid(QTableWidget* grid);
// Drops every data row; the header stays.
void resetGrid(QTableWidget* grid);
// Appends one row per listed contract.
void fillGrid(QTableWidget* grid, const QList<ListedContract>& contracts);

} // namespace history
