#include "people/AgentDialog.h"

#include "app/AppWindows.h"
#include "app/Session.h"

AgentDialog::AgentDialog(Session& session, AppWindows& windows, QWidget* parent)
    : QDialog(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmAddAgent"));
}

void AgentDialog::showModal()
{
    exec();
}
