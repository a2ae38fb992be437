#include "app/Application.h"

#include "app/AboutText.h"
#include "app/DatabaseStartUp.h"
#include "app/ServerCheckLater.h"
#include "model/print/NoteValuesGatherer.h"
#include "model/settings/Settings.h"
#include "model/store/CleanEnd.h"
#include "model/store/Connection.h"
#include "model/store/ListRows.h"
#include "model/store/ServerSchema.h"
#include "model/store/StoreError.h"
#include "windows/contract/LoanTermsWindow.h"
#include "windows/contract/PolicyScheduleWindow.h"
#include "windows/contract/PrintCommand.h"
#include "windows/history/FindContractWindow.h"
#include "windows/history/PreviousContractsWindow.h"
#include "windows/history/ReportWindow.h"
#include "windows/people/AgentDialog.h"
#include "windows/people/CustomerDialog.h"
#include "windows/people/FindDialog.h"
#include "windows/people/MainWindow.h"
#include "windows/ui/AfterFirstPaint.h"
#include "windows/ui/EnterPressesButton.h"
#include "windows/ui/KeptDrawing.h"
#include "windows/ui/MessageBoxService.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString kBackToMain = QStringLiteral("<< Back");
const QString kBackToPrevious = QStringLiteral("<< Previous");
const QString kDiscardQuestion =
    QStringLiteral("The contract on screen has not been saved. Discard it and end the program?");

} // namespace

Application::Application(const Environment& environment, const Services& services)
{
    m_session.services = services;
    m_session.env = environment;
    m_session.quit = [this] { closeEveryWindow(); };
    m_session.writesMayGo = [this] { return writesMayGo(); };
    m_session.writesFreeNow = [this] { return verdictKnown() && !m_session.ended; };
    m_session.contractMayBeDiscarded = [this] { return mayDiscardContract(); };
    ui::KeptDrawing::keepIn(environment.userDataFolder);
    m_windows.mainWindow = new MainWindow(m_session);
    ui::letEnterPressFocusedButton(m_windows.mainWindow);
}

AppWindows& Application::windows()
{
    createOtherWindows();
    return m_windows;
}

Application::~Application()
{
    // The dialogs are children of the main window and go with it.
    delete m_windows.loanTerms;
    delete m_windows.schedule;
    delete m_windows.mainWindow;
}

// The windows behind the main one, made once the main window is painted (or
// at the user's first key or click, should that come sooner): none of them is
// on screen before the user asks for it.
void Application::createOtherWindows()
{
    if (m_windows.schedule)
        return;
    MainWindow* main = m_windows.mainWindow;
    m_windows.customerDialog = new CustomerDialog(
        m_session, [main](int position) { return main->customerKeyAt(position); }, main);
    m_windows.agentDialog = new AgentDialog(
        m_session, [main](int position) { return main->agentKeyAt(position); }, main);
    m_windows.schedule = new PolicyScheduleWindow(m_session);
    m_windows.loanTerms = new LoanTermsWindow(m_session);
    m_windows.previousContracts = new PreviousContractsWindow(m_session, main);
    m_windows.findCustomer = new FindDialog(QStringLiteral("frmFind"), QStringLiteral("Find Customer"), {2520}, main);
    m_windows.findAgent = new FindDialog(QStringLiteral("frmFindAgent"), QStringLiteral("Find Agent"), {900}, main);
    m_windows.findContract = new FindContractWindow(m_session, main);
    m_windows.report = new ReportWindow(m_session, main);
    for (QWidget* window : otherWindows())
        ui::letEnterPressFocusedButton(window);
    connectPeople();
    connectContract();
}

