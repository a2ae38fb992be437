#include "people/KeyedList.h"

#include "people/LineSearch.h"
#include "people/ListLinesModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionViewItem>

namespace people {

KeyedList::KeyedList(QWidget* parent) : QTableView(parent), m_lines(new ListLinesModel(this))
{
    setModel(m_lines);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Dressed as a list: no headers, no grid, one line of text a row, the
    // line as wide as the box, Tab going on to the next control.
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Scrolled a whole line at a time, so the top line is never cut.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    fitLineHeight();
    const auto forgetSearch = [this] { m_search.reset(); };
    connect(m_lines, &QAbstractItemModel::modelReset, this, forgetSearch);
    connect(m_lines, &QAbstractItemModel::rowsInserted, this, forgetSearch);
    connect(m_lines, &QAbstractItemModel::rowsRemoved, this, forgetSearch);
    connect(m_lines, &QAbstractItemModel::dataChanged, this, forgetSearch);
    connect(m_lines, &QAbstractItemModel::layoutChanged, this, forgetSearch);
}

KeyedList::~KeyedList() = default;

void KeyedList::fitLineHeight()
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Xg");
    const int height = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
}

void KeyedList::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitLineHeight();
}

void KeyedList::updateGeometries()
{
    QTableView::updateGeometries();
    keepTopLineWhole();
}

void KeyedList::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    keepTopLineWhole();
}

void KeyedList::keepTopLineWhole()
{
    QHeaderView* rows = verticalHeader();
    const int top = verticalScrollBar()->value();
    if (top < 0 || top >= rows->count() || rows->offset() == rows->sectionPosition(top))
        return;
    rows->setOffsetToSectionPosition(top);
    viewport()->update();
}

QModelIndex KeyedList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
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
    choose(count() - 1);
}

void KeyedList::choose(int position)
{
    setCurrentRow(position);
    scrollTo(m_lines->index(position));
}

void KeyedList::prepareSearch()
{
    if (!m_search)
        m_search = std::make_unique<LineSearch>(m_lines->lines());
}

bool KeyedList::chooseNextContaining(const QString& text)
{
    prepareSearch();
    const std::optional<qsizetype> found = m_search->findNext(text, selectedPosition());
    if (!found)
        return false;
    choose(int(*found));
    return true;
}

bool KeyedList::chooseKey(store::RowKey key)
{
    const std::optional<qsizetype> position = m_lines->lines().positionOf(key);
    if (!position)
        return false;
    choose(int(*position));
    return true;
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
    const auto flags = QTableView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    return flags;
}

} // namespace people
