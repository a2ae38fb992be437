#include "people/KeyedList.h"

namespace people {

KeyedList::KeyedList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every line is one text line high; measuring each of many thousand lines is wasted time.
    setUniformItemSizes(true);
}

void KeyedList::fill(const QList<store::ListLine>& lines)
{
    clear();
    for (const store::ListLine& line : lines) {
        auto* item = new QListWidgetItem(line.text);
        item->setData(kRowKeyRole, line.key);
        addItem(item);
    }
    if (count() > 0) {
        setCurrentRow(count() - 1);
        scrollToItem(item(count() - 1));
    }
}

std::optional<store::RowKey> KeyedList::keyAt(int position) const
{
    const QListWidgetItem* line = item(position);
    if (!line)
        return std::nullopt;
    return line->data(kRowKeyRole).toLongLong();
}

int KeyedList::selectedPosition() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

QString KeyedList::selectedText() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QItemSelectionModel::SelectionFlags KeyedList::selectionCommand(const QModelIndex& index,
                                                                const QEvent* event) const
{
    // A Ctrl+click would otherwise clear the only choice.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    const auto flags = QListWidget::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

} // namespace people
