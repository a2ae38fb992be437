#include "model/history/ListedContractsModel.h"

namespace history {

void ListedContractsModel::setContracts(QList<ListedContract> contracts)
{
    beginResetModel();
    m_contracts = std::move(contracts);
    endResetModel();
}

int ListedContractsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_contracts.size());
}

int ListedContractsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kListedColumns.size());
}

QVariant ListedContractsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_contracts.size() || index.column() >= columnCount())
        return {};
    const ListedContract& contract = m_contracts[index.row()];
    if (role == kIdRole)
        return contract.id;
    if (role == kStoredRunRole)
        return contract.run;
    const QString text = contract.cells.value(index.column());
    if (text.isEmpty())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text;
    if (role == Qt::TextAlignmentRole && kListedColumns[index.column()].alignment)
        return int(kListedColumns[index.column()].alignment);
    return {};
}

QVariant ListedContractsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ListedColumn& column = kListedColumns[section];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(column.heading.data(), qsizetype(column.heading.size()));
    if (role == Qt::TextAlignmentRole && column.alignment)
        return int(column.alignment);
    return {};
}

} // namespace history