// The main window and its two dialogs.
void Application::connectPeople()
{
    MainWindow* main = m_windows.mainWindow;
    AgentDialog* agent = m_windows.agentDialog;
    CustomerDialog* customer = m_windows.customerDialog;
    QObject::connect(main, &MainWindow::newAgentRequested, agent, [agent] { agent->showModal(false); });
    QObject::connect(main, &MainWindow::editAgentRequested, agent,
                     [agent](int position) { agent->showModal(true, position); });
    QObject::connect(agent, &PartyDialog::entriesStored, main, &MainWindow::refillAgentsAfter);
    QObject::connect(agent, &PartyDialog::rowGone, main, &MainWindow::FillAgentList);
    QObject::connect(main, &MainWindow::newCustomerRequested, customer, [customer] { customer->showModal(false); });
    QObject::connect(main, &MainWindow::editCustomerRequested, customer,
                     [customer](int position) { customer->showModal(true, position); });
    QObject::connect(customer, &PartyDialog::entriesStored, main, &MainWindow::refillCustomersAfter);
    QObject::connect(customer, &PartyDialog::rowGone, main, &MainWindow::FillCustomerList);
    // Find Customer and Find Agent: the dialog holds what to look for, the main window finds it.
    const auto finder = [this](PeopleList list) {
        return list == PeopleList::Agents ? m_windows.findAgent : m_windows.findCustomer;
    };
    QObject::connect(main, &MainWindow::findRequested, main, [finder](PeopleList list) { finder(list)->showFind(); });
    for (const PeopleList list : {PeopleList::Agents, PeopleList::Customers}) {
        FindDialog* find = finder(list);
        QObject::connect(find, &FindDialog::findNextRequested, main,
                         [main, find, list](const QString& text) { main->findNext(list, text, find); });
    }
    QObject::connect(main, &MainWindow::findAgainRequested, main, [main, finder](PeopleList list) {
        if (finder(list)->findText().isEmpty())
            emit main->findRequested(list);
        else
            main->findNext(list, finder(list)->findText(), main);
    });
    ReportWindow* report = m_windows.report;
    QObject::connect(main, &MainWindow::reportRequested, report, &ReportWindow::showReport);
    QObject::connect(main, &MainWindow::aboutRequested, main, [this, main] {
        m_session.services.messages->show(main, aboutText(m_session), ui::MessageIcon::Information,
                                          QStringLiteral("About QUILLON"));
    });
}

// The road of one contract.
void Application::connectContract()
{
    MainWindow* main = m_windows.mainWindow;
    PolicyScheduleWindow* schedule = m_windows.schedule;
    LoanTermsWindow* review = m_windows.loanTerms;
    PreviousContractsWindow* previous = m_windows.previousContracts;

    // 1. The main window's Next >>: a new contract for the chosen agent and customer.
    QObject::connect(main, &MainWindow::nextRequested, schedule, [this, main, schedule] {
        schedule->setBackCaption(kBackToMain);
        schedule->Reset();
        m_unsaved.begin(schedule->scheduleValues());
        schedule->show();
        main->hide();
        schedule->focusFirstPolicy();
    });
    QObject::connect(schedule, &PolicyScheduleWindow::contractReset, review, &LoanTermsWindow::clearLoanAuthorization);

    // 2. The schedule's Next >>: the terms worked out from it, for review.
    QObject::connect(schedule, &PolicyScheduleWindow::nextRequested, review, [this, main, review] {
        review->activate(main->commercialChosen());
        m_unsaved.reviewed(review->reviewValues());
    });
    QObject::connect(schedule, &PolicyScheduleWindow::backRequested, main, &QWidget::show);

    // 3. The review's << Back and Save / Print, which ends on the schedule again.
    QObject::connect(review, &LoanTermsWindow::backRequested, schedule, &QWidget::show);
    QObject::connect(review, &LoanTermsWindow::savePrintRequested, review, [this] { savePrint(); });
    QObject::connect(review, &LoanTermsWindow::previewRequested, review,
                     [this, review] { runPreview(m_session, review, noteValues()); });

    // 4. The previous contracts: opened from the main window (modal) or from
    // the schedule of a reopened contract; Edit puts a stored one back.
    QObject::connect(main, &MainWindow::previousContractsRequested, previous,
                     &PreviousContractsWindow::showModalFromMain);
    QObject::connect(schedule, &PolicyScheduleWindow::previousRequested, previous, [previous, schedule] {
        // The list could not be read: the contract being edited stays on screen.
        if (!previous->showFromSchedule())
            schedule->show();
    });
    // Find Contract: a found contract opens among its customer's, chosen.
    FindContractWindow* findContract = m_windows.findContract;
    QObject::connect(main, &MainWindow::findContractRequested, findContract, &FindContractWindow::showFind);
    QObject::connect(findContract, &FindContractWindow::contractChosen, previous,
                     [this, previous](const QString& dba, int contractRow) {
                         m_session.SelectedName = dba;
                         m_session.ContractRow = static_cast<std::int16_t>(std::clamp(contractRow, 0, 32767));
                         previous->showModalFromMain();
                     });
    QObject::connect(previous, &PreviousContractsWindow::reopenRequested, schedule,
                     [this, main, schedule](const print::ScheduleValues& reopened, std::optional<bool> commercial) {
                         // The review takes the classification from the main window's
                         // option: a reopened contract keeps the one it was saved with.
                         if (commercial)
                             main->setCommercialChosen(*commercial);
                         // The schedule starts empty, so nothing of an earlier contract mixes in.
                         schedule->Reset();
                         schedule->showReopened(reopened);
                         m_unsaved.begin(schedule->scheduleValues());
                         schedule->setBackCaption(kBackToPrevious);
                         schedule->show();
                         schedule->focusFirstPolicy();
                     });

    // Whichever of the three shows, the other two hide.
    QObject::connect(schedule, &PolicyScheduleWindow::shown, schedule,
                     [this, schedule] { hideOtherContractWindows(schedule); });
    QObject::connect(review, &LoanTermsWindow::shown, review, [this, review] { hideOtherContractWindows(review); });
    QObject::connect(previous, &PreviousContractsWindow::shown, previous,
                     [this, previous] { hideOtherContractWindows(previous); });
}

