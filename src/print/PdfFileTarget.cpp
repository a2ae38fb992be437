#include "print/PdfFileTarget.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

#include <unistd.h>

namespace print {

PdfFileTarget::PdfFileTarget(QString finalPath, QFileDevice::Permissions permissions)
    : m_finalPath(std::move(finalPath)), m_permissions(permissions)
{
    const QFileInfo info(m_finalPath);
    const QString pattern = info.completeBaseName() + QStringLiteral(".partial-XXXXXX.pdf");
    auto partial = std::make_unique<QTemporaryFile>(info.absoluteDir().filePath(pattern));
    // The printer opens the file by its name; this handle only reserves the name.
    if (partial->open()) {
        partial->close();
        m_partial = std::move(partial);
    }
}

PdfFileTarget::~PdfFileTarget() = default;

QString PdfFileTarget::partialPath() const
{
    return m_partial ? m_partial->fileName() : QString();
}

bool PdfFileTarget::commit()
{
    if (!m_partial)
        return false;
    QFile written(m_partial->fileName());
    if (!written.open(QIODevice::ReadOnly) || !isWholePdf(written.readAll()))
        return false;
    // On the disk before it takes the old file's place, so a power cut leaves one or the other.
    if (::fsync(written.handle()) != 0)
        return false;
    written.close();
    // A temporary file starts private to its owner; the caller says what the note is.
    if (!m_partial->setPermissions(m_permissions))
        return false;
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(m_partial->fileName()).toStdString(),
                            QFile::encodeName(m_finalPath).toStdString(), failed);
    if (failed)
        return false;
    m_partial->setAutoRemove(false);
    m_partial.reset();
    return true;
}

bool isWholePdf(const QByteArray& bytes)
{
    const QByteArray end = bytes.trimmed();
    if (!bytes.startsWith("%PDF-") || !end.endsWith("%%EOF"))
        return false;
    const qsizetype startxref = end.lastIndexOf("startxref");
    if (startxref < 0)
        return false;
    bool isNumber = false;
    const qsizetype offset =
        end.mid(startxref + 9, end.size() - 5 - startxref - 9).trimmed().toLongLong(&isNumber);
    return isNumber && offset >= 0 && bytes.mid(offset, 4) == "xref";
}

} // namespace print
