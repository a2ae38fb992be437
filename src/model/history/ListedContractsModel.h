#pragma once

#include "model/history/ContractHistoryStore.h"

#include <QAbstractTableModel>
#include <QList>

namespace history {

// Every cell of a line carries the line's contract ID and its Run as stored
// under these roles, so the line chosen can be checked against the row.
constexpr int kIdRole = Qt::UserRole;
constexpr int kStoredRunRole = Qt::UserRole + 1;

// A customer's listed contracts as the previous-contracts grid shows them:
// one row per contract, the columns of kListedColumns with their headings.
// An empty stored value leaves its cell empty.
class ListedContractsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows these contracts in place of the ones shown before.
    void setContracts(QList<ListedContract> contracts);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ListedContract> m_contracts;
};

} // namespace history
