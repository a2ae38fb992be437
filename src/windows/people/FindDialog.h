#pragma once

#include "windows/ui/Twips.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// What to look for in one of the main window's lists ("Find Customer",
// frmFind; "Find Agent", frmFindAgent), with Find Next and Close. It stays
// open beside the main window, at the height of its list, while the user goes
// from one match to the next; the main window does the finding.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(const QString& objectName, const QString& title, ui::Twips listTop, QWidget* parent);

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
    ui::Twips m_listTop;
};
