#include "windows/history/ReportWindow.h"

#include "model/print/DrawingSurface.h"
#include "model/print/ReportPages.h"
#include "model/session/Session.h"
#include "windows/history/SortableGrid.h"
#include "windows/ui/Controls.h"
#include "windows/ui/FileDialogService.h"
#include "windows/ui/MessageBoxService.h"
#include "windows/ui/PrinterDialogService.h"
#include "windows/ui/StoreGuard.h"
#include "windows/ui/WindowFont.h"

#include <QDateEdit>
#include <QDir>
#include <QFont>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace {

const QString kDayFormat = QStringLiteral("M/d/yyyy");
const QString kNotPrinted = QStringLiteral("Unable to communicate with the printer. The report was not printed.");
const QString kNotWritten = QStringLiteral("The file could not be written: %1");

QDateEdit* addDay(QWidget* parent, const QString& name, ui::TwipsRect box)
{
    auto* day = new QDateEdit(parent);
    day->setObjectName(name);
    day->setDisplayFormat(kDayFormat);
    day->setCalendarPopup(true);
    ui::placeTwips(day, box);
    return day;
}

} // namespace

ReportWindow::ReportWindow(Session& session, QWidget* parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("Report"));
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {9585, 5400});

    ui::addLabel(this, QStringLiteral("lblFrom"), QStringLiteral("Printed from:"), {180, 180, 1100, 255});
    m_dtpFrom = addDay(this, QStringLiteral("dtpFrom"), {1300, 120, 1700, 315});
    ui::addLabel(this, QStringLiteral("lblTo"), QStringLiteral("to:"), {3180, 180, 400, 255});
    m_dtpTo = addDay(this, QStringLiteral("dtpTo"), {3600, 120, 1700, 315});
    m_dtpFrom->setAccessibleName(QStringLiteral("Printed from"));
    m_dtpTo->setAccessibleName(QStringLiteral("Printed to"));
    m_cmdShow = ui::addButton(this, QStringLiteral("cmdShow"), QStringLiteral("Show"), {5520, 90, 1215, 375});
    m_fgReport = history::addListGrid(this, QStringLiteral("fgReport"), history::reportHeadings(),
                                      {3300, 1200, 1500, 1600, 1500}, {60, 600, 9450, 4110});
    m_fgReport->setAccessibleName(QStringLiteral("Report"));
    m_cmdPrint = ui::addButton(this, QStringLiteral("cmdPrint"), QStringLiteral("Print…"), {4320, 4860, 1575, 435});
    m_cmdSaveCsv =
        ui::addButton(this, QStringLiteral("cmdSaveCsv"), QStringLiteral("Save as CSV…"), {6000, 4860, 1575, 435});
    m_cmdClose = ui::addButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"), {7680, 4860, 1575, 435});
    ui::setTabChain({m_dtpFrom, m_dtpTo, m_cmdShow, m_fgReport, m_cmdPrint, m_cmdSaveCsv, m_cmdClose});

    connect(m_cmdShow, &QPushButton::clicked, this, &ReportWindow::refresh);
    connect(m_cmdPrint, &QPushButton::clicked, this, &ReportWindow::printReport);
    connect(m_cmdSaveCsv, &QPushButton::clicked, this, &ReportWindow::saveCsv);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::hide);
}

void ReportWindow::setSpan(const QDate& from, const QDate& to)
{
    m_dtpFrom->setDate(from);
    m_dtpTo->setDate(to);
}

void ReportWindow::showReport()
{
    const QDate today = m_session.now().date();
    setSpan(history::firstOfMonth(today), history::lastOfMonth(today));
    if (!refresh())
        return;
    show();
    raise();
    activateWindow();
    m_dtpFrom->setFocus();
}

bool ReportWindow::refresh()
{
    history::MonthReport report;
    const QDate from = m_dtpFrom->date(), to = m_dtpTo->date();
    if (!readOrReport(m_session, this, [&] {
            report = history::buildReport(m_session.database(), std::min(from, to), std::max(from, to));
        }))
        return false;
    m_report = report;
    m_fgReport->setRowCount(int(report.agents.size()) + 1);
    const auto putRow = [this](int row, const QStringList& cells, bool bold) {
        for (int column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            if (column > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (bold) {
                QFont font = cell->font();
                font.setBold(true);
                cell->setFont(font);
            }
            m_fgReport->setItem(row, column, cell);
        }
    };
    for (int row = 0; row < report.agents.size(); ++row)
        putRow(row, history::reportCells(report.agents[row]), false);
    putRow(int(report.agents.size()), history::reportCells(report.totals), true);
    return true;
}

void ReportWindow::printReport()
{
    const std::optional<ui::PrinterDialogAnswer> answer =
        ui::askForPrinter(*m_session.services.printers, m_session.Printer, this);
    if (!answer)
        return;

    print::ReportTable table;
    table.title = QStringLiteral("Report");
    table.subtitle = QStringLiteral("Contracts printed from %1 to %2")
                         .arg(m_report.from.toString(kDayFormat), m_report.to.toString(kDayFormat));
    table.headings = history::reportHeadings();
    for (const history::AgentFigures& figures : m_report.agents)
        table.rows << history::reportCells(figures);
    table.rows << history::reportCells(m_report.totals);
    try {
        std::unique_ptr<print::DrawingSurface> surface = m_session.services.printers->openSurface(m_session.Printer, answer->outputFile);
        if (!surface)
            throw std::runtime_error("no printer to draw on");
        print::drawReport(*surface, table);
    } catch (const std::exception&) {
        m_session.services.messages->show(this, kNotPrinted, ui::MessageIcon::Critical, ui::kProgramTitle);
    }
}

void ReportWindow::saveCsv()
{
    ui::OpenFileRequest request;
    request.title = QStringLiteral("Save as CSV");
    request.filter = QStringLiteral("CSV files (*.csv)|*.csv");
    request.initialFolder = QDir::home().filePath(
        QStringLiteral("Report %1 to %2.csv")
            .arg(m_report.from.toString(QStringLiteral("yyyy-MM-dd")), m_report.to.toString(QStringLiteral("yyyy-MM-dd"))));
    const QString path = m_session.services.files->getSaveFileName(this, request);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray csv = history::reportCsv(m_report);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        m_session.services.messages->show(this, kNotWritten.arg(QDir::toNativeSeparators(path)),
                                          ui::MessageIcon::Warning, ui::kProgramTitle);
}
