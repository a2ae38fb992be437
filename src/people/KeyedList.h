#pragma once

#include "store/PeopleTable.h"

#include <QListView>

#include <optional>

namespace people {

class ListLinesModel;

// The agent and customer lists: one choice at a time, which the user can move
// but not take away, and every line remembering the hidden key of its row.
// The lines live in a compact model, so a million of them cost a few dozen
// megabytes and the view only ever looks at the ones it paints.
class KeyedList : public QListView {
    Q_OBJECT
public:
    explicit KeyedList(QWidget* parent = nullptr);

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

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    ListLinesModel* m_lines;
};

} // namespace people
