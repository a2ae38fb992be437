#pragma once

#include "store/PeopleTable.h"

#include <QTableView>

#include <memory>
#include <optional>

namespace people {

class LineSearch;
class ListLinesModel;

// The agent and customer lists: one choice at a time, which the user can move
// but not take away, and every line remembering the hidden key of its row.
// The lines live in a compact model, so a million of them cost a few dozen
// megabytes and the view only ever looks at the ones it paints. It is a
// one-column table dressed as a list: a list view lays out every line again
// after each added, changed or removed one (20 ms at a million lines), while a
// table of rows of one height places a line by arithmetic.
class KeyedList : public QTableView {
    Q_OBJECT
public:
    explicit KeyedList(QWidget* parent = nullptr);
    ~KeyedList() override;

    // Replaces every line and selects the last one.
    void fill(store::ListRead read);
    // Follows the program's own write line by line and selects the last line;
    // false, with nothing changed, when the lines must be read again.
    bool follow(const store::RowChange& change);
    // Selects the last line and scrolls it into view, as every fill leaves the list.
    void selectLast();
    // The table's change count the lines reflect, if the store keeps one.
    std::optional<qint64> changes() const;

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
    // with the choice unchanged, when no line does.
    bool chooseNextContaining(const QString& text);
    // Readies the lines for searching, so that the first search answers at once.
    void prepareSearch();
    // Chooses the line of the row with this key and scrolls it into view; false when no line has it.
    bool chooseKey(store::RowKey key);

protected:
    // Home and End go to the first and last line, as in a list.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    // Every line one text line high, as the list's item delegate draws it.
    void fitLineHeight();
    // A table scrolled to its end lines its last row up with the bottom and
    // cuts the top one; a list keeps the top line whole.
    void keepTopLineWhole();

    // Chooses the line and scrolls it into view.
    void choose(int position);

    ListLinesModel* m_lines;
    // The lines folded for searching; made at the first search after a change.
    std::unique_ptr<LineSearch> m_search;
};

} // namespace people
