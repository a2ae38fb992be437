#include "model/print/ReportPages.h"

#include "model/print/DrawingSurface.h"

#include <algorithm>
#include <iterator>

namespace print {

namespace {

using namespace literals;

// Millimetres on a Letter page (215.9 × 279.4).
constexpr Mm kLeft = 20_mm;
constexpr Mm kTop = 20_mm;
constexpr Mm kRowHeight = 5.2_mm;
constexpr Mm kFooterY = 262_mm;
// Right edges of the figure columns; the agent's name has the rest on the left.
constexpr Mm kFigureRight[] = {100_mm, 130_mm, 163_mm, 196_mm};

void drawRow(DrawingSurface& surface, const QStringList& cells, Mm y)
{
    for (qsizetype column = 0; column < cells.size(); ++column) {
        Mm x = kLeft;
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
    drawRow(surface, table.headings, kTop + 14_mm);
    surface.line(kLeft, kTop + 14_mm + kRowHeight, kFigureRight[3], kTop + 14_mm + kRowHeight);
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
        Mm y = kTop + 14_mm + kRowHeight + 1.5_mm;
        for (qsizetype row = first; row < end; ++row, y += kRowHeight)
            drawRow(surface, table.rows[row], y);
        surface.setCurrentX(kLeft);
        surface.setCurrentY(kFooterY);
        surface.printLine(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    surface.endDoc();
}

} // namespace print
