#pragma once

#include "windows/ui/Twips.h"

#include <QList>
#include <QString>

class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The builders every window lays its controls out with: each control gets its
// system name and its designed place in twips.
namespace ui {

// A caption: wrapped inside its box from the top-left corner, as the forms
// were drawn. Without a font it takes the window's.
QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, TwipsRect box);
QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                 TwipsRect box);
// A one-line text in its own font, centred in the height of its box.
QLabel* addLineLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                     TwipsRect box);

// As many characters as a one-line field holds when nothing else limits it.
inline constexpr int kAnyLength = 32767;

// A one-line text field: what the user types, pastes or drops stays on its one
// line (line breaks and tabs become blanks) and within `limit` characters;
// what the program puts in is shown whole.
QLineEdit* addField(QWidget* parent, const QString& name, TwipsRect box, int limit = kAnyLength);

// No button answers the Enter key on its own; the user presses the button.
QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, TwipsRect box);

// An option button whose indicator and caption always show whole.
QRadioButton* addOption(QWidget* parent, const QString& name, const QString& caption, TwipsRect box);

// White background, as the windows with the pale globe have behind it.
void paintWhite(QWidget* window);

// Chains the tab order through the widgets in the order given.
void setTabChain(const QList<QWidget*>& chain);

} // namespace ui
