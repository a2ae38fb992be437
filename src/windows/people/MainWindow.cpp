#include "windows/people/MainWindow.h"

#include "model/session/Session.h"
#include "model/store/AgentTable.h"
#include "model/store/CustomerTable.h"
#include "windows/people/KeyedList.h"
#include "windows/people/ListRefill.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/StoreGuard.h"

#include <QCloseEvent>
#include <QRadioButton>
#include <QShortcut>

#include <utility>

namespace {

std::optional<store::RowKey> keyOrFirst(const people::KeyedList* list, int position,
                                        const store::PeopleTable& table)
{
    if (const auto key = list->keyAt(position))
        return key;
    return table.firstKey();
}

} // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmAgent"));
    buildControls();
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &MainWindow::aboutRequested);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
            [this] { emit findRequested(searchedList()); });
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
            [this] { emit findAgainRequested(searchedList()); });
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &MainWindow::undoDelete);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this), &QShortcut::activated, this,
            &MainWindow::findContractRequested);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this), &QShortcut::activated, this,
            &MainWindow::reportRequested);
}

bool MainWindow::startUp()
{
    setWindowTitle(QStringLiteral("TLY Finance ") + m_session.Version);
    // Failures here, unlike during work, end the program.
    return runOrEndProgram(m_session, this, [&] {
        people::refill(*m_agents, store::agentTable(m_session.database()));
        // Naming a customer stored without a DBA is a write: it waits for the file's verdict.
        m_dbaRepairWaits = !m_session.writesFreeNow();
        if (!m_dbaRepairWaits)
            store::giveMissingDbaTheName(m_session.database());
        people::refill(*m_customers, store::customerTable(m_session.database()));
    });
}

void MainWindow::writesAllowed()
{
    if (std::exchange(m_dbaRepairWaits, false))
        refillCustomers(nullptr);
}

void MainWindow::holdIdleReading(bool hold)
{
    m_agents->holdKeyReading(hold);
    m_customers->holdKeyReading(hold);
}

bool MainWindow::commercialChosen() const
{
    return m_commercial->isChecked();
}

void MainWindow::setCommercialChosen(bool commercial)
{
    (commercial ? m_commercial : m_personal)->setChecked(true);
}

void MainWindow::FillAgentList()
{
    refillAgents(nullptr);
}

void MainWindow::FillCustomerList()
{
    refillCustomers(nullptr);
}

void MainWindow::refillAgentsAfter(const store::RowChange& write)
{
    refillAgents(&write);
}

void MainWindow::refillCustomersAfter(const store::RowChange& write)
{
    refillCustomers(&write);
}

void MainWindow::refillAgents(const store::RowChange* write)
{
    readOrReport(m_session, this,
                [&] { people::refill(*m_agents, store::agentTable(m_session.database()), write); });
}

void MainWindow::refillCustomers(const store::RowChange* write)
{
    readOrReport(m_session, this, [&] {
        // The program's own write, the only change since the list was read
        // with no row missing its DBA, that leaves a DBA on its row (a delete
        // leaves none missing) is followed without asking the store again.
        if (write && (write->kind == store::RowChange::Kind::Removed || !write->line.isEmpty()) &&
            m_noneMissingDba && m_customers->changes() == m_noneMissingDba && m_customers->follow(*write)) {
            m_noneMissingDba = m_customers->changes();
            return;
        }
        // Repaired rows are a change the list cannot follow line by line.
        if (store::giveMissingDbaTheName(m_session.database()))
            write = nullptr;
        people::refill(*m_customers, store::customerTable(m_session.database()), write);
        m_noneMissingDba = m_customers->changes();
    });
}

bool MainWindow::stillShown(people::KeyedList& list, int position, const store::PeopleTable& table)
{
    const auto key = list.keyAt(position);
    if (!key || table.line(*key) == list.lineText(position))
        return true;
    list.fill(table);
    return false;
}

