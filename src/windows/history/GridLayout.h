#pragma once

class QTableView;

namespace history {

// Gives the previous-contracts grid its fixed look over its model of listed
// contracts: the columns' widths, whole-row single selection, no editing in place.
void styleGrid(QTableView* grid);

} // namespace history
