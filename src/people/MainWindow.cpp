#include "people/MainWindow.h"

#include "app/AppWindows.h"
#include "app/Session.h"

MainWindow::MainWindow(Session& session, AppWindows& windows, QWidget* parent)
    : QWidget(parent), m_session(session), m_windows(windows)
{
    setObjectName(QStringLiteral("frmAgent"));
}

bool MainWindow::startUp()
{
    return true;
}

bool MainWindow::commercialChosen() const
{
    return true;
}
