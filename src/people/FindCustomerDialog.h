#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// frmFind, "Find Customer": what to look for in the customer list, with Find
// Next and Close. It stays open beside the main window while the user goes
// from one match to the next; the main window does the finding.
class FindCustomerDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindCustomerDialog(QWidget* parent = nullptr);

    // Shows the dialog, or brings it forward, with its text selected for typing over.
    void showFind();
    QString findText() const;

signals:
    // Find Next, Enter in the field, or F3, with something typed.
    void findNextRequested(const QString& text);

private:
    void findNext();
    // The first time, beside the main window, so the list's lines stay in sight.
    void placeBesideOwner();

    QLineEdit* m_text = nullptr;
    QPushButton* m_findNext = nullptr;
    bool m_placed = false;
};
