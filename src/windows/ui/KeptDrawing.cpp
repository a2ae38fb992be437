#include "windows/ui/KeptDrawing.h"

#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace ui {

namespace {

// The file's own mark, then its width, height and the compressed pixels.
constexpr quint32 kMagic = 0x51474b31; // "QGK1"
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
// Far larger than any window's drawing: a foreign file is not read whole.
constexpr qint64 kLargestFile = 16 * 1024 * 1024;

QString& folder()
{
    static QString kept;
    return kept;
}

} // namespace

void KeptDrawing::keepIn(const QString& keptFolder)
{
    folder() = keptFolder;
}

KeptDrawing::KeptDrawing(const QString& name, const QSize& pixels) : m_pixels(pixels)
{
    if (!folder().isEmpty() && !pixels.isEmpty())
        m_path = QDir(folder()).filePath(
            QStringLiteral(".%1-%2x%3.drawing").arg(name).arg(pixels.width()).arg(pixels.height()));
}

QImage KeptDrawing::load() const
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kLargestFile)
        return {};
    QDataStream in(&file);
    quint32 magic = 0;
    qint32 width = 0, height = 0;
    QByteArray packed;
    in >> magic >> width >> height >> packed;
    if (in.status() != QDataStream::Ok || magic != kMagic || QSize(width, height) != m_pixels)
        return {};
    QImage image(m_pixels, kFormat);
    const QByteArray pixels = qUncompress(packed);
    if (image.isNull() || pixels.size() != image.sizeInBytes())
        return {};
    std::memcpy(image.bits(), pixels.constData(), size_t(pixels.size()));
    return image;
}

void KeptDrawing::save(const QImage& drawing) const
{
    if (m_path.isEmpty() || drawing.size() != m_pixels)
        return;
    const QImage pixels = drawing.convertToFormat(kFormat);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QDataStream out(&file);
    out << kMagic << qint32(m_pixels.width()) << qint32(m_pixels.height())
        << qCompress(pixels.constBits(), qsizetype(pixels.sizeInBytes()), 1);
    if (out.status() == QDataStream::Ok)
        file.commit();
}

} // namespace ui
