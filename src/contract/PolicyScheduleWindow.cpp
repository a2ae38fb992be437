#include "contract/PolicyScheduleWindow.h"

#include "app/AppWindows.h"
#include "app/Session.h"

PolicyScheduleWindow::PolicyScheduleWindow(Session& session, AppWindows& windows, QWidget* parent)
    : QWidget(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmPolicies1"));
}

void PolicyScheduleWindow::Reset()
{
}

void PolicyScheduleWindow::setBackCaption(const QString&)
{
}
