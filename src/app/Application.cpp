#include "app/Application.h"

#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"
#include "people/AgentDialog.h"
#include "people/CustomerDialog.h"
#include "people/MainWindow.h"
#include "ui/EnterPressesButton.h"

#include <QCoreApplication>

Application::Application(const Environment& environment, const Services& services)
    : m_environment(environment)
{
    m_session.services = services;
    m_session.env = environment;
    m_session.quit = [this] {
        // Every window closes at once; the event loop, if running, stops.
        for (QWidget* window : {static_cast<QWidget*>(m_windows.frmAddCust),
                                static_cast<QWidget*>(m_windows.frmAddAgent),
                                static_cast<QWidget*>(m_windows.frmPrevious),
                                static_cast<QWidget*>(m_windows.frmPreview),
                                static_cast<QWidget*>(m_windows.frmPolicies1),
                                static_cast<QWidget*>(m_windows.frmAgent)})
            if (window)
                window->hide();
        QCoreApplication::exit(0);
    };
    m_windows.frmAgent = new MainWindow(m_session, m_windows);
    m_windows.frmAddCust = new CustomerDialog(m_session, m_windows, m_windows.frmAgent);
    m_windows.frmAddAgent = new AgentDialog(m_session, m_windows, m_windows.frmAgent);
    m_windows.frmPolicies1 = new PolicyScheduleWindow(m_session, m_windows);
    m_windows.frmPreview = new LoanTermsWindow(m_session, m_windows);
    m_windows.frmPrevious = new PreviousContractsWindow(m_session, m_windows, m_windows.frmAgent);
    for (QWidget* window : {static_cast<QWidget*>(m_windows.frmAgent), static_cast<QWidget*>(m_windows.frmAddCust),
                            static_cast<QWidget*>(m_windows.frmAddAgent),
                            static_cast<QWidget*>(m_windows.frmPolicies1),
                            static_cast<QWidget*>(m_windows.frmPreview),
                            static_cast<QWidget*>(m_windows.frmPrevious)})
        ui::letEnterPressFocusedButton(window);
}

Application::~Application()
{
    // The dialogs are children of the main window and go with it.
    delete m_windows.frmPreview;
    delete m_windows.frmPolicies1;
    delete m_windows.frmAgent;
}

bool Application::start()
{
    if (!m_windows.frmAgent->startUp() || m_session.ended)
        return false;
    m_windows.frmAgent->show();
    return true;
}
