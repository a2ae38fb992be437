#pragma once

#include "model/store/PeopleTable.h"

#include <QAbstractItemView>

#include <memory>
#include <optional>
#include <vector>

namespace people {

class ListLinesModel;

// The agent and customer lists: one choice at a time, which the user can move
// but not take away, and every line remembering the hidden key of its row.
// The lines are read as they are seen (ListLinesModel), and the view keeps
// nothing per line: every line is one text line high, so a line is placed by
// arithmetic. Qt's list view lays out every line again after each added or
// removed one, and its table view walks a header section per line, both in
// time and memory that grow with the list.
class KeyedList : public QAbstractItemView {
    Q_OBJECT
public:
    explicit KeyedList(QWidget* parent = nullptr);
    ~KeyedList() override;

    // Reads the table's lines again and selects the last one. StoreError when they cannot be read.
    void fill(const store::PeopleTable& table);
    // Follows the program's own write line by line and selects the last line;
    // false, with nothing changed, when the lines must be read again.
    bool follow(const store::RowChange& change);
    // Selects the last line and scrolls it into view, as every fill leaves the list.
    void selectLast();
    // The table's change count the lines reflect, if the store keeps one.
    std::optional<qint64> changes() const;
    // Holds the reading of keys while idle (ListLinesModel::holdKeyReading).
    void holdKeyReading(bool hold);

    int count() const;
    QString lineText(int position) const;
    // The key of the row shown at position, if there is such a line.
    std::optional<store::RowKey> keyAt(int position) const;
    // The line with the focus, -1 when none; choosing a line makes it current.
    int currentRow() const;
    void setCurrentRow(int position);
    bool isRowSelected(int position) const;
    // Position of the selected line, -1 when none.
    int selectedPosition() const;
    // Text of the selected line, empty when none.
    QString selectedText() const;

    // Chooses the first line after the chosen one whose text contains text,
    // ignoring letter case and accents, going round past the last line; false,
    // with the choice unchanged, when no line does. The search asks the
    // database's kept folded lines (store/FoldedLines.h); foldPending lets it
    // bring them up to date first (a write, so only once the file's check has
    // passed). StoreError when the store cannot be read.
    bool chooseNextContaining(const QString& text, bool foldPending);
    // Chooses the line of the row with this key and scrolls it into view; false when no line has it.
    bool chooseKey(store::RowKey key);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void reset() override;

protected:
    // Arrows, Page Up and Page Down as in a list; Home and End go to the first and last line.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    // Every line one text line high, as the list's item delegate draws it.
    void fitLineHeight();
    // The first line in view; the list scrolls a whole line at a time, so the top line is never cut.
    int topRow() const;
    // Lines wholly in view.
    int rowsInView() const;
    // The line at a height in the viewport, -1 above the first or below the last.
    int rowAtY(int y) const;
    void relayout();
    // After lines were added or removed at position: the scroll bar's range, and the lines that moved.
    void relayoutFrom(int position);

    // Chooses the line and scrolls it into view.
    void choose(int position);

    ListLinesModel* m_lines;
    int m_lineHeight = 1;
    // The line under the mouse, drawn as the style draws a hovered line.
    QPersistentModelIndex m_hover;
    // The lines folded for searching, and their keys; made at the first search after a change.
};

} // namespace people
