#pragma once

#include "people/FormControls.h"
#include "store/PeopleTable.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

struct Session;
struct AppWindows;
class MainWindow;
class QLineEdit;

// What the agent and the customer dialogs share: eight text fields over a pale
// globe, OK and Cancel. Each showing starts empty; Edit fills the fields from
// the chosen row; OK stores the non-empty fields and refills the main window's list.
class PartyDialog : public QDialog {
    Q_OBJECT
public:
    // Everything that sets one dialog apart from the other.
    struct Design {
        QString objectName;
        QString title;
        QString heading;
        int innerHeight;            // twips; the width is the same for both
        double captionPointSize;
        QList<people::LabelledField> fields;
        QList<int> fieldColumns;    // index into the table's columns, per field
        people::TwipsBox ok, cancel;
        QString emptyTableMessage;
        // The table the dialog stores into, the main window's list that shows it
        // (its key lookup and its refill) and the list position Edit works on.
        store::PeopleTable (*table)(const store::Place& place);
        std::function<std::optional<store::RowKey>(const MainWindow&, int position)> keyAt;
        void (MainWindow::*refillListAfter)(const store::RowChange& write);
        int Session::*chosenPosition;
    };

    PartyDialog(Session& session, AppWindows& windows, const Design& design, QWidget* parent);

    // Empties the fields and, for Edit, fills them from the chosen row, then
    // shows the dialog modally until OK or Cancel hides it. Editing with an
    // empty table reports it instead of showing.
    void showModal();

protected:
    Session& m_session;
    AppWindows& m_windows;

    // Checks the entries before anything is stored; false keeps the dialog open.
    virtual bool entriesAccepted() { return true; }

    QLineEdit* field(const char* name) const;

private:
    // False when the dialog is not to be shown.
    bool activate();
    void storeEntries();

    Design m_design;
    QList<QLineEdit*> m_fields;
    std::optional<store::RowKey> m_editedKey;
    QStringList m_shownValues; // what Edit put into the fields, in field order
};
