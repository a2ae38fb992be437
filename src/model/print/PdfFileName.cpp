#include "model/print/PdfFileName.h"

#include <QDir>

namespace print {

namespace {
const QString kUnfit = QStringLiteral("/\\:*?\"<>|");
} // namespace

QString fileNameFrom(const QString& text)
{
    QString name;
    name.reserve(text.size());
    for (const QChar c : text)
        name += (kUnfit.contains(c) || c.category() == QChar::Other_Control) ? QLatin1Char('_') : c;
    // A name of dots alone would be the folder itself or its parent; a trailing
    // dot or blank is dropped by some desktops, which would then not find the file.
    qsizetype first = 0, last = name.size();
    while (first < last && (name[first].isSpace() || name[first] == QLatin1Char('.')))
        ++first;
    while (last > first && (name[last - 1].isSpace() || name[last - 1] == QLatin1Char('.')))
        --last;
    return name.mid(first, last - first);
}

QString proposedPdfPath(const QString& folder, const QString& dba, const QDate& day,
                        const std::function<bool(const QString&)>& fileExists)
{
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    const QString name = fileNameFrom(dba);
    const QString base = name.isEmpty() ? date : name + QLatin1Char(' ') + date;
    const QDir dir(folder);
    QString path = dir.filePath(base + QStringLiteral(".pdf"));
    for (int copy = 2; fileExists(path); ++copy)
        path = dir.filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(copy));
    return path;
}

} // namespace print
