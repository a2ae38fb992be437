#include "people/FormControls.h"

#include "people/LimitedLineEdit.h"
#include "ui/AccessibleName.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace people {

namespace {
// Captions stand this far above their fields.
constexpr int kCaptionRise = 240;
} // namespace

QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                 TwipsBox box)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::placeTwips(label, box.left, box.top, box.width, box.height);
    return label;
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, TwipsBox box)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // No button answers the Enter key on its own; the user presses the button.
    button->setAutoDefault(false);
    ui::placeTwips(button, box.left, box.top, box.width, box.height);
    return button;
}

QList<QLineEdit*> addLabelledFields(QWidget* parent, const QList<LabelledField>& fields,
                                    const QFont& labelFont)
{
    QList<QLineEdit*> edits;
    for (const LabelledField& entry : fields) {
        auto* label = new QLabel(QString::fromUtf8(entry.caption), parent);
        label->setObjectName(QString::fromUtf8(entry.labelName));
        label->setFont(labelFont);
        // A caption may be wider than a narrow field such as State.
        const int width = std::max(ui::toPixels({entry.box.width}), label->sizeHint().width());
        label->setGeometry(ui::toPixels({entry.box.left}),
                           ui::toPixels({entry.box.top - kCaptionRise}), width,
                           ui::toPixels({kCaptionRise}));

        auto* edit = new LimitedLineEdit(entry.maxLength, parent);
        edit->setObjectName(QString::fromUtf8(entry.fieldName));
        ui::placeTwips(edit, entry.box.left, entry.box.top, entry.box.width, entry.box.height);
        label->setBuddy(edit);
        ui::nameFromCaption(edit, label->text());
        edits << edit;
    }
    return edits;
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

} // namespace people
