#include "windows/people/PartyDialog.h"

#include "model/session/Session.h"
#include "model/store/FoldedLines.h"
#include "model/store/FoldedText.h"
#include "windows/ui/Controls.h"
#include "windows/ui/GlobePicture.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/StoreGuard.h"
#include "windows/ui/Twips.h"
#include "windows/ui/WindowFont.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kInnerWidth = 5265;
constexpr double kGlobeAspect = 342.0 / 369.0;
} // namespace

PartyDialog::PartyDialog(Session& session, const Design& design, RowLookUp rowAt, QWidget* parent)
    : QDialog(parent), m_session(session), m_design(design), m_rowAt(std::move(rowAt))
{
    setObjectName(design.objectName);
    setWindowTitle(design.title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {kInnerWidth, design.innerHeight});
    ui::paintWhite(this);

    // The globe fills the width and sits in the middle of the height.
    const int globeHeight = static_cast<int>(kInnerWidth * kGlobeAspect);
    auto* globe = new ui::GlobePicture(this);
    ui::placeTwips(globe, {0, (design.innerHeight - globeHeight) / 2, kInnerWidth, globeHeight});

    auto* heading = ui::addLabel(this, QStringLiteral("Label1"), design.heading,
                                     ui::windowFont(9.75, true), {315, 120, 4635, 315});
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_fields = people::addLabelledFields(this, design.fields,
                                         ui::windowFont(design.captionPointSize, true));
    auto* ok = ui::addButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), design.ok);
    auto* cancel = ui::addButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), design.cancel);

    QList<QWidget*> chain(m_fields.begin(), m_fields.end());
    chain << ok << cancel;
    ui::setTabChain(chain);

    connect(ok, &QPushButton::clicked, this, &PartyDialog::storeEntries);
    // Enter in a field is OK, as in any dialog; Escape stays Cancel.
    for (QLineEdit* edit : m_fields)
        connect(edit, &QLineEdit::returnPressed, ok, &QPushButton::click);
    // Cancel, like the close box, hides the dialog and stores nothing.
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* PartyDialog::field(const char* name) const
{
    for (QLineEdit* edit : m_fields)
        if (edit->objectName() == QLatin1String(name))
            return edit;
    return nullptr;
}

bool PartyDialog::everyFieldBlank() const
{
    for (const QLineEdit* edit : m_fields)
        if (!edit->text().trimmed().isEmpty())
            return false;
    return true;
}

void PartyDialog::showModal(bool editMode, int position)
{
    m_editMode = editMode;
    if (activate(position))
        exec();
}

bool PartyDialog::activate(int position)
{
    for (QLineEdit* edit : m_fields)
        edit->clear();
    m_editedKey.reset();
    m_shownValues = QStringList(m_fields.size());
    if (!m_editMode) {
        m_fields.first()->setFocus();
        return true;
    }

    bool show = true;
    const bool ok = readOrReport(m_session, parentWidget(), [&] {
        const store::PeopleTable rows = m_design.table(m_session.database());
        m_editedKey = m_rowAt ? m_rowAt(position) : std::nullopt;
        if (!m_editedKey) {
            show = false;
            m_session.services.messages->show(parentWidget(), m_design.emptyTableMessage,
                                              ui::MessageIcon::Information, ui::kProgramTitle);
            return;
        }
        const std::optional<QStringList> values = rows.row(*m_editedKey);
        if (!values) {
            show = false;
            return;
        }
        for (qsizetype i = 0; i < m_fields.size(); ++i) {
            m_shownValues[i] = values->value(m_design.fieldColumns[i]);
            m_fields[i]->setText(m_shownValues[i]);
            // A value wider than its field shows its beginning, not its end.
            m_fields[i]->setCursorPosition(0);
        }
    });
    if (ok && !show && m_editedKey)
        emit rowGone();
    m_fields.first()->setFocus();
    return ok && show;
}

bool PartyDialog::sameNameAccepted()
{
    const QString name = m_fields.first()->text();
    const QString key = store::nameKey(name);
    // A row edited without renaming it is the same one, not a second.
    if (key.isEmpty() || (m_editMode && name == m_shownValues.value(0)))
        return true;
    std::optional<store::RowKey> other;
    if (!writeOrReport(m_session, this, ui::kNothingStored, [&] {
            other = store::firstRowNamed(m_design.table(m_session.database()), key,
                                         m_editMode ? m_editedKey : std::nullopt);
        }))
        return false;
    return !other || m_session.services.messages->ask(this, m_design.sameNameQuestion.arg(name),
                                                      ui::MessageIcon::Question, ui::kProgramTitle);
}

void PartyDialog::storeEntries()
{
    if (!entriesAccepted())
        return;
    const store::PeopleTable rows = m_design.table(m_session.database());
    // A field the user left as Edit showed it writes nothing, so its column
    // keeps exactly what is stored, whatever a field can show of it.
    QStringList values(rows.columns().size());
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->text() != m_shownValues.value(i))
            values[m_design.fieldColumns[i]] = m_fields[i]->text();

    // OK pressed again after a failure of unknown outcome stores the entries at most once.
    const QString contents = (m_editMode && m_editedKey ? QString::number(*m_editedKey) : QString())
        + QLatin1Char('\n') + values.join(QLatin1Char('\n'));
    // A retry of entries that may be stored already would find them under their own name.
    if (!m_pendingOk.mayBeStored(contents) && !sameNameAccepted())
        return;
    store::RowChange written;
    const bool stored = writeOrReport(m_session, this, ui::kNothingStored, [&] {
        m_pendingOk.attempt(contents, m_session.now(), [&](const QString& token) {
            if (m_editMode) {
                if (m_editedKey)
                    written = rows.update(*m_editedKey, values, token);
            } else {
                written = rows.insert(values, token);
            }
        });
    });
    if (!stored)
        return;
    emit entriesStored(written);
    accept();
}