bool MainWindow::GetData()
{
    // Both rows are read before either is taken, so a failure leaves the
    // current agent and customer as they were.
    AgentRecord agent;
    CustomerRecord customer;
    bool agentGone = false, customerGone = false;
    const bool read = readOrReport(m_session, this, [&] {
        const store::PeopleTable agents = store::agentTable(m_session.database());
        const store::PeopleTable customers = store::customerTable(m_session.database());
        // Each row is read with its line in one statement: a line that no
        // longer shows its row (another program changed or deleted it) has
        // its list read again before the user chooses again.
        const auto chosenRow = [](people::KeyedList& list, int position, const store::PeopleTable& table,
                                  bool& gone) -> std::optional<QStringList> {
            const auto key = list.keyAt(position);
            if (!key) {
                const auto first = table.firstKey();
                return first ? table.row(*first) : std::nullopt;
            }
            const auto read = table.lineAndRow(*key);
            if (read && read->first == list.lineText(position))
                return read->second;
            list.fill(table);
            gone = true;
            return std::nullopt;
        };
        const auto agentValues = chosenRow(*m_agents, m_session.AgentIndex, agents, agentGone);
        const auto customerValues = chosenRow(*m_customers, m_session.CustIndex, customers, customerGone);
        if (agentValues)
            agent = store::recordOf<AgentRecord>(*agentValues);
        if (customerValues)
            customer = store::recordOf<CustomerRecord>(*customerValues);
    });
    if (!read)
        return false;
    // A chosen line whose row another program deleted: the lists show the
    // table again and the user chooses anew.
    if (agentGone)
        FillAgentList();
    if (customerGone)
        FillCustomerList();
    if (agentGone || customerGone)
        return false;
    m_session.CurAgent = agent;
    m_session.CurCust = customer;
    return true;
}

std::optional<store::RowKey> MainWindow::agentKeyAt(int position) const
{
    return keyOrFirst(m_agents, position, store::agentTable(m_session.database()));
}

std::optional<store::RowKey> MainWindow::customerKeyAt(int position) const
{
    return keyOrFirst(m_customers, position, store::customerTable(m_session.database()));
}

void MainWindow::newAgent()
{
    emit newAgentRequested();
}

void MainWindow::editAgent()
{
    editChosen(*m_agents, &store::agentTable, &MainWindow::editAgentRequested);
}

void MainWindow::editChosen(people::KeyedList& list, store::PeopleTable (*table)(const store::Place& place),
                            void (MainWindow::*requested)(int position))
{
    // The previous-contracts list has always followed the last line edited too.
    m_session.SelectedName = list.selectedText();
    const int position = list.selectedPosition();
    bool shown = false;
    readOrReport(m_session, this,
                [&] { shown = stillShown(list, position, table(m_session.database())); });
    if (shown)
        emit(this->*requested)(position);
}

void MainWindow::deleteAgent()
{
    if (const auto removed = deleteChosen(*m_agents, &store::agentTable,
                                          QStringLiteral("You must select an Agent to delete."),
                                          QStringLiteral("Delete Agent")))
        refillAgentsAfter(*removed);
}

std::optional<store::RowChange> MainWindow::deleteChosen(people::KeyedList& list,
                                                         store::PeopleTable (*table)(const store::Place& place),
                                                         const QString& noneChosen, const QString& title)
{
    const int position = list.selectedPosition();
    std::optional<store::RowChange> removed;
    writeOrReport(m_session, this, ui::kNothingDeleted, [&] {
        const store::PeopleTable rows = table(m_session.database());
        const auto chosen = list.keyAt(position);
        const auto key = chosen ? chosen : rows.firstKey();
        if (!key) {
            m_session.services.messages->show(this, noneChosen, ui::MessageIcon::Information, title);
            return;
        }
        // A chosen line that no longer shows its row deletes nothing; the
        // whole list is read again, as stillShown does.
        removed = rows.remove(*key, chosen ? std::optional(list.lineText(position)) : std::nullopt);
        if (removed->kind != store::RowChange::Kind::Removed) {
            removed.reset();
            list.fill(rows);
            return;
        }
        // The row as it was, so that Ctrl+Z can put it back.
        m_deleted = DeletedRow{&list == m_agents ? m_agents : m_customers, table, *key, removed->values};
    });
    return removed;
}

