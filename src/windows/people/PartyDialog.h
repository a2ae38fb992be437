#pragma once

#include "model/store/PeopleTable.h"
#include "model/store/WriteToken.h"
#include "windows/people/FormControls.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

struct Session;
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
        ui::TwipsRect ok, cancel;
        QString emptyTableMessage;
        // Asked when the first field's name is already stored; %1 is the name typed.
        QString sameNameQuestion;
        // The table the dialog stores into.
        store::PeopleTable (*table)(const store::Place& place);
    };
    // The row a line of the list that shows the table stands for; without a
    // line there, the table's first row.
    using RowLookUp = std::function<std::optional<store::RowKey>(int position)>;

    PartyDialog(Session& session, const Design& design, RowLookUp rowAt, QWidget* parent);

    // Empties the fields and, for Edit, fills them from the row of the list
    // line at position, then shows the dialog modally until OK or Cancel hides
    // it. Editing with an empty table reports it instead of showing.
    void showModal(bool editMode, int position = 0);

signals:
    // OK stored the entries: the list is to follow the write.
    void entriesStored(const store::RowChange& write);
    // The chosen line's row was deleted by another program: the list must be
    // read again rather than an empty form shown.
    void rowGone();

protected:
    Session& m_session;

    // Checks the entries before anything is stored; false keeps the dialog open.
    virtual bool entriesAccepted() { return true; }

    QLineEdit* field(const char* name) const;
    // True when no field holds more than blanks.
    bool everyFieldBlank() const;

private:
    // False when the dialog is not to be shown.
    bool activate(int position);
    void storeEntries();
    // True when no other row has the name typed, or the user wants another one all the same.
    bool sameNameAccepted();

    Design m_design;
    RowLookUp m_rowAt;
    bool m_editMode = false;
    QList<QLineEdit*> m_fields;
    std::optional<store::RowKey> m_editedKey;
    QStringList m_shownValues; // what Edit put into the fields, in field order
    store::PendingWrite m_pendingOk;
};
