#pragma once

#include <QWidget>

struct Session;
struct AppWindows;

class LoanTermsWindow : public QWidget {
    Q_OBJECT
public:
    LoanTermsWindow(Session& session, AppWindows& windows, QWidget* parent = nullptr);

    // Shown by the policy schedule: refills every term from CurrentContract and shows.
    void activate();

private:
    Session& m_session;
    AppWindows& m_windows;
};
