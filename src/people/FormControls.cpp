#include "people/FormControls.h"

#include "people/LimitedLineEdit.h"
#include "ui/AccessibleName.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>

namespace people {

namespace {
// Captions stand this far above their fields.
constexpr int kCaptionRise = 240;
} // namespace

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

} // namespace people
