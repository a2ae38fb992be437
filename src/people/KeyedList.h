#pragma once

#include "store/PeopleTable.h"

#include <QListWidget>

#include <optional>

namespace people {

// The agent and customer lists: one choice at a time, which the user can move
// but not take away, and every line remembering the hidden key of its row.
class KeyedList : public QListWidget {
    Q_OBJECT
public:
    explicit KeyedList(QWidget* parent = nullptr);

    // Replaces every line and selects the last one.
    void fill(const QList<store::ListLine>& lines);
    // The key of the row shown at position, if there is such a line.
    std::optional<store::RowKey> keyAt(int position) const;
    // Position of the selected line, -1 when none.
    int selectedPosition() const;
    // Text of the selected line, empty when none.
    QString selectedText() const;

private:
    // The lines as the last fill wrote them; the user cannot change them.
    QList<store::ListLine> m_shown;

protected:
    void setKey(QListWidgetItem* line, store::RowKey key);
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

// The role under which each line keeps its row's key.
constexpr int kRowKeyRole = Qt::UserRole;

} // namespace people
