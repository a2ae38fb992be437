#include "windows/history/PreviousContractsWindow.h"

#include "model/history/ContractHistoryStore.h"
#include "model/history/ListedContractsModel.h"
#include "model/history/ReopenMapping.h"
#include "model/history/StoredNote.h"
#include "model/print/KeptNotes.h"
#include "model/session/Session.h"
#include "windows/contract/PrintCommand.h"
#include "windows/history/GridLayout.h"
#include "windows/ui/Controls.h"
#include "windows/ui/DesktopService.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/StoreGuard.h"
#include "windows/ui/Twips.h"
#include "windows/ui/WindowFont.h"

#include <QAction>
#include <QDir>
#include <QShowEvent>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

#include <algorithm>
#include <limits>

namespace {

std::int16_t toContractRow(int row)
{
    return static_cast<std::int16_t>(std::clamp<int>(row, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}

} // namespace

PreviousContractsWindow::PreviousContractsWindow(Session& session, QWidget* parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmPrevious"));
    setWindowTitle(QStringLiteral("Previous Contracts"));
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {9585, 3525});
    buildControls();
    addNoteActions();
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &PreviousContractsWindow::undoDelete);
    InitGrid();
    EnableButtons(false);
}

void PreviousContractsWindow::buildControls()
{
    m_lblHeader = ui::addLineLabel(this, QStringLiteral("lblHeader"), QStringLiteral("These are all records for "),
                                   ui::windowFont(9.75), {180, 120, 2235, 255});
    m_lblFor = ui::addLineLabel(this, QStringLiteral("lblFor"), QString(), ui::windowFont(9.75),
                                {2400, 120, 6915, 255});
    m_label2 = ui::addLineLabel(this, QStringLiteral("Label2"), QStringLiteral("(Scroll to see complete data)"),
                                ui::windowFont(8.25, false, true), {180, 360, 7035, 255});

    m_fgRecords = new QTableView(this);
    m_fgRecords->setObjectName(QStringLiteral("fgRecords"));
    m_listed = new history::ListedContractsModel(m_fgRecords);
    m_fgRecords->setModel(m_listed);
    m_fgRecords->setAccessibleName(QStringLiteral("Previous Contracts"));
    m_fgRecords->setAccessibleDescription(m_label2->text());
    ui::placeTwips(m_fgRecords, {60, 600, 9450, 1995});
    history::styleGrid(m_fgRecords);
    // Tab leaves the grid for the buttons; the arrow keys move inside it.
    m_fgRecords->setTabKeyNavigation(false);
    m_fgRecords->installEventFilter(this);
    m_fgRecords->viewport()->installEventFilter(this);
    connect(m_fgRecords->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PreviousContractsWindow::keepARowChosen);

    const auto button = [this](const char* name, const QString& caption, int left) {
        return ui::addButton(this, QLatin1String(name), caption, {left, 2880, 1215, 435});
    };
    m_cmdEdit = button("cmdEdit", QStringLiteral("Edit"), 2377);
    m_cmdCopy = button("cmdCopy", QStringLiteral("Copy"), 3592);
    m_cmdDelete = button("cmdDelete", QStringLiteral("Delete"), 4792);
    m_cmdDone = button("cmdDone", QStringLiteral("Done"), 5992);
    connect(m_cmdEdit, &QPushButton::clicked, this, &PreviousContractsWindow::editChosen);
    connect(m_cmdCopy, &QPushButton::clicked, this, &PreviousContractsWindow::copyChosen);
    connect(m_cmdDelete, &QPushButton::clicked, this, &PreviousContractsWindow::deleteChosen);
    connect(m_cmdDone, &QPushButton::clicked, this, &QWidget::hide);
    ui::setTabChain({m_fgRecords, m_cmdEdit, m_cmdCopy, m_cmdDelete, m_cmdDone});
}

void PreviousContractsWindow::showModalFromMain()
{
    if (FillGrid())
        exec();
}

bool PreviousContractsWindow::showFromSchedule()
{
    if (!FillGrid())
        return false;
    show();
    return true;
}

void PreviousContractsWindow::InitGrid()
{
    m_fgRecords->clearSelection();
    m_listed->setContracts({});
}

bool PreviousContractsWindow::FillGrid()
{
    // Read first: a failure leaves the grid showing what it showed.
    QList<history::ListedContract> contracts;
    const bool read = readOrReport(m_session, this, [&] {
        contracts = history::listContracts(m_session.database(), m_session.SelectedName);
    });
    if (!read)
        return false;
    m_lblFor->setText(m_session.SelectedName);
    m_listedDba = m_session.SelectedName;
    InitGrid();
    m_listed->setContracts(std::move(contracts));

    // A row left over from a longer list (or none yet) is brought into range.
    const int rows = dataRows();
    int row = m_session.ContractRow;
    if (row <= 0)
        row = 1;
    if (row > rows)
        row = rows;
    m_session.ContractRow = toContractRow(row);

    if (rows > 0) {
        selectDataRow(row);
        EnableButtons(true);
        m_fgRecords->setFocus();
    } else {
        EnableButtons(false);
    }
    return true;
}