void MainWindow::undoDelete()
{
    if (!m_deleted) {
        m_session.services.messages->show(this, ui::kNothingToPutBack, ui::MessageIcon::Information, ui::kProgramTitle);
        return;
    }
    const DeletedRow deleted = *m_deleted;
    const bool agent = deleted.list == m_agents;
    std::optional<store::RowChange> restored;
    if (!writeOrReport(m_session, this, ui::kNothingPutBack,
                     [&] { restored = deleted.table(m_session.database()).restore(deleted.key, deleted.values); }))
        return;
    if (!restored) {
        const QString kind = agent ? QStringLiteral("agent") : QStringLiteral("customer");
        m_session.services.messages->show(
            this, QStringLiteral("The deleted %1 cannot be put back: another %1 has taken its place.").arg(kind),
            ui::MessageIcon::Warning, agent ? QStringLiteral("Undo Delete Agent") : QStringLiteral("Undo Delete Customer"));
        return;
    }
    m_deleted.reset();
    if (agent)
        refillAgentsAfter(*restored);
    else
        refillCustomersAfter(*restored);
    deleted.list->chooseKey(deleted.key);
}

PeopleList MainWindow::searchedList() const
{
    return m_agents->hasFocus() ? PeopleList::Agents : PeopleList::Customers;
}

void MainWindow::findNext(PeopleList list, const QString& text, QWidget* messageOwner)
{
    if (text.isEmpty())
        return;
    const bool agents = list == PeopleList::Agents;
    people::KeyedList* lines = agents ? m_agents : m_customers;
    bool found = false;
    if (!readOrReport(m_session, messageOwner, [&] { found = lines->chooseNextContaining(text, m_session.writesFreeNow()); }) ||
        found)
        return;
    m_session.services.messages->show(
        messageOwner, QStringLiteral("\"%1\" was not found in the %2 list.").arg(text, agents ? QStringLiteral("agent") : QStringLiteral("customer")),
        ui::MessageIcon::Information, agents ? QStringLiteral("Find Agent") : QStringLiteral("Find Customer"));
}

void MainWindow::newCustomer()
{
    emit newCustomerRequested();
}

void MainWindow::editCustomer()
{
    editChosen(*m_customers, &store::customerTable, &MainWindow::editCustomerRequested);
}

void MainWindow::deleteCustomer()
{
    if (const auto removed = deleteChosen(*m_customers, &store::customerTable,
                                          QStringLiteral("You must select a Customer to delete."),
                                          QStringLiteral("Delete Customer")))
        refillCustomersAfter(*removed);
}

void MainWindow::next()
{
    m_session.AgentIndex = m_agents->selectedPosition();
    m_session.CustIndex = m_customers->selectedPosition();
    if (m_agents->selectedText().isEmpty() || m_customers->selectedText().isEmpty()) {
        m_session.services.messages->show(this,
                                          QStringLiteral("You must select an Agent and a Customer to continue."),
                                          ui::MessageIcon::Critical, ui::kProgramTitle);
        return;
    }
    if (!GetData())
        return;
    emit nextRequested();
}

void MainWindow::previousContracts()
{
    m_session.SelectedName = m_customers->selectedText();
    if (m_session.SelectedName.isEmpty()) {
        m_session.services.messages->show(
            this, QStringLiteral("You must select a Customer to view previous contracts for."),
            ui::MessageIcon::Information, ui::kProgramTitle);
        return;
    }
    emit previousContractsRequested();
}

void MainWindow::exitProgram()
{
    m_session.endProgram();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_session.ended)
        m_session.endProgram();
}
