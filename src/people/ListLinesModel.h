#pragma once

#include "store/PeopleTable.h"

#include <QAbstractListModel>

namespace people {

// The lines of the agent or customer list as the view sees them. The view asks
// only for the lines it paints; a refill tells it once, and a change the
// program made itself moves, adds or rewrites only its own line.
class ListLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    // The view asks for an index of every line each time it lays them out;
    // answering straight away, without the general checks, keeps that cheap.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Replaces every line with what was read.
    void fill(store::ListRead read);
    // Follows the program's own write when it was the only change since the
    // lines were read; false, with nothing changed, when they must be read again.
    bool follow(const store::RowChange& change);

    const store::ListLines& lines() const { return m_lines; }
    // The table's change count the lines reflect, if the store keeps one.
    std::optional<qint64> changes() const { return m_changes; }

private:
    store::ListLines m_lines;
    std::optional<qint64> m_changes;
};

} // namespace people
