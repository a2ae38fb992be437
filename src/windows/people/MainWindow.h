#pragma once

#include "model/store/PeopleTable.h"

#include <QWidget>

#include <optional>

struct Session;
class QRadioButton;

namespace people {
class KeyedList;
}

// The main window's two lists, as Find names them.
enum class PeopleList { Agents, Customers };

// frmAgent, the program's first window: the agent and customer lists, the loan
// classification, and the way on to a new contract or a customer's previous ones.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Session& session, QWidget* parent = nullptr);

    // The end of the program's start-up, once the database file is known: the
    // title and both lists. False when the program must end.
    bool startUp();
    // Once writes may go: the customers stored without a DBA that the start
    // left as they were (it writes nothing before the file's verdict) are
    // given their names, and the list shows them.
    void writesAllowed();
    // While held, neither list reads its keys while idle.
    void holdIdleReading(bool hold);
    // The classification chosen here, which the loan-terms window preselects.
    bool commercialChosen() const;
    void setCommercialChosen(bool commercial);

    // Refill a list from its table and select its last line. Store failures end the program.
    void FillAgentList();
    void FillCustomerList();
    // The same after the program's own write to the table, which the list may
    // follow by changing only that line.
    void refillAgentsAfter(const store::RowChange& write);
    void refillCustomersAfter(const store::RowChange& write);
    // Copies the chosen Agent and Customer rows into CurAgent and CurCust.
    // False when the store failed; the user was told and nothing changed.
    bool GetData();

    // The hidden key of the row shown at a list position; without a line there,
    // the table's first row (a position of -1 has always meant the first row).
    std::optional<store::RowKey> agentKeyAt(int position) const;
    std::optional<store::RowKey> customerKeyAt(int position) const;

    // Find Next of Find Customer or Find Agent: chooses the next line of the
    // list containing the text, ignoring case and accents, going round; says
    // so over messageOwner when none does.
    void findNext(PeopleList list, const QString& text, QWidget* messageOwner);
    // The list Ctrl+F and F3 search: the agents' while it has the focus.
    PeopleList searchedList() const;

signals:
    // New and Edit of either list; Edit names the chosen line's position.
    void newAgentRequested();
    void editAgentRequested(int position);
    void newCustomerRequested();
    void editCustomerRequested(int position);
    // Next >> with an agent and a customer chosen and copied into the session.
    void nextRequested();
    // Previous Contracts with a customer chosen (SelectedName).
    void previousContractsRequested();
    // F1.
    void aboutRequested();
    // Ctrl+F, and F3 before anything was looked for, in the agent list while
    // it has the focus, otherwise in the customer list.
    void findRequested(PeopleList list);
    // F3: the next line with the text looked for last in that list.
    void findAgainRequested(PeopleList list);
    // Ctrl+Shift+F: contracts of any customer; Ctrl+R: the report of agents' business.
    void findContractRequested();
    void reportRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();

    void newAgent();
    void editAgent();
    void deleteAgent();
    void newCustomer();
    void editCustomer();
    // Edit of either list: asks for the dialog on the chosen line while the line still shows its row.
    void editChosen(people::KeyedList& list, store::PeopleTable (*table)(const store::Place& place),
                    void (MainWindow::*requested)(int position));
    void deleteCustomer();
    // Deletes the row of the list's chosen line, after telling the user when
    // the table is empty. Nothing when the store failed (the user was told).
    std::optional<store::RowChange> deleteChosen(people::KeyedList& list,
                                                 store::PeopleTable (*table)(const store::Place& place),
                                                 const QString& noneChosen, const QString& title);
    // Ctrl+Z: the last deleted agent or customer back under its key, chosen in its
    // list; with none left to put back, the user is told so.
    void undoDelete();
    void next();
    void previousContracts();
    void exitProgram();
    // Whether the chosen line still shows its row as the table holds it. A
    // line that no longer does (its row gone, or the file replaced by another
    // with the same keys) reads the whole list again, whatever its change
    // count says, so that nothing is done for a row the user did not choose.
    bool stillShown(people::KeyedList& list, int position, const store::PeopleTable& table);
    void refillAgents(const store::RowChange* write);
    void refillCustomers(const store::RowChange* write);

    // The last agent or customer deleted in this run, as it was stored.
    struct DeletedRow {
        people::KeyedList* list;
        store::PeopleTable (*table)(const store::Place& place);
        store::RowKey key;
        QStringList values;
    };

    Session& m_session;
    std::optional<DeletedRow> m_deleted;
    // The customer list's change count when it was last read with no row
    // missing its DBA.
    std::optional<qint64> m_noneMissingDba;
    bool m_dbaRepairWaits = false;
    people::KeyedList* m_agents = nullptr;
    people::KeyedList* m_customers = nullptr;
    QRadioButton* m_commercial = nullptr;
    QRadioButton* m_personal = nullptr;
};
