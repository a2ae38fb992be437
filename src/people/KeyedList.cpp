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
    // The lines already shown are rewritten only where they differ, and the
    // new ones are added in one go: with many thousand customers, refilling
    // after one more row then costs little more than reading the table.
    const bool shownKnown = m_shown.size() == count();
    const int kept = static_cast<int>(std::min<qsizetype>(count(), lines.size()));
    if (count() > kept)
        model()->removeRows(kept, count() - kept);
    for (int i = 0; i < kept; ++i) {
        // What was written last time is compared, rather than asking every
        // line for its text and key again.
        if (shownKnown && m_shown[i] == lines[i])
            continue;
        QListWidgetItem* line = item(i);
        if (line->text() != lines[i].text)
            line->setText(lines[i].text);
        setKey(line, lines[i].key);
    }
    if (lines.size() > kept) {
        QStringList texts;
        texts.reserve(lines.size() - kept);
        for (qsizetype i = kept; i < lines.size(); ++i)
            texts << lines[i].text;
        addItems(texts);
        for (qsizetype i = kept; i < lines.size(); ++i)
            setKey(item(static_cast<int>(i)), lines[i].key);
    }
    m_shown = lines;
    if (count() > 0) {
        setCurrentRow(count() - 1);
        scrollToItem(item(count() - 1));
    }
}

void KeyedList::setKey(QListWidgetItem* line, store::RowKey key)
{
    // The key is not shown, so the view need not hear of it.
    const QSignalBlocker quiet(model());
    line->setData(kRowKeyRole, key);
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
