#include "people/KeyedList.h"

#include "people/ListLinesModel.h"

namespace people {

KeyedList::KeyedList(QWidget* parent) : QListView(parent), m_lines(new ListLinesModel(this))
{
    setModel(m_lines);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every line is one text line high; measuring each of many thousand lines is wasted time.
    setUniformItemSizes(true);
}

void KeyedList::fill(store::ListRead read)
{
    m_lines->fill(std::move(read));
    selectLast();
}

bool KeyedList::follow(const store::RowChange& change)
{
    if (!m_lines->follow(change))
        return false;
    selectLast();
    return true;
}

void KeyedList::selectLast()
{
    if (count() == 0)
        return;
    setCurrentRow(count() - 1);
    scrollTo(m_lines->index(count() - 1));
}

std::optional<qint64> KeyedList::changes() const
{
    return m_lines->changes();
}

int KeyedList::count() const
{
    return m_lines->rowCount();
}

QString KeyedList::lineText(int position) const
{
    if (position < 0 || position >= count())
        return {};
    return m_lines->lines().text(position);
}

std::optional<store::RowKey> KeyedList::keyAt(int position) const
{
    if (position < 0 || position >= count())
        return std::nullopt;
    return m_lines->lines().key(position);
}

int KeyedList::currentRow() const
{
    return currentIndex().row();
}

void KeyedList::setCurrentRow(int position)
{
    const QModelIndex line = m_lines->index(position);
    if (line.isValid())
        selectionModel()->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect);
    else
        selectionModel()->clear();
}

bool KeyedList::isRowSelected(int position) const
{
    return selectionModel()->isRowSelected(position, {});
}

int KeyedList::selectedPosition() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

QString KeyedList::selectedText() const
{
    return lineText(selectedPosition());
}

QItemSelectionModel::SelectionFlags KeyedList::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const
{
    // A Ctrl+click would otherwise clear the only choice.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const auto flags = QListView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

} // namespace people