void Application::hideOtherContractWindows(const QWidget* shown)
{
    // Terms left open in one window can never be saved against a schedule changed in another.
    QWidget* const contractWindows[] = {m_windows.schedule, m_windows.loanTerms, m_windows.previousContracts};
    for (QWidget* window : contractWindows)
        if (window && window != shown && window->isVisible())
            window->hide();
}

void Application::savePrint()
{
    PolicyScheduleWindow* schedule = m_windows.schedule;
    LoanTermsWindow* review = m_windows.loanTerms;
    SavePrintJob run;
    run.owner = review;
    run.save = [this, schedule, review] {
        const print::ScheduleValues shown = schedule->scheduleValues();
        const std::optional<std::int64_t> id = review->SaveData(shown);
        if (id)
            m_unsaved.saved(shown, review->reviewValues());
        return id;
    };
    run.values = noteValues();
    if (!runSavePrint(m_session, run))
        return;
    review->hide();
    schedule->show();
    // The next contract starts where every contract does, not on the last button pressed.
    schedule->focusFirstPolicy();
}

bool Application::mayDiscardContract()
{
    PolicyScheduleWindow* schedule = m_windows.schedule;
    LoanTermsWindow* review = m_windows.loanTerms;
    if (!schedule)
        return true;
    const bool reviewing = review->isVisible();
    const std::optional<print::ReviewValues> terms =
        reviewing ? std::optional(review->reviewValues()) : std::nullopt;
    if (!m_unsaved.changed(schedule->scheduleValues(), terms))
        return true;
    return m_session.services.messages->ask(reviewing ? static_cast<QWidget*>(review) : schedule, kDiscardQuestion,
                                            ui::MessageIcon::Question, ui::kProgramTitle);
}

std::function<print::NoteValues()> Application::noteValues()
{
    PolicyScheduleWindow* schedule = m_windows.schedule;
    LoanTermsWindow* review = m_windows.loanTerms;
    return [this, schedule, review] {
        return print::gatherNoteValues(schedule->scheduleValues(), review->reviewValues(), m_session);
    };
}

// The dialogs over the main window first, then the contract windows: the
// order in which the program's end hides them, the main window last.
std::array<QWidget*, 9> Application::otherWindows() const
{
    return {m_windows.customerDialog,    m_windows.agentDialog,  m_windows.findCustomer,
            m_windows.findAgent,         m_windows.findContract, m_windows.report,
            m_windows.previousContracts, m_windows.loanTerms,    m_windows.schedule};
}

