#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace print {

class DrawingSurface;

// A table printed on Letter pages: a title and a subtitle over the headings on
// every page, then the rows, rowsPerPage to a page, and "Page n of m" at the
// foot. The first column is text on the left; the others are figures, aligned
// on their right edge.
struct ReportTable {
    QString title;
    QString subtitle;
    QStringList headings;
    QList<QStringList> rows;
};

inline constexpr int kReportRowsPerPage = 40;

// The number of pages the table takes (at least one, with the headings alone).
int reportPageCount(const ReportTable& table);

// Draws the whole table and ends the job.
void drawReport(DrawingSurface& surface, const ReportTable& table);

} // namespace print
