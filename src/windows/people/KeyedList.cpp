#include "windows/people/KeyedList.h"

#include "model/people/ListLinesModel.h"
#include "model/store/FoldedLines.h"

#include <QEvent>
#include <QHoverEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace people {

KeyedList::KeyedList(QWidget* parent) : QAbstractItemView(parent), m_lines(new ListLinesModel(this))
{
    setModel(m_lines);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line of text a row, the line as wide as the box, Tab going on to the next control.
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    viewport()->setAttribute(Qt::WA_Hover);
    // The style paints the whole bar, so what lies beneath it (the window,
    // the globe, the captions) need not be painted again each time it moves.
    verticalScrollBar()->setAutoFillBackground(true);
    fitLineHeight();
    connect(m_lines, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int) { relayoutFrom(first); });
    connect(m_lines, &ListLinesModel::readAgain, this, &KeyedList::selectLast);
}

KeyedList::~KeyedList() = default;

void KeyedList::fitLineHeight()
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Xg");
    m_lineHeight = std::max(1, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height());
    relayout();
}

void KeyedList::changeEvent(QEvent* event)
{
    QAbstractItemView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitLineHeight();
}

int KeyedList::topRow() const
{
    return verticalScrollBar()->value();
}

int KeyedList::rowsInView() const
{
    return std::max(1, viewport()->height() / m_lineHeight);
}

int KeyedList::rowAtY(int y) const
{
    const qint64 at = qint64(y) + qint64(topRow()) * m_lineHeight;
    if (at < 0 || at >= qint64(count()) * m_lineHeight)
        return -1;
    return int(at / m_lineHeight);
}

void KeyedList::relayout()
{
    updateGeometries();
    viewport()->update();
}

void KeyedList::relayoutFrom(int position)
{
    // Lines above the one added or removed stay where they are, unless the
    // list had to scroll back to keep its end in view.
    const int top = topRow();
    updateGeometries();
    const int from = topRow() == top ? std::max(0, position - top) * m_lineHeight : 0;
    if (from < viewport()->height())
        viewport()->update(QRect(0, from, viewport()->width(), viewport()->height() - from));
}

void KeyedList::updateGeometries()
{
    // Scrolled to its end, the last line is wholly in view at the bottom.
    QScrollBar* bar = verticalScrollBar();
    bar->setSingleStep(1);
    bar->setPageStep(rowsInView());
    bar->setRange(0, std::max(0, count() - rowsInView()));
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void KeyedList::scrollContentsBy(int, int dy)
{
    // What stays in view is moved rather than painted again.
    viewport()->scroll(0, dy * m_lineHeight);
}

void KeyedList::reset()
{
    m_hover = QPersistentModelIndex();
    QAbstractItemView::reset();
    relayout();
}

void KeyedList::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    relayoutFrom(start);
}

QRect KeyedList::visualRect(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    return {0, (index.row() - topRow()) * m_lineHeight, viewport()->width(), m_lineHeight};
}

int KeyedList::verticalOffset() const
{
    return topRow() * m_lineHeight;
}

QModelIndex KeyedList::indexAt(const QPoint& point) const
{
    return m_lines->index(rowAtY(point.y()));
}

void KeyedList::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int row = index.row(), top = topRow(), fit = rowsInView();
    QScrollBar* bar = verticalScrollBar();
    switch (hint) {
    case EnsureVisible:
        if (row < top)
            bar->setValue(row);
        else if (row >= top + fit)
            bar->setValue(row - fit + 1);
        break;
    case PositionAtTop:
        bar->setValue(row);
        break;
    case PositionAtBottom:
        bar->setValue(row - fit + 1);
        break;
    case PositionAtCenter:
        bar->setValue(row - fit / 2);
        break;
    }
}

void KeyedList::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect area = rect.normalized();
    int first = rowAtY(area.top()), last = rowAtY(area.bottom());
    if (first < 0 && last < 0)
        return;
    first = first < 0 ? 0 : first;
    last = last < 0 ? count() - 1 : last;
    selectionModel()->select(QItemSelection(m_lines->index(first), m_lines->index(last)), command);
}

