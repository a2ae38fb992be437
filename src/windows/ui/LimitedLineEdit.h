#pragma once

#include <QLineEdit>

namespace ui {

// A one-line text field whose typing limit holds for what the user types,
// pastes or drops, never for what the program puts in: a stored value longer
// than the limit is shown whole and comes back unchanged from text() until
// the user edits it. Line breaks and tabs the user brings in become blanks.
class LimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    LimitedLineEdit(int limit, QWidget* parent);

    int limit() const { return m_limit; }

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Limiter;
    class UserInput;

    int m_limit;
    bool m_userInput = false;
    QString m_before; // the text before the change being checked
};

} // namespace ui
