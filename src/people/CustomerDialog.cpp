#include "people/CustomerDialog.h"

#include "app/AppWindows.h"
#include "app/Session.h"

CustomerDialog::CustomerDialog(Session& session, AppWindows& windows, QWidget* parent)
    : QDialog(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmAddCust"));
}

void CustomerDialog::showModal()
{
    exec();
}
