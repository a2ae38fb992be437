#pragma once

#include "contract/ContractWindows.h"
#include "history/ContractHistoryStore.h"
#include "store/RowStatement.h"
#include "support/FakePrinterDialogService.h"

#include <QTableWidget>

// Columns of one Policies row; a column left out, or a null value, stays NULL.
using Columns = QHash<QString, QVariant>;

// A contract as saving leaves it, tagged n so rows tell apart.
inline Columns savedContract(const QString& dba, int n)
{
    const QString tag = QString::number(n);
    return {{"DBA", dba}, {"Customer", "Customer " + tag}, {"Agent", "Agent " + tag}, {"Company", "Company " + tag},
            {"Run", "2026-12-06T20:53:52"}, {"Financed", "120"}, {"FinCharge", "70.00"}, {"Payments", "1077.50"},
            {"APR", "10.50"}, {"InstallmentNum", "8"}, {"InstallmentAmt", "133.81"}, {"LoanAuthorization", "LA-" + tag},
            {"PolicyNo1", "P-" + tag}, {"Premium1", "1000"}, {"Tax", "12.5"}, {"Description", "Fee"}};
}

// The contract windows over a fresh database, a printer that always prints, and
// the previous-contracts list driven as a user drives it. Rows count from 1, as
// ContractRow does.
struct HistoryRig : ContractWindows {
    qint64 insert(const Columns& columns)
    {
        store::Connection connection(session.database());
        const store::BoundStatement insert{QString("INSERT INTO Policies (%1) VALUES (%2)")
                                               .arg(columns.keys().join(", "),
                                                    QStringList(columns.size(), "?").join(", ")),
                                           columns.values()};
        return store::insertRow(connection, insert, "ID");
    }

    void open(const QString& dba)
    {
        session.SelectedName = dba;
        schedule->hide();
        previous->showFromSchedule();
    }
    QTableWidget* grid() const { return in<QTableWidget>(previous, "fgRecords"); }
    QStringList cells(int row) const
    {
        QStringList texts;
        for (int column = 0; column < history::kGridColumns; ++column)
            texts << grid()->model()->index(row - 1, column).data().toString();
        return texts;
    }
    QList<qint64> listedIds() const
    {
        QList<qint64> ids;
        for (int row = 1; row <= grid()->rowCount(); ++row)
            ids << cells(row)[history::kIdColumn].toLongLong();
        return ids;
    }
    int selected() const
    {
        const QModelIndexList rows = grid()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() + 1 : 0;
    }
    QPushButton* button(const char* name) const { return in<QPushButton>(previous, name); }
    // Whether Edit, Copy and Delete are enabled, in that order.
    QList<bool> enabled() const
    {
        return {button("cmdEdit")->isEnabled(), button("cmdCopy")->isEnabled(), button("cmdDelete")->isEnabled()};
    }
    QPoint centreOf(int row) const { return grid()->visualRect(grid()->model()->index(row - 1, 0)).center(); }
    void choose(int row) { QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centreOf(row)); }
    void press(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
};
