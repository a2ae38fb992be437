#include "windows/history/GridLayout.h"

#include "model/history/ContractHistoryStore.h"
#include "windows/ui/Twips.h"

#include <QHeaderView>
#include <QTableView>

namespace history {

void styleGrid(QTableView* grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSortingEnabled(false);
    grid->setWordWrap(false);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(ui::toPixels({255}));

    QHeaderView* header = grid->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    for (int column = 0; column < int(kListedColumns.size()); ++column)
        grid->setColumnWidth(column, ui::toPixels({kListedColumns[column].widthTwips}));
}

} // namespace history
