#pragma once

#include "model/contract/LoanTerms.h"
#include "model/print/NoteValues.h"
#include "windows/contract/PolicyScheduleForm.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <array>

class QLineEdit;
struct Session;

// frmPolicies1: the schedule of policies of the contract being made. Its
// controls hold the schedule; saving, printing and reopening go through
// scheduleValues() and showReopened().
class PolicyScheduleWindow : public QWidget {
    Q_OBJECT
public:
    explicit PolicyScheduleWindow(Session& session, QWidget* parent = nullptr);

    // Empties the schedule for a new contract.
    void Reset();
    // "<< Back" leads to the main window, "<< Previous" to the previous contracts.
    void setBackCaption(const QString& caption);
    // What the schedule shows, text for text.
    print::ScheduleValues scheduleValues() const;
    // Puts a reopened contract's texts into an emptied schedule: only texts
    // that are there are written, and a Section 4 amount ticks its box.
    void showReopened(const print::ScheduleValues& reopened);
    // The keyboard focus into Section 1's first policy number, where the entry
    // of a contract begins.
    void focusFirstPolicy();

signals:
    // Next >> found every amount usable and worked out the first terms.
    void nextRequested();
    // << Back with its "<< Back" caption, and with its "<< Previous" caption.
    void backRequested();
    void previousRequested();
    // The schedule was emptied for a new contract.
    void contractReset();
    // The window is about to show.
    void shown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void goNext();
    void goBack();
    // Marks every amount and inception field that a rule cannot use; false when any.
    bool checkAmounts();
    bool checkInceptions();
    // An amount that counts towards a section: its field, and its name in a message.
    struct CountedAmount {
        QLineEdit* field;
        QString name;
    };
    // Marks the amounts that take a total beyond what the review shows, and says which.
    void refuseTotals(const TotalsOutOfRange& refused, const std::array<QList<CountedAmount>, 4>& counted);
    void specialItemToggled(const SpecialItem& item, bool ticked);
    // The inception fields of Sections 1 to 3, row by row, and their texts.
    QList<QLineEdit*> inceptionFields() const;
    QStringList inceptionTexts() const;

    Session& m_session;
    PolicyScheduleForm m_form;
};
