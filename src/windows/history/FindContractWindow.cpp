#include "windows/history/FindContractWindow.h"

#include "model/history/ContractSearch.h"
#include "model/history/MonthReport.h"
#include "model/history/RunText.h"
#include "model/session/Session.h"
#include "windows/history/SortableGrid.h"
#include "windows/ui/Controls.h"
#include "windows/ui/StoreGuard.h"
#include "windows/ui/WindowFont.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

enum Column { IdColumn, DbaColumn, CustomerColumn, AgentColumn, RunColumn, FinancedColumn };

const QString kHint = QStringLiteral(
    "Policy number, DBA or customer name, or date printed (12/3/2026 or 12/1/2026-12/31/2026):");
const QString kNoneFound = QStringLiteral("No contract found.");
const QString kFound = QStringLiteral("%1 contract(s) found.");
const QString kMoreFound =
    QStringLiteral("The newest %1 contracts found are shown; type more to narrow the search.");

} // namespace

FindContractWindow::FindContractWindow(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmFindContract"));
    setWindowTitle(QStringLiteral("Find Contract"));
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {9585, 4560});

    ui::addLabel(this, QStringLiteral("lblFind"), kHint, {180, 120, 9200, 255});
    m_txtFind = ui::addField(this, QStringLiteral("txtFind"), {180, 420, 7800, 315});
    m_txtFind->setAccessibleName(QStringLiteral("Find Contract"));
    m_cmdFind = ui::addButton(this, QStringLiteral("cmdFind"), QStringLiteral("Find"), {8160, 390, 1215, 375});
    m_fgFound = history::addListGrid(
        this, QStringLiteral("fgFound"),
        {QStringLiteral("ID"), QStringLiteral("DBA"), QStringLiteral("Customer"), QStringLiteral("Agent"),
         QStringLiteral("Date Printed"), QStringLiteral("Amount Financed")},
        {700, 1900, 1600, 1300, 2100, 1600}, {60, 900, 9450, 2895});
    m_fgFound->setAccessibleName(QStringLiteral("Contracts found"));
    m_lblFound = ui::addLabel(this, QStringLiteral("lblFound"), QString(), {180, 3860, 6700, 255});
    m_cmdOpen = ui::addButton(this, QStringLiteral("cmdOpen"), QStringLiteral("Open"), {6960, 3960, 1215, 435});
    m_cmdClose = ui::addButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), {8220, 3960, 1215, 435});
    m_cmdOpen->setEnabled(false);
    ui::setTabChain({m_txtFind, m_cmdFind, m_fgFound, m_cmdOpen, m_cmdClose});

    connect(m_cmdFind, &QPushButton::clicked, this, &FindContractWindow::find);
    connect(m_cmdOpen, &QPushButton::clicked, this, &FindContractWindow::openChosen);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_fgFound, &QTableWidget::cellDoubleClicked, this, &FindContractWindow::openChosen);
    m_txtFind->installEventFilter(this);
    m_fgFound->installEventFilter(this);
}

void FindContractWindow::showFind()
{
    show();
    raise();
    activateWindow();
    m_txtFind->setFocus();
    m_txtFind->selectAll();
}

bool FindContractWindow::find()
{
    history::FoundContracts found;
    const QString text = m_txtFind->text();
    if (!readOrReport(m_session, this,
                     [&] {
                         found = history::findContracts(m_session.database(), text, kShownAtMost, m_session.writesMayGo());
                     }))
        return false;

    m_fgFound->setSortingEnabled(false);
    m_fgFound->clearContents();
    m_fgFound->setRowCount(int(found.contracts.size()));
    for (int row = 0; row < found.contracts.size(); ++row) {
        const history::FoundContract& contract = found.contracts[row];
        const auto put = [&](int column, const QString& shown, const QVariant& key) {
            m_fgFound->setItem(row, column, new history::KeyedCell(shown, key));
        };
        put(IdColumn, QString::number(contract.id), contract.id);
        put(DbaColumn, contract.dba, history::foldedText(contract.dba));
        put(CustomerColumn, contract.customer, history::foldedText(contract.customer));
        put(AgentColumn, contract.agent, history::foldedText(contract.agent));
        put(RunColumn, history::runShownText(contract.run), contract.run);
        put(FinancedColumn, contract.financed, qlonglong(history::centsOf(contract.financed)));
        m_fgFound->item(row, IdColumn)->setData(Qt::UserRole, contract.dba);
    }
    m_fgFound->setSortingEnabled(true);

    if (found.contracts.isEmpty())
        m_lblFound->setText(kNoneFound);
    else if (found.moreExist)
        m_lblFound->setText(kMoreFound.arg(kShownAtMost));
    else
        m_lblFound->setText(kFound.arg(found.contracts.size()));
    m_cmdOpen->setEnabled(!found.contracts.isEmpty());
    if (!found.contracts.isEmpty()) {
        m_fgFound->selectRow(0);
        m_fgFound->setCurrentCell(0, 0);
        m_fgFound->setFocus();
    }
    return true;
}

int FindContractWindow::foundRows() const
{
    return m_fgFound->rowCount();
}

void FindContractWindow::openChosen()
{
    const int row = m_fgFound->currentRow();
    const QTableWidgetItem* cell = row < 0 ? nullptr : m_fgFound->item(row, IdColumn);
    if (!cell)
        return;
    const QString dba = cell->data(Qt::UserRole).toString();
    const qint64 id = cell->text().toLongLong();
    int contractRow = 0;
    if (!readOrReport(m_session, this,
                     [&] { contractRow = history::contractRowFor(m_session.database(), dba, id); }))
        return;
    hide();
    emit contractChosen(dba, contractRow);
}

bool FindContractWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (enter && watched == m_txtFind) {
            find();
            return true;
        }
        if (enter && watched == m_fgFound) {
            openChosen();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
