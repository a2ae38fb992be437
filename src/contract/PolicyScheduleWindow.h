#pragma once

#include "contract/PolicyScheduleForm.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class QLineEdit;
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

    const PolicyScheduleForm& form() const { return m_form; }

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
    void specialItemToggled(const SpecialItem& item, bool ticked);
    // The inception fields of Sections 1 to 3, row by row, and their texts.
    QList<QLineEdit*> inceptionFields() const;
    QStringList inceptionTexts() const;

    Session& m_session;
    AppWindows& m_windows;
    PolicyScheduleForm m_form;
};
