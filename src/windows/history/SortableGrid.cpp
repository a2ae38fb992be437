#include "windows/history/SortableGrid.h"

#include "windows/ui/Controls.h"

#include <QHeaderView>
#include <QTableWidget>

namespace history {

QTableWidget* addListGrid(QWidget* parent, const QString& name, const QStringList& headings,
                          const QList<int>& widthsTwips, ui::TwipsRect box)
{
    auto* grid = new QTableWidget(0, int(headings.size()), parent);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(headings);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    // Tab leaves the grid; the arrow keys move inside it.
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(ui::toPixels({255}));
    for (int column = 0; column < widthsTwips.size(); ++column)
        grid->setColumnWidth(column, ui::toPixels({widthsTwips[column]}));
    ui::placeTwips(grid, box);
    return grid;
}

bool KeyedCell::operator<(const QTableWidgetItem& other) const
{
    const auto* keyed = dynamic_cast<const KeyedCell*>(&other);
    if (!keyed)
        return QTableWidgetItem::operator<(other);
    return QVariant::compare(m_key, keyed->m_key) == QPartialOrdering::Less;
}

} // namespace history
