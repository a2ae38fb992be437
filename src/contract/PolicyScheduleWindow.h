#pragma once

#include <QWidget>

struct Session;
struct AppWindows;

class PolicyScheduleWindow : public QWidget {
    Q_OBJECT
public:
    PolicyScheduleWindow(Session& session, AppWindows& windows, QWidget* parent = nullptr);

    // Empties the schedule for a new contract.
    void Reset();
    // "<< Back" leads to the main window, "<< Previous" to the previous contracts.
    void setBackCaption(const QString& caption);

private:
    Session& m_session;
    AppWindows& m_windows;
};
