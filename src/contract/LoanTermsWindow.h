#pragma once

#include "contract/LoanTermsForm.h"
#include "contract/TermsReview.h"

#include <QWidget>

class QLabel;
class QLineEdit;
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

    const LoanTermsForm& form() const { return m_form; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void savePrint();
    void goBack();

    // Copies what the rules say onto the controls, without re-entering the rules.
    void showScreen();
    // Refuses, with the user told, terms that cannot be saved as they stand.
    bool termsCanBeSaved();

    Session& m_session;
    AppWindows& m_windows;
    LoanTermsForm m_form;
    TermsReview m_review;
    bool m_showing = false;
};