void PreviousContractsWindow::EnableButtons(bool enable)
{
    m_cmdCopy->setEnabled(enable);
    m_cmdDelete->setEnabled(enable);
    m_cmdEdit->setEnabled(enable);
}

int PreviousContractsWindow::dataRows() const
{
    return m_listed->rowCount();
}

int PreviousContractsWindow::chosenRow() const
{
    // Only the highlighted row counts: a current row without the highlight is not what the user sees.
    const QModelIndexList rows = m_fgRecords->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() + 1 : 0;
}

std::optional<history::ChosenContract> PreviousContractsWindow::chosenContract() const
{
    const int row = chosenRow();
    if (row <= 0)
        return std::nullopt;
    const QModelIndex line = m_listed->index(row - 1, 0);
    return history::ChosenContract{line.data(history::kIdRole).toLongLong(),
                                   {m_listedDba, line.data(history::kStoredRunRole).toString()}};
}

void PreviousContractsWindow::keepARowChosen()
{
    if (dataRows() == 0 || !m_fgRecords->selectionModel()->selectedRows().isEmpty())
        return;
    const int current = m_fgRecords->currentIndex().row();
    selectDataRow(current >= 0 ? current + 1 : std::clamp<int>(m_session.ContractRow, 1, dataRows()));
}

void PreviousContractsWindow::listChangedUnderLine()
{
    FillGrid();
}

void PreviousContractsWindow::selectDataRow(int row)
{
    if (row <= 0 || row > dataRows())
        return;
    const QModelIndex line = m_listed->index(row - 1, 0);
    m_fgRecords->selectionModel()->setCurrentIndex(line,
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_fgRecords->scrollTo(line);
}

bool PreviousContractsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fgRecords && event->type() == QEvent::KeyPress) {
        // Enter on a contract opens it, as a double-click does.
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            gridDoubleClicked();
            return true;
        }
    }
    if (watched == m_fgRecords->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            gridClicked();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            // The row under the pointer is the one meant, even when the first
            // click of the pair did not reach the grid.
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            const QModelIndex index = m_fgRecords->indexAt(at);
            if (index.isValid())
                selectDataRow(index.row() + 1);
            gridDoubleClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PreviousContractsWindow::gridClicked()
{
    if (dataRows() > 0)
        EnableButtons(true);
}

void PreviousContractsWindow::gridDoubleClicked()
{
    if (chosenRow() > 0)
        editChosen();
}

void PreviousContractsWindow::editChosen()
{
    const int row = chosenRow();
    const std::optional<history::ChosenContract> chosen = chosenContract();
    if (!chosen)
        return;
    history::StoredContract contract;
    if (!readOrReport(m_session, this,
                     [&] { contract = history::readContract(m_session.database(), *chosen); }))
        return;
    if (contract.isEmpty()) {
        listChangedUnderLine();
        return;
    }

    const history::ReopenPlan plan = history::planReopen(contract);
    history::applyParties(plan, m_session.CurAgent, m_session.CurCust);
    m_session.ContractRow = toContractRow(row);

    // Hiding ends the main window's modal wait.
    hide();
    emit reopenRequested(plan.schedule, plan.commercial);
}

void PreviousContractsWindow::copyChosen()
{
    const std::optional<history::ChosenContract> chosen = chosenContract();
    if (!chosen)
        return;
    // A Copy pressed again after a failure of unknown outcome copies at most once.
    std::optional<qint64> copy;
    const bool copied = writeOrReport(m_session, this, ui::kNothingCopied, [&] {
        m_pendingCopy.attempt(QString::number(chosen->id), m_session.now(), [&](const QString& token) {
            copy = history::copyContract(m_session.database(), *chosen, m_session.now(), token,
                                         print::highestKeptNoteId(print::keptNotesFolder(m_session)));
        });
    });
    if (!copied)
        return;
    if (!copy) {
        listChangedUnderLine();
        return;
    }
    if (!FillGrid() || dataRows() == 0)
        return;
    // The copy is the newest contract, so it is the last row.
    EnableButtons(true);
    m_session.ContractRow = toContractRow(dataRows());
    selectDataRow(dataRows());
    m_fgRecords->setFocus();
}

void PreviousContractsWindow::deleteChosen()
{
    const int row = chosenRow();
    const std::optional<history::ChosenContract> chosen = chosenContract();
    if (!chosen)
        return;
    const QString printed = m_listed->index(row - 1, history::kRunColumn).data().toString();
    const QString question = QStringLiteral("Delete the contract of %1 printed %2?").arg(m_listedDba, printed);
    if (!m_session.services.messages->ask(this, question, ui::MessageIcon::Question, ui::kProgramTitle))
        return;
    std::optional<history::StoredContract> removed;
    if (!writeOrReport(m_session, this, ui::kNothingDeleted,
                     [&] { removed = history::deleteContract(m_session.database(), *chosen); }))
        return;
    if (!removed) {
        listChangedUnderLine();
        return;
    }
    // The row as it was, so that Ctrl+Z can put it back.
    m_deleted = removed;
    // The row above the deleted one; the refill turns 0 into the first row.
    m_session.ContractRow = toContractRow(row - 1);
    FillGrid();
}

void PreviousContractsWindow::undoDelete()
{
    const QString title = QStringLiteral("Undo Delete Contract");
    if (!m_deleted) {
        m_session.services.messages->show(this, ui::kNothingToPutBack, ui::MessageIcon::Information,
                                          title);
        return;
    }
    bool restored = false;
    if (!writeOrReport(m_session, this, ui::kNothingPutBack,
                     [&] { restored = history::putBackContract(m_session.database(), *m_deleted); }))
        return;
    if (!restored) {
        m_session.services.messages->show(
            this, QStringLiteral("The deleted contract cannot be put back: another contract has taken its place."),
            ui::MessageIcon::Warning, title);
        return;
    }
    const qint64 id = m_deleted->value(QStringLiteral("ID")).toLongLong();
    m_deleted.reset();
    if (!FillGrid())
        return;
    for (int row = 1; row <= dataRows(); ++row) {
        if (m_listed->index(row - 1, 0).data(history::kIdRole).toLongLong() == id) {
            m_session.ContractRow = toContractRow(row);
            selectDataRow(row);
        }
    }
}

void PreviousContractsWindow::showEvent(QShowEvent* event)
{
    emit shown();
    QDialog::showEvent(event);
}

void PreviousContractsWindow::addNoteActions()
{
    struct NoteAction {
        const char *caption, *name;
        QKeySequence keys;
        std::function<void()> run;
    };
    const NoteAction noteActions[] = {
        {"Show Note", "mnuShowNote", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { showNote(); }},
        {"Print Again", "mnuPrintAgain", QKeySequence(Qt::CTRL | Qt::Key_P), [this] { printAgain(false); }},
        {"Preview Note", "mnuPreviewNote", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] { printAgain(true); }},
    };
    QList<QAction*> actions;
    for (const NoteAction& noteAction : noteActions) {
        auto* action = new QAction(QString::fromLatin1(noteAction.caption), this);
        action->setObjectName(QLatin1String(noteAction.name));
        action->setShortcut(noteAction.keys);
        addAction(action);
        connect(action, &QAction::triggered, this, noteAction.run);
        actions << action;
    }
    m_fgRecords->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_fgRecords, &QWidget::customContextMenuRequested, this, [this, actions](const QPoint& at) {
        const QModelIndex index = m_fgRecords->indexAt(at);
        if (!index.isValid())
            return;
        selectDataRow(index.row() + 1);
        QMenu menu(this);
        menu.addActions(actions);
        menu.exec(m_fgRecords->viewport()->mapToGlobal(at));
    });
}

