#pragma once

#include <QString>

class QWidget;

namespace ui {

// The icons the program's message boxes use. The stop sign serves both
// "critical" and "error" messages, as on the desktop this program came from.
enum class MessageIcon { Information, Critical, Warning, Question };

// A message box has one OK button, or asks a question answered Yes or No,
// or Yes, No or a third choice of its own caption.
enum class MessageButtons { Ok, YesNo, YesNoOther };

// The answer to a question with a third choice.
enum class Reply { Yes, No, Other };

// Window code shows message boxes through this service so that tests can
// record what was shown instead of blocking on a modal box.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void show(QWidget* parent, const QString& text, MessageIcon icon,
                      const QString& title, MessageButtons buttons = MessageButtons::Ok) = 0;
    // A question with Yes and No buttons; true when the user answered Yes.
    virtual bool ask(QWidget* parent, const QString& text, MessageIcon icon, const QString& title) = 0;
    // A question with Yes, No and a third button captioned other.
    virtual Reply askOrOther(QWidget* parent, const QString& text, MessageIcon icon, const QString& title,
                             const QString& other) = 0;
};

// Shows a real, modal QMessageBox.
class QtMessageBoxService final : public MessageBoxService {
public:
    void show(QWidget* parent, const QString& text, MessageIcon icon, const QString& title,
              MessageButtons buttons = MessageButtons::Ok) override;
    bool ask(QWidget* parent, const QString& text, MessageIcon icon, const QString& title) override;
    Reply askOrOther(QWidget* parent, const QString& text, MessageIcon icon, const QString& title,
                     const QString& other) override;
};

// The title every message box carries when it has none of its own.
inline const QString kProgramTitle = QStringLiteral("QUILLON");

// Ctrl+Z when no delete is left to undo, told under the program's title.
inline const QString kNothingToPutBack = QStringLiteral("There is nothing to put back.");

} // namespace ui