void Application::closeEveryWindow()
{
    for (QWidget* window : otherWindows())
        if (window)
            window->hide();
    m_windows.mainWindow->hide();
    QCoreApplication::exit(0);
}

bool Application::startUp()
{
    m_damageMetBefore = store::damageMet();
    ReadSettings(m_session);
    if (const QString unreadable = unreadableSettingsMessage(m_session); !unreadable.isEmpty())
        m_session.services.messages->show(m_windows.mainWindow, unreadable, ui::MessageIcon::Critical, ui::kProgramTitle);
    SetVersion(m_session);
    if (!prepareDatabase(m_session, m_windows.mainWindow, m_later))
        return false;
    m_fileVouched = m_later.fileCheck && m_later.fileVouched;
    m_fileChecked = !laterCheckWaits() || m_fileVouched;
    return m_windows.mainWindow->startUp() && !m_session.ended;
}

bool Application::start()
{
    MainWindow* main = m_windows.mainWindow;
    // Until the window is painted the store is asked only what it shows.
    main->holdIdleReading(true);
    if (!startUp())
        return false;
    main->show();
    // The check waits for the painted window (a write asked for sooner starts it).
    ui::afterFirstPaint(main, [this, main] {
        if (laterCheckWaits())
            startLaterCheck();
        createOtherWindows();
        main->holdIdleReading(false);
        if (m_fileChecked)
            store::keepRowCounts(m_session.database());
        if (m_later.serverUpkeep)
            serverUpkeep();
    });
    return true;
}

void Application::serverUpkeep()
{
    m_later.serverUpkeep = false;
    try {
        store::Connection connection(m_session.database());
        store::serverUpkeep(connection);
    } catch (const store::StoreError&) {
        // Left for the next start; nothing the user asked for waits on it.
    }
}

void Application::setLaterCheck(std::function<LaterCheck(const LaterCheckRequest&)> check)
{
    m_laterCheck = std::move(check);
}

void Application::startLaterCheck()
{
    CheckInBackground::Work work;
    if (m_later.serverCheck) {
        work = [request = ServerCheckRequest{m_session.database(), m_session.env.userDataFolder,
                                             m_later.catalogDigest}] { return checkServerLater(request); };
    } else {
        LaterCheckRequest request{m_session.DBPath, m_session.now().date(), m_fileVouched,
                                  [this] { m_fileUnderCheck = true; }};
        work = [check = m_laterCheck, request = std::move(request)] { return check(request); };
    }
    m_later.fileCheck = false;
    m_later.serverCheck = false;
    m_refuseWaiting = false;
    m_fileUnderCheck = !m_fileVouched;
    m_check.start(std::move(work), [this](const LaterCheck& found) {
        const LaterOutcome outcome = reportLaterCheck(m_session, m_windows.mainWindow, found);
        // What the windows show was read from the file the backup replaced.
        m_refuseWaiting = outcome != LaterOutcome::Serves;
        // Writes may go now: the lists' counts taken at the start are kept for the next.
        m_fileChecked = outcome == LaterOutcome::Serves;
        if (m_fileChecked) {
            store::keepRowCounts(m_session.database());
            m_windows.mainWindow->writesAllowed();
        }
        if (outcome == LaterOutcome::Restored) {
            m_windows.mainWindow->FillAgentList();
            m_windows.mainWindow->FillCustomerList();
        }
    });
}

void Application::markCleanEnd()
{
    if (m_fileChecked && verdictKnown() && !m_session.endedOnFailure && !m_session.Server.namesServer() &&
        store::damageMet() == m_damageMetBefore)
        store::markCleanEnd(m_session.DBPath);
}

bool Application::verdictKnown() const
{
    const bool checking = laterCheckWaits() || m_check.running();
    return !checking || (m_fileVouched && !m_fileUnderCheck);
}

bool Application::writesMayGo()
{
    if (verdictKnown())
        return !m_session.ended;
    if (laterCheckWaits())
        startLaterCheck();
    m_check.await();
    // A write asked for while another already waits (a timer's, say) never
    // goes before the verdict: the first waiter goes on once it is known.
    if (m_check.running())
        return false;
    return !m_refuseWaiting && !m_session.ended;
}
