#include "windows/ui/LimitedLineEdit.h"

#include "model/text/TypingLimit.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QValidator>

#include <memory>

namespace ui {

// Qt checks every change of the text with the validator, the program's
// setText() as well as the user's edits; it only limits while the field is
// handling the user's own input.
class LimitedLineEdit::Limiter final : public QValidator {
public:
    explicit Limiter(LimitedLineEdit& field) : QValidator(&field), m_field(field) {}

    State validate(QString& input, int& position) const override
    {
        if (m_field.m_userInput) {
            const text::FieldText limited = text::limitedEdit(m_field.m_before, input, position, m_field.m_limit);
            input = limited.text;
            position = limited.cursor;
        }
        return Acceptable;
    }

private:
    LimitedLineEdit& m_field;
};

class LimitedLineEdit::UserInput {
public:
    explicit UserInput(LimitedLineEdit& field) : m_field(field), m_was(field.m_userInput)
    {
        m_field.m_userInput = true;
    }
    ~UserInput() { m_field.m_userInput = m_was; }
    UserInput(const UserInput&) = delete;
    UserInput& operator=(const UserInput&) = delete;

private:
    LimitedLineEdit& m_field;
    bool m_was;
};

LimitedLineEdit::LimitedLineEdit(int limit, QWidget* parent) : QLineEdit(parent), m_limit(limit)
{
    setValidator(new Limiter(*this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_before = text; });
}

bool LimitedLineEdit::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:           // typing, Ctrl+V, Shift+Insert
    case QEvent::InputMethod:        // composed characters
    case QEvent::Drop:               // text dragged in
    case QEvent::MouseButtonRelease: { // the middle button pastes the selection
        const UserInput scope(*this);
        return QLineEdit::event(event);
    }
    default:
        return QLineEdit::event(event);
    }
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // Everything chosen in the field's own menu is the user's doing: the menu
    // runs to its end inside this event, so its Paste is limited like Ctrl+V.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    const UserInput scope(*this);
    menu->exec(event->globalPos());
}

} // namespace ui
