#pragma once

#include "model/history/ContractHistoryStore.h"
#include "model/print/NoteValues.h"
#include "model/store/WriteToken.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QTableView;

namespace history {
class ListedContractsModel;
}

struct Session;

// "Previous Contracts": the saved contracts of the customer named by
// SelectedName, with Edit, Copy, Delete and Done. The grid's header is row 0,
// so ContractRow and every row number here count data rows from 1.
class PreviousContractsWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviousContractsWindow(Session& session, QWidget* parent = nullptr);

    // From the main window: modal, the main window waits until it hides.
    void showModalFromMain();
    // From the policy schedule's "<< Previous": not modal.
    // False when the list could not be read; the user was told and nothing is shown.
    bool showFromSchedule();
    // Reads the customer's contracts afresh into the grid.
    // False when the store failed: the user was told and the grid is unchanged.
    bool FillGrid();
    // Enables or disables Copy, Delete and Edit; Done stays enabled.
    void EnableButtons(bool enable);

    // The number of data rows (the grid's Rows less its header row).
    int dataRows() const;
    // The data row shown as chosen (from 1); 0 when none.
    int chosenRow() const;

signals:
    // Edit of a stored contract: the parties are the current ones now, and the
    // schedule is to show these texts.
    void reopenRequested(const print::ScheduleValues& schedule, std::optional<bool> commercial);
    // The window is about to show.
    void shown();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void InitGrid();
    void selectDataRow(int row);
    // A click beside the rows, or a Ctrl+click on the chosen one, leaves it chosen.
    void keepARowChosen();
    std::optional<history::ChosenContract> chosenContract() const;
    // The chosen line is no longer what is stored: the list is read again, nothing else is done.
    void listChangedUnderLine();

    void gridClicked();
    void gridDoubleClicked();
    void editChosen();
    void copyChosen();
    void deleteChosen();
    // Ctrl+Z: the contract deleted last back under its ID, chosen in the list.
    void undoDelete();
    // Ctrl+O and the grid's context menu: the chosen contract's kept note, in the desktop's viewer.
    // Ctrl+P, Ctrl+Shift+P and the same menu: the chosen contract's note drawn again from what is stored.
    void addNoteActions();
    void showNote();
    void printAgain(bool preview);

    Session& m_session;

    QLabel* m_lblHeader = nullptr;
    QLabel* m_lblFor = nullptr;
    QLabel* m_label2 = nullptr;
    QTableView* m_fgRecords = nullptr;
    history::ListedContractsModel* m_listed = nullptr;
    QPushButton* m_cmdEdit = nullptr;
    QPushButton* m_cmdCopy = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdDone = nullptr;
    store::PendingWrite m_pendingCopy;
    // The DBA the list was last read for, which every line shows.
    QString m_listedDba;
    std::optional<history::StoredContract> m_deleted;
};