void PreviousContractsWindow::showNote()
{
    const std::optional<history::ChosenContract> chosen = chosenContract();
    if (!chosen)
        return;
    const QString title = QStringLiteral("Show Note");
    // A note is kept under the day its contract was stored on.
    const QDate day = QDate::fromString(chosen->line.run.left(10), Qt::ISODate);
    const QString note = print::findKeptNote(print::keptNotesFolder(m_session), chosen->id, m_listedDba, day);
    if (note.isEmpty()) {
        m_session.services.messages->show(this, QStringLiteral("No note was kept for this contract."),
                                          ui::MessageIcon::Information, title);
        return;
    }
    ui::DesktopService* desktop = m_session.services.desktop;
    if (!desktop || !desktop->openFile(note))
        m_session.services.messages->show(
            this, QStringLiteral("The note could not be opened: ") + QDir::toNativeSeparators(note),
            ui::MessageIcon::Warning, title);
}

void PreviousContractsWindow::printAgain(bool preview)
{
    const std::optional<history::ChosenContract> chosen = chosenContract();
    if (!chosen)
        return;
    history::StoredContract contract;
    print::NoteValues note;
    if (!readOrReport(m_session, this, [&] {
            contract = history::readContract(m_session.database(), *chosen);
            if (!contract.isEmpty())
                note = history::storedNoteValues(m_session.database(), contract, m_session.Version);
        }))
        return;
    if (contract.isEmpty()) {
        listChangedUnderLine();
        return;
    }
    if (preview)
        runPreview(m_session, this, [&] { return note; });
    else
        runPrintAgain(m_session, this, note, QDate::fromString(chosen->line.run.left(10), Qt::ISODate));
}
