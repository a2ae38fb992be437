#pragma once

#include <QFileDevice>
#include <QString>

namespace print {

// A PDF file that appears under its name only once it is complete. The job is
// written to a partial file beside it (same folder, so the final move is a
// rename on the same disk); only a file that reads as a whole PDF replaces
// whatever had that name. A job that fails or is abandoned leaves nothing.
// The file is made with the permissions given, narrowed by the user's umask as
// any new file is; the program never widens them afterwards.
class PdfFileTarget {
public:
    PdfFileTarget(QString finalPath, QFileDevice::Permissions permissions);
    ~PdfFileTarget();
    PdfFileTarget(const PdfFileTarget&) = delete;
    PdfFileTarget& operator=(const PdfFileTarget&) = delete;

    // Where the job writes; empty when no partial file could be made in the folder.
    QString partialPath() const;

    // Checks that the partial file is a whole PDF, flushes it to the disk and
    // moves it into place. False when any step fails; the partial file is then removed.
    bool commit();

private:
    QString m_finalPath;
    QFileDevice::Permissions m_permissions;
    QString m_partial;
};

// True when the bytes end in a PDF trailer whose cross-reference offset
// points at the cross-reference table: a file cut short, or with bytes lost
// on the way, fails this.
bool isWholePdf(const QByteArray& bytes);

} // namespace print
