#include "contract/LoanTermsWindow.h"

#include "app/AppWindows.h"
#include "app/Session.h"

LoanTermsWindow::LoanTermsWindow(Session& session, AppWindows& windows, QWidget* parent)
    : QWidget(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmPreview"));
}

void LoanTermsWindow::activate()
{
    show();
}

bool LoanTermsWindow::SaveData()
{
    return false;
}
