#include "windows/history/GridLayout.h"

#include "windows/ui/Twips.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>

namespace history {

namespace {

// The date column reads best from the left, whatever its text; every other
// cell keeps the grid's own alignment.
constexpr Qt::Alignment kDateAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

const QStringList& gridHeaders()
{
    static const QStringList headers{
        QStringLiteral("Company"),
        QStringLiteral("Agent"),
        QStringLiteral("Date Printed"),
        QStringLiteral("Amount Financed"),
        QStringLiteral("Finance Charge"),
        QStringLiteral("Total of Payments"),
        QStringLiteral("APR"),
        QStringLiteral("Number of Installments"),
        QStringLiteral("Amount of Installments"),
        QStringLiteral("Loan Authorization #"),
        QStringLiteral("Data ID")};
    return headers;
}

const QList<int>& gridWidthsTwips()
{
    static const QList<int> widths{1500, 1500, 1200, 1500, 1500, 1500, 1500, 1800, 1800, 1799, 1};
    return widths;
}

void styleGrid(QTableWidget* grid)
{
    grid->setColumnCount(kGridColumns);
    grid->setRowCount(0);
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
    for (int column = 0; column < kGridColumns; ++column) {
        auto* item = new QTableWidgetItem(gridHeaders()[column]);
        if (column == kRunColumn)
            item->setTextAlignment(kDateAlignment);
        grid->setHorizontalHeaderItem(column, item);
        grid->setColumnWidth(column, ui::toPixels({gridWidthsTwips()[column]}));
    }
    // One twip is no pixel at all: the ID column is there to be read, not seen.
    grid->setColumnHidden(kIdColumn, true);
}

void resetGrid(QTableWidget* grid)
{
    grid->clearSelection();
    grid->setRowCount(0);
}

void fillGrid(QTableWidget* grid, const QList<ListedContract>& contracts)
{
    const int first = grid->rowCount();
    grid->setRowCount(first + int(contracts.size()));
    // The rows are announced above; telling the view about each of their
    // cells one by one would cost more than reading them from the file.
    const QSignalBlocker quiet(grid->model());
    for (int i = 0; i < contracts.size(); ++i) {
        const QStringList& cells = contracts[i].cells;
        for (int column = 0; column < kGridColumns && column < cells.size(); ++column) {
            // An empty stored value leaves its cell empty.
            if (cells[column].isEmpty())
                continue;
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == kRunColumn)
                item->setTextAlignment(kDateAlignment);
            grid->setItem(first + i, column, item);
        }
        // The Run as stored goes with the ID, so that the line can be checked against the row.
        if (QTableWidgetItem* id = grid->item(first + i, kIdColumn))
            id->setData(kStoredRunRole, contracts[i].run);
    }
    grid->viewport()->update();
}

} // namespace history
