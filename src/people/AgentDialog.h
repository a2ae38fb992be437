#pragma once

#include <QDialog>

struct Session;
struct AppWindows;

class AgentDialog : public QDialog {
    Q_OBJECT
public:
    AgentDialog(Session& session, AppWindows& windows, QWidget* parent = nullptr);

    // Shows the dialog modally after EditMode (and AgentIndex) have been set.
    void showModal();

private:
    Session& m_session;
    AppWindows& m_windows;
};
