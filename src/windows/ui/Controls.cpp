#include "windows/ui/Controls.h"

#include "windows/ui/LimitedLineEdit.h"
#include "windows/ui/WholeIndicator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

namespace ui {

namespace {

// A control of kind T with its system name at its designed place.
template <typename T, typename... Args>
T* placed(QWidget* parent, const QString& name, TwipsRect box, Args&&... args)
{
    auto* control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    placeTwips(control, box);
    return control;
}

} // namespace

QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, TwipsRect box)
{
    auto* label = placed<QLabel>(parent, name, box, caption);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                 TwipsRect box)
{
    QLabel* label = addLabel(parent, name, caption, box);
    label->setFont(font);
    return label;
}

QLabel* addLineLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                     TwipsRect box)
{
    auto* label = placed<QLabel>(parent, name, box, caption);
    label->setFont(font);
    return label;
}

QLineEdit* addField(QWidget* parent, const QString& name, TwipsRect box, int limit)
{
    return placed<LimitedLineEdit>(parent, name, box, limit);
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, TwipsRect box)
{
    auto* button = placed<QPushButton>(parent, name, box, caption);
    button->setAutoDefault(false);
    return button;
}

QRadioButton* addOption(QWidget* parent, const QString& name, const QString& caption, TwipsRect box)
{
    auto* option = placed<QRadioButton>(parent, name, box, caption);
    showWholeIndicator(option);
    return option;
}

void paintWhite(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Qt::white);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void setTabChain(const QList<QWidget*>& chain)
{
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

} // namespace ui
