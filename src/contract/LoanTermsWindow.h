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
    // Appends the contract on screen to the Policies table as one new row.
    // False (after telling the user) when the store failed; nothing is half-written.
    bool SaveData();

private:
    Session& m_session;
    AppWindows& m_windows;
};