QRegion KeyedList::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const int top = topRow(), bottom = top + rowsInView() + 1;
    for (const QItemSelectionRange& range : selection) {
        const int first = std::max(range.top(), top), last = std::min(range.bottom(), bottom);
        if (first <= last)
            region += QRect(0, (first - top) * m_lineHeight, viewport()->width(), (last - first + 1) * m_lineHeight);
    }
    return region;
}

void KeyedList::paintEvent(QPaintEvent* event)
{
    // Each line as a one-column table without a grid draws it.
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    base.showDecorationSelected = true;
    QPainter painter(viewport());
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const int top = topRow(), width = viewport()->width();
    const int first = top + std::max(0, event->rect().top() / m_lineHeight);
    const int last = std::min(count() - 1, top + event->rect().bottom() / m_lineHeight);
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = m_lines->index(row);
        QStyleOptionViewItem option = base;
        option.rect = QRect(0, (row - top) * m_lineHeight, width, m_lineHeight);
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == m_hover)
            option.state |= QStyle::State_MouseOver;
        if (option.state & QStyle::State_Enabled)
            option.palette.setCurrentColorGroup(QPalette::Normal);
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

bool KeyedList::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove: {
        const QModelIndex under = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint());
        if (under != m_hover) {
            viewport()->update(visualRect(m_hover));
            m_hover = under;
            viewport()->update(visualRect(m_hover));
        }
        break;
    }
    case QEvent::HoverLeave:
        viewport()->update(visualRect(m_hover));
        m_hover = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QAbstractItemView::viewportEvent(event);
}

QModelIndex KeyedList::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int last = count() - 1;
    if (last < 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return m_lines->index(0);
    const int row = current.row();
    const auto at = [&](int wanted) { return m_lines->index(std::clamp(wanted, 0, last)); };
    switch (action) {
    case MoveUp:
    case MovePrevious:
        return at(row - 1);
    case MoveDown:
    case MoveNext:
        return at(row + 1);
    case MovePageUp: {
        const int above = rowAtY(visualRect(current).bottom() - viewport()->height());
        return at(above < 0 ? 0 : above);
    }
    case MovePageDown: {
        const int below = rowAtY(visualRect(current).top() + viewport()->height());
        return at(below < 0 ? last : below);
    }
    case MoveHome:
        return at(0);
    case MoveEnd:
        return at(last);
    case MoveLeft:
    case MoveRight:
        return current;
    }
    return current;
}

void KeyedList::fill(const store::PeopleTable& table)
{
    m_lines->fill(table);
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
    choose(count() - 1);
}

void KeyedList::choose(int position)
{
    setCurrentRow(position);
    scrollTo(m_lines->index(position));
}

bool KeyedList::chooseNextContaining(const QString& text, bool foldPending)
{
    const store::PeopleTable* table = m_lines->table();
    if (!table)
        return false;
    // Lines changed by another program since the list was read: the list
    // shows them too, so that what is found is what is shown.
    if (table->changeCount() != m_lines->changes())
        fill(*table);
    const auto found = store::nextLineContaining(*table, text, keyAt(selectedPosition()), foldPending);
    return found && chooseKey(*found);
}

bool KeyedList::chooseKey(store::RowKey key)
{
    const std::optional<qsizetype> position = m_lines->positionOf(key);
    if (!position)
        return false;
    choose(int(*position));
    return true;
}

std::optional<qint64> KeyedList::changes() const
{
    return m_lines->changes();
}

void KeyedList::holdKeyReading(bool hold)
{
    m_lines->holdKeyReading(hold);
}

int KeyedList::count() const
{
    return m_lines->rowCount();
}

QString KeyedList::lineText(int position) const
{
    if (position < 0 || position >= count())
        return {};
    return m_lines->textAt(position);
}

std::optional<store::RowKey> KeyedList::keyAt(int position) const
{
    if (position < 0 || position >= count())
        return std::nullopt;
    return m_lines->keyAt(position);
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
    const auto flags = QAbstractItemView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

} // namespace people
