#include "windows/people/FindDialog.h"

#include "windows/ui/Controls.h"
#include "windows/ui/Twips.h"
#include "windows/ui/WindowFont.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

FindDialog::FindDialog(const QString& objectName, const QString& title, ui::Twips listTop, QWidget* parent)
    : QDialog(parent), m_listTop(listTop)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {5535, 1050});

    auto* caption = ui::addLineLabel(this, QStringLiteral("lblFind"), QStringLiteral("Find what:"),
                                     ui::windowFont(), {120, 150, 975, 315});
    m_text = ui::addField(this, QStringLiteral("txtFind"), {1095, 150, 2775, 315});
    caption->setBuddy(m_text);
    m_findNext = ui::addButton(this, QStringLiteral("cmdFindNext"), QStringLiteral("Find Next"),
                               {4095, 120, 1275, 375});
    auto* close = ui::addButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), {4095, 555, 1275, 375});
    ui::setTabChain({m_text, m_findNext, close});
    m_findNext->setEnabled(false);

    connect(m_text, &QLineEdit::textChanged, this, [this](const QString& text) { m_findNext->setEnabled(!text.isEmpty()); });
    connect(m_text, &QLineEdit::returnPressed, this, &FindDialog::findNext);
    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // F3 finds again here as in the main window.
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this, &FindDialog::findNext);
}

void FindDialog::showFind()
{
    if (!m_placed)
        placeBesideOwner();
    show();
    raise();
    activateWindow();
    m_text->setFocus();
    m_text->selectAll();
}

void FindDialog::placeBesideOwner()
{
    m_placed = true;
    const QWidget* owner = parentWidget();
    if (!owner || !owner->screen())
        return;
    const QRect room = owner->screen()->availableGeometry();
    const QRect frame = owner->frameGeometry();
    // Right of the window at the height of the list, else below the window.
    const QPoint right(frame.right() + ui::toPixels({120}), owner->mapToGlobal(QPoint(0, ui::toPixels(m_listTop))).y());
    const QPoint below(frame.left(), frame.bottom() + ui::toPixels({120}));
    for (const QPoint& at : {right, below})
        if (room.contains(QRect(at, frameSize()))) {
            move(at);
            return;
        }
}

QString FindDialog::findText() const
{
    return m_text->text();
}

void FindDialog::findNext()
{
    if (!m_text->text().isEmpty())
        emit findNextRequested(m_text->text());
}
