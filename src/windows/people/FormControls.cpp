#include "windows/people/FormControls.h"

#include "windows/ui/AccessibleName.h"
#include "windows/ui/Controls.h"
#include "windows/ui/Twips.h"

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

        QLineEdit* edit = ui::addField(parent, QString::fromUtf8(entry.fieldName), entry.box, entry.maxLength);
        label->setBuddy(edit);
        ui::nameFromCaption(edit, label->text());
        edits << edit;
    }
    return edits;
}

} // namespace people
