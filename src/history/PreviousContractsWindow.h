#pragma once

#include <QDialog>

struct Session;
struct AppWindows;

class PreviousContractsWindow : public QDialog {
    Q_OBJECT
public:
    PreviousContractsWindow(Session& session, AppWindows& windows, QWidget* parent = nullptr);

    // From the main window: modal, the main window waits until it hides.
    void showModalFromMain();
    // From the policy schedule's "<< Previous": not modal.
    void showFromSchedule();
    // Reads the customer's contracts afresh into the grid.
    void FillGrid();

private:
    Session& m_session;
    AppWindows& m_windows;
};
