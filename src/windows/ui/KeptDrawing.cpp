#include "windows/ui/KeptDrawing.h"

#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>

namespace ui {

namespace {

// The file's own mark, then its width, height and the pixels as runs of one
// colour, each its length and its colour in four bytes: a drawing of a few
// colours with soft edges reads back in a tenth of the time a general
// decompression takes, which a window's first paint waits for.
constexpr quint32 kMagic = 0x51474b32; // "QGK2"
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;
constexpr qsizetype kRunBytes = 8;
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
    if (image.isNull() || packed.size() % kRunBytes != 0)
        return {};
    auto* pixel = reinterpret_cast<quint32*>(image.bits());
    quint64 left = quint64(m_pixels.width()) * quint64(m_pixels.height());
    for (const char* run = packed.constData(); run != packed.constData() + packed.size(); run += kRunBytes) {
        const quint32 length = qFromLittleEndian<quint32>(run);
        if (length > left)
            return {};
        std::fill_n(pixel, length, qFromLittleEndian<quint32>(run + 4));
        pixel += length;
        left -= length;
    }
    return left == 0 ? image : QImage();
}

void KeptDrawing::save(const QImage& drawing) const
{
    if (m_path.isEmpty() || drawing.size() != m_pixels)
        return;
    const QImage pixels = drawing.convertToFormat(kFormat);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    // Rows follow one another without padding in four-byte pixels.
    const auto* pixel = reinterpret_cast<const quint32*>(pixels.constBits());
    const auto* end = pixel + qsizetype(m_pixels.width()) * m_pixels.height();
    QByteArray packed;
    while (pixel != end) {
        const auto* runEnd = std::find_if(pixel, end, [colour = *pixel](quint32 other) { return other != colour; });
        char run[kRunBytes];
        qToLittleEndian<quint32>(quint32(runEnd - pixel), run);
        qToLittleEndian<quint32>(*pixel, run + 4);
        packed.append(run, kRunBytes);
        pixel = runEnd;
    }
    QDataStream out(&file);
    out << kMagic << qint32(m_pixels.width()) << qint32(m_pixels.height()) << packed;
    if (out.status() == QDataStream::Ok)
        file.commit();
}

} // namespace ui
