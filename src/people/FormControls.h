#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small builders for the people windows: every control gets its system name
// and its designed place in twips.
namespace people {

struct TwipsBox {
    int left, top, width, height;
};

QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                 TwipsBox box);
QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, TwipsBox box);

// A text field with its caption 240 twips above it.
struct LabelledField {
    const char* labelName;
    const char* caption;
    const char* fieldName;
    int maxLength; // what the user may type; a stored value may be longer
    TwipsBox box;
};

// Adds the fields in the given order, which is also their tab order.
QList<QLineEdit*> addLabelledFields(QWidget* parent, const QList<LabelledField>& fields,
                                    const QFont& labelFont);

// White background, as every people window has behind its pale globe.
void paintWhite(QWidget* window);

// Chains the tab order through the widgets in the order given.
void setTabChain(const QList<QWidget*>& chain);

} // namespace people
