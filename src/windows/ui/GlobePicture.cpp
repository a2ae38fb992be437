#include "windows/ui/GlobePicture.h"

#include "windows/ui/KeptDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTimer>

#include <cmath>
#include <numbers>
#include <utility>

namespace ui {

namespace {

constexpr double kWidth = 369;
constexpr double kHeight = 342;
// The name a drawing of the pale globe is kept under: a change to how it is
// drawn must change the name, or an earlier release's drawing is shown.
const QString kKeptName = QStringLiteral("globe-1");

struct GlobeColours {
    QColor sea, rim, grid;
    double rimWidth, gridWidth;
};

// Behind the controls: light enough that black captions stay easy to read on top.
const GlobeColours kPale{QColor(232, 241, 250), QColor(196, 214, 234), QColor(208, 224, 241), 2, 1.2};
// As an icon: the same drawing, strong enough to be seen at 16 pixels.
const GlobeColours kIcon{QColor(66, 133, 204), QColor(24, 72, 128), QColor(210, 230, 250), 14, 9};

void paintGlobe(QPainter& painter, const QRectF& target, const GlobeColours& colours)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Laid out in the designed 369 x 342 units and stretched to the target, as
    // the picture always was; the pens scale too, so the look is kept.
    painter.translate(target.topLeft());
    painter.scale(target.width() / kWidth, target.height() / kHeight);

    const QPointF centre(kWidth / 2.0, kHeight / 2.0);
    const double radius = std::min(kWidth, kHeight) / 2.0 - colours.rimWidth;
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);

    painter.fillPath(disc, colours.sea);
    painter.save();
    painter.setClipPath(disc);
    painter.setPen(QPen(colours.grid, colours.gridWidth));
    painter.setBrush(Qt::NoBrush);
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
    painter.restore();
    painter.setPen(QPen(colours.rim, colours.rimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(disc);
    painter.restore();
}

} // namespace

GlobePicture::GlobePicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void GlobePicture::paint(QPainter& painter, const QRectF& target)
{
    paintGlobe(painter, target, kPale);
}

QIcon GlobePicture::icon()
{
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        // Square, so the disc stays round.
        paintGlobe(painter, QRectF(0, (side - side * kHeight / kWidth) / 2, side, side * kHeight / kWidth),
                   kIcon);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void GlobePicture::paintEvent(QPaintEvent*)
{
    const qreal scaling = devicePixelRatioF();
    if (m_drawn.deviceIndependentSize() != QSizeF(size()) || m_drawn.devicePixelRatio() != scaling) {
        // Drawing it anew is a large part of a window's first paint; a
        // drawing kept from an earlier run is copied in instead.
        const KeptDrawing kept(kKeptName, size() * scaling);
        QImage drawn = kept.load();
        if (drawn.isNull()) {
            drawn = QImage(size() * scaling, QImage::Format_ARGB32_Premultiplied);
            drawn.setDevicePixelRatio(scaling);
            drawn.fill(Qt::transparent);
            QPainter drawing(&drawn);
            paint(drawing, rect());
            drawing.end();
            QTimer::singleShot(0, [kept, drawn] { kept.save(drawn); });
        }
        drawn.setDevicePixelRatio(scaling);
        m_drawn = QPixmap::fromImage(std::move(drawn));
    }
    QPainter painter(this);
    painter.drawPixmap(QPoint(), m_drawn);
}

} // namespace ui
