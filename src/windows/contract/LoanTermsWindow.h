#pragma once

#include "model/contract/TermsReview.h"
#include "model/print/NoteValues.h"
#include "model/store/WriteToken.h"
#include "windows/contract/LoanTermsForm.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
struct Session;

// frmPreview, "Review Totals": the loan terms worked out from the schedule,
// with Down Payment, Finance Charge and Number of Installments open to change.
class LoanTermsWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoanTermsWindow(Session& session, QWidget* parent = nullptr);

    // Shown by the policy schedule: refills every term from CurrentContract and
    // shows, preselecting the classification chosen in the main window.
    void activate(bool commercialChosen);
    // Appends the contract on screen, with the schedule's texts, to the Policies
    // table as one new row and gives its ID. Nothing (after telling the user)
    // when the store failed; nothing is half-written.
    std::optional<std::int64_t> SaveData(const print::ScheduleValues& schedule);
    // What the window shows of the terms, as the note prints them.
    print::ReviewValues reviewValues() const;
    // A new contract starts without a loan authorization.
    void clearLoanAuthorization();

signals:
    // Save / Print with terms that can be saved.
    void savePrintRequested();
    // Preview with terms that can be saved: the note as Save / Print would print it, without saving.
    void previewRequested();
    // << Back: the schedule is to show again.
    void backRequested();
    // The window is about to show.
    void shown();

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
    LoanTermsForm m_form;
    TermsReview m_review;
    bool m_showing = false;
    store::PendingWrite m_pendingSave;
};
