#include "history/PreviousContractsWindow.h"

#include "app/AppWindows.h"
#include "app/Session.h"

PreviousContractsWindow::PreviousContractsWindow(Session& session, AppWindows& windows, QWidget* parent)
    : QDialog(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmPrevious"));
}

void PreviousContractsWindow::showModalFromMain()
{
    FillGrid();
    exec();
}

void PreviousContractsWindow::showFromSchedule()
{
    FillGrid();
    show();
}

void PreviousContractsWindow::FillGrid()
{
}
