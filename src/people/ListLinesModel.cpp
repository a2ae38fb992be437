#include "people/ListLinesModel.h"

namespace people {

int ListLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QModelIndex ListLinesModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || row >= m_lines.size() || column != 0 || parent.isValid())
        return {};
    return createIndex(row, column);
}

QVariant ListLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_lines.text(index.row());
    return {};
}

void ListLinesModel::fill(store::ListRead read)
{
    beginResetModel();
    m_lines = std::move(read.lines);
    m_changes = read.changes;
    endResetModel();
}

bool ListLinesModel::follow(const store::RowChange& change)
{
    using Kind = store::RowChange::Kind;
    // Only a write that was the one change since the lines were read can be
    // followed; anything else, by this program or another, means reading again.
    if (change.kind == Kind::None || !m_changes || !change.changesAfter || *change.changesAfter != *m_changes + 1)
        return false;
    const std::string_view line(change.line.constData(), size_t(change.line.size()));
    switch (change.kind) {
    case Kind::Added: {
        // Keys are handed out rising, so a new row is the last line.
        if (!m_lines.isEmpty() && m_lines.key(m_lines.size() - 1) >= change.key)
            return false;
        const int row = int(m_lines.size());
        beginInsertRows({}, row, row);
        m_lines.append(change.key, line);
        endInsertRows();
        break;
    }
    case Kind::Changed: {
        const auto position = m_lines.positionOf(change.key);
        if (!position)
            return false;
        if (m_lines.utf8(*position) != line) {
            m_lines.replace(*position, line);
            const QModelIndex at = index(int(*position));
            emit dataChanged(at, at, {Qt::DisplayRole});
        }
        break;
    }
    case Kind::Removed: {
        const auto position = m_lines.positionOf(change.key);
        if (!position)
            return false;
        beginRemoveRows({}, int(*position), int(*position));
        m_lines.remove(*position);
        endRemoveRows();
        break;
    }
    case Kind::None:
        return false;
    }
    m_changes = change.changesAfter;
    return true;
}

} // namespace people
