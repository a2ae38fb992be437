#include "model/print/ReportPages.h"

#include "model/print/DrawingSurface.h"

#include <algorithm>
#include <iterator>

namespace print {

namespace {

// Millimetres on a Letter page (215.9 × 279.4).
constexpr double kLeft = 20;
constexpr double kTop = 20;
constexpr double kRowHeight = 5.2;
constexpr double kFooterY = 262;
// Right edges of the figure columns; the agent's name has the rest on the left.
constexpr double kFigureRight[] = {100, 130, 163, 196};

void drawRow(DrawingSurface& surface, const QStringList& cells, double y)
{
    for (qsizetype column = 0; column < cells.size(); ++column) {
        double x = kLeft;
        if (column > 0 && column <= qsizetype(std::size(kFigureRight)))
            x = kFigureRight[column - 1] - surface.textWidth(cells[column]);
        surface.setCurrentX(x);
        surface.setCurrentY(y);
        surface.printLine(cells[column]);
    }
}

void drawHead(DrawingSurface& surface, const ReportTable& table)
{
    surface.font() = SurfaceFont{};
    surface.font().size = 12;
    surface.font().bold = true;
    surface.setCurrentX(kLeft);
    surface.setCurrentY(kTop);
    surface.printLine(table.title);
    surface.font().size = 9;
    surface.font().bold = false;
    surface.setCurrentX(kLeft);
    surface.printLine(table.subtitle);
    surface.font().bold = true;
    drawRow(surface, table.headings, kTop + 14);
    surface.line(kLeft, kTop + 14 + kRowHeight, kFigureRight[3], kTop + 14 + kRowHeight);
    surface.font().bold = false;
}

} // namespace

int reportPageCount(const ReportTable& table)
{
    return std::max(1, int((table.rows.size() + kReportRowsPerPage - 1) / kReportRowsPerPage));
}

void drawReport(DrawingSurface& surface, const ReportTable& table)
{
    surface.useLetterPortrait();
    const int pages = reportPageCount(table);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            surface.newPage();
        drawHead(surface, table);
        const qsizetype first = qsizetype(page) * kReportRowsPerPage;
        const qsizetype end = std::min<qsizetype>(table.rows.size(), first + kReportRowsPerPage);
        double y = kTop + 14 + kRowHeight + 1.5;
        for (qsizetype row = first; row < end; ++row, y += kRowHeight)
            drawRow(surface, table.rows[row], y);
        surface.setCurrentX(kLeft);
        surface.setCurrentY(kFooterY);
        surface.printLine(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    surface.endDoc();
}

} // namespace print
