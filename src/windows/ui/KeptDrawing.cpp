#include "windows/ui/KeptDrawing.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace ui {

namespace {

// The file: its mark, width and height, then the pixels row after row exactly
// as they lie in memory, so that a window's first paint reads them straight
// into its image with no decoding at all. The mark is written in this
// machine's byte order: a file from a machine of the other order does not
// match and is drawn afresh.
constexpr quint32 kMagic = 0x51474b33; // "QGK3"
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
constexpr int kPixelBytes = 4;

struct Header {
    quint32 magic;
    qint32 width;
    qint32 height;
};

QString& folder()
{
    static QString kept;
    return kept;
}

// Four-byte pixels leave no padding at the rows' ends.
qint64 fileSizeFor(const QSize& pixels)
{
    return qint64(sizeof(Header)) + qint64(pixels.width()) * pixels.height() * kPixelBytes;
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
    // Anything but the exact size this drawing takes is not this drawing: a
    // file cut short, grown, or another program's is never read whole.
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() != fileSizeFor(m_pixels))
        return {};
    Header header{};
    if (file.read(reinterpret_cast<char*>(&header), sizeof header) != qint64(sizeof header) || header.magic != kMagic
        || QSize(header.width, header.height) != m_pixels)
        return {};
    QImage image(m_pixels, kFormat);
    if (image.isNull() || file.read(reinterpret_cast<char*>(image.bits()), image.sizeInBytes()) != image.sizeInBytes())
        return {};
    return image;
}

void KeptDrawing::save(const QImage& drawing) const
{
    if (m_path.isEmpty() || drawing.size() != m_pixels)
        return;
    const QImage pixels = drawing.convertToFormat(kFormat);
    const Header header{kMagic, m_pixels.width(), m_pixels.height()};
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(&header), sizeof header) != qint64(sizeof header)
        || file.write(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes())
               != qint64(pixels.sizeInBytes()))
        return;
    file.commit();
}

} // namespace ui
