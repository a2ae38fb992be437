#include "model/print/PdfFileTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>

#include <unistd.h>

namespace print {

namespace {
constexpr int kNameTries = 100;
} // namespace

PdfFileTarget::PdfFileTarget(QString finalPath, QFileDevice::Permissions permissions)
    : m_finalPath(std::move(finalPath)), m_permissions(permissions)
{
    const QFileInfo info(m_finalPath);
    // A temporary file would be made 0600 and need widening later; a new file
    // made by name takes its mode, under the user's umask, from the start. The printer opens it
    // again by its name, so this handle only reserves the name.
    for (int attempt = 0; attempt < kNameTries && m_partial.isEmpty(); ++attempt) {
        const QString name = QStringLiteral("%1.partial-%2.pdf")
                                 .arg(info.completeBaseName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        QFile partial(info.absoluteDir().filePath(name));
        if (partial.open(QIODevice::NewOnly | QIODevice::WriteOnly, m_permissions))
            m_partial = partial.fileName();
        else if (partial.exists())
            continue;
        else
            break;
    }
}

PdfFileTarget::~PdfFileTarget()
{
    if (!m_partial.isEmpty())
        QFile::remove(m_partial);
}

QString PdfFileTarget::partialPath() const
{
    return m_partial;
}

bool PdfFileTarget::commit()
{
    if (m_partial.isEmpty())
        return false;
    QFile written(m_partial);
    if (!written.open(QIODevice::ReadOnly) || !isWholePdf(written.readAll()))
        return false;
    // On the disk before it takes the old file's place, so a power cut leaves one or the other.
    if (::fsync(written.handle()) != 0)
        return false;
    written.close();
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(m_partial).toStdString(), QFile::encodeName(m_finalPath).toStdString(),
                            failed);
    if (failed)
        return false;
    m_partial.clear();
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
