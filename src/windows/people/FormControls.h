#pragma once

#include "windows/ui/Twips.h"

#include <QFont>
#include <QList>
#include <QString>

class QLineEdit;
class QWidget;

// The captioned text fields of the agent and customer dialogs.
namespace people {

// A text field with its caption 240 twips above it.
struct LabelledField {
    const char* labelName;
    const char* caption;
    const char* fieldName;
    int maxLength; // what the user may type; a stored value may be longer
    ui::TwipsRect box;
};

// Adds the fields in the given order, which is also their tab order.
QList<QLineEdit*> addLabelledFields(QWidget* parent, const QList<LabelledField>& fields,
                                    const QFont& labelFont);

} // namespace people
