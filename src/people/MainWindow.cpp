#include "people/MainWindow.h"

#include "app/AboutText.h"
#include "app/AppWindows.h"
#include "app/DatabaseStartUp.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/StoreGuard.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/KeyedList.h"
#include "people/ListRefill.h"
#include "store/AgentTable.h"
#include "store/CustomerTable.h"
#include "ui/MessageBoxService.h"

#include <QCloseEvent>
#include <QRadioButton>
#include <QShortcut>

namespace {

std::optional<store::RowKey> keyOrFirst(const people::KeyedList* list, int position,
                                        const store::PeopleTable& table)
{
    if (const auto key = list->keyAt(position))
        return key;
    return table.firstKey();
}

} // namespace

MainWindow::MainWindow(Session& session, AppWindows& windows, QWidget* parent)
    : QWidget(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmAgent"));
    buildControls();
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &MainWindow::about);
}

bool MainWindow::startUp()
{
    ReadSettings(m_session);
    SetVersion(m_session);
    m_session.CurrentContract.AprKept = true;
    if (!prepareDatabase(m_session, this))
        return false;
    setWindowTitle(QStringLiteral("TLY Finance ") + m_session.Version);
    // Failures here, unlike during work, end the program.
    return runOrEndProgram(m_session, this, [&] {
        people::refill(*m_agents, store::agentTable(m_session.database()));
        store::giveMissingDbaTheName(m_session.database());
        people::refill(*m_customers, store::customerTable(m_session.database()));
    });
}

void MainWindow::about()
{
    m_session.services.messages->show(this, aboutText(m_session), ui::MessageIcon::Information,
                                      QStringLiteral("About QUILLON"));
}

bool MainWindow::commercialChosen() const
{
    return m_commercial->isChecked();
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
    runOrReport(m_session, this,
                    [&] { people::refill(*m_agents, store::agentTable(m_session.database()), write); });
}

void MainWindow::refillCustomers(const store::RowChange* write)
{
    runOrReport(m_session, this, [&] {
        // Repaired rows are a change the list cannot follow line by line.
        if (store::giveMissingDbaTheName(m_session.database()))
            write = nullptr;
        people::refill(*m_customers, store::customerTable(m_session.database()), write);
    });
}

bool MainWindow::GetData()
{
    // Both rows are read before either is taken, so a failure leaves the
    // current agent and customer as they were.
    AgentRecord agent;
    CustomerRecord customer;
    const bool read = runOrReport(m_session, this, [&] {
        const store::PeopleTable agents = store::agentTable(m_session.database());
        if (const auto key = keyOrFirst(m_agents, m_session.AgentIndex, agents))
            if (const auto values = agents.row(*key))
                agent = store::recordOf<AgentRecord>(*values);
        const store::PeopleTable customers = store::customerTable(m_session.database());
        if (const auto key = keyOrFirst(m_customers, m_session.CustIndex, customers))
            if (const auto values = customers.row(*key))
                customer = store::recordOf<CustomerRecord>(*values);
    });
    if (!read)
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
    m_session.EditMode = false;
    m_windows.frmAddAgent->showModal();
}

void MainWindow::editAgent()
{
    m_session.EditMode = true;
    m_session.AgentIndex = m_agents->selectedPosition();
    m_session.SelectedName = m_agents->selectedText();
    m_windows.frmAddAgent->showModal();
}

void MainWindow::deleteAgent()
{
    m_session.AgentIndex = m_agents->selectedPosition();
    std::optional<store::RowChange> removed;
    runOrReport(m_session, this, [&] {
        const store::PeopleTable agents = store::agentTable(m_session.database());
        const auto key = keyOrFirst(m_agents, m_session.AgentIndex, agents);
        if (!key) {
            m_session.services.messages->show(this, QStringLiteral("You must select an Agent to delete."),
                                              ui::MessageIcon::Information, QStringLiteral("Delete Agent"));
            return;
        }
        removed = agents.remove(*key);
    });
    if (removed)
        refillAgentsAfter(*removed);
}

void MainWindow::newCustomer()
{
    m_session.EditMode = false;
    m_windows.frmAddCust->showModal();
}

void MainWindow::editCustomer()
{
    m_session.EditMode = true;
    m_session.CustIndex = m_customers->selectedPosition();
    m_session.SelectedName = m_customers->selectedText();
    m_windows.frmAddCust->showModal();
}

void MainWindow::deleteCustomer()
{
    m_session.CustIndex = m_customers->selectedPosition();
    std::optional<store::RowChange> removed;
    runOrReport(m_session, this, [&] {
        const store::PeopleTable customers = store::customerTable(m_session.database());
        const auto key = keyOrFirst(m_customers, m_session.CustIndex, customers);
        if (!key) {
            m_session.services.messages->show(this, QStringLiteral("You must select a Customer to delete."),
                                              ui::MessageIcon::Information, QStringLiteral("Delete Customer"));
            return;
        }
        removed = customers.remove(*key);
    });
    if (removed)
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
    m_windows.frmPolicies1->setBackCaption(QStringLiteral("<< Back"));
    m_windows.frmPolicies1->Reset();
    m_windows.frmPolicies1->show();
    hide();
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
    m_windows.frmPrevious->showModalFromMain();
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
