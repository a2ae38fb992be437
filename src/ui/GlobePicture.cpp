#include "ui/GlobePicture.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace ui {

namespace {

constexpr int kWidth = 369;
constexpr int kHeight = 342;

// Colours light enough that black captions stay easy to read on top.
const QColor kSea(232, 241, 250);
const QColor kRim(196, 214, 234);
const QColor kGrid(208, 224, 241);

QImage drawGlobe()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPointF centre(kWidth / 2.0, kHeight / 2.0);
    const double radius = std::min(kWidth, kHeight) / 2.0 - 4;
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);

    painter.fillPath(disc, kSea);
    painter.setClipPath(disc);
    painter.setPen(QPen(kGrid, 1.2));
    // The axis leans a little, as on a desk globe: meridians are ellipses of
    // shrinking width, parallels are straight lines at the sine of their latitude.
    painter.translate(centre);
    painter.rotate(-15);
    for (int longitude = 0; longitude < 180; longitude += 20) {
        const double halfWidth = radius * std::abs(std::cos(longitude * std::numbers::pi / 180.0));
        painter.drawEllipse(QPointF(0, 0), halfWidth, radius);
    }
    for (int latitude = -60; latitude <= 60; latitude += 20) {
        const double angle = latitude * std::numbers::pi / 180.0;
        const double y = radius * std::sin(angle);
        const double halfChord = radius * std::cos(angle);
        painter.drawLine(QPointF(-halfChord, y), QPointF(halfChord, y));
    }
    painter.resetTransform();
    painter.setClipping(false);
    painter.setPen(QPen(kRim, 2));
    painter.drawPath(disc);
    return image;
}

} // namespace

GlobePicture::GlobePicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

const QImage& GlobePicture::image()
{
    static const QImage globe = drawGlobe();
    return globe;
}

void GlobePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image());
}

} // namespace ui
