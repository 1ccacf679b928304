#include "widgets/TrayRing.h"

#include "core/CountdownRing.h"

#include <QPainter>

#include <algorithm>

namespace kelvaro::TrayRing {

using CountdownRing::Steps;

namespace {

/** `base` as an image to paint on (an empty 32 x 32 one without a base). */
QImage canvas(const QImage& base)
{
    QImage image = base.isNull() ? QImage(32, 32, QImage::Format_ARGB32_Premultiplied)
                                 : base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (base.isNull())
        image.fill(Qt::transparent);
    return image;
}

/** Draws `steps` sixtieths of the ring from `start` sixtieths clockwise from twelve o'clock onwards,
 *  counter-clockwise. */
void drawArc(QImage& image, int start, int steps)
{
    const int side = std::min(image.width(), image.height());
    const qreal width = std::max<qreal>(2.0, side / 10.0);
    const QRectF square((image.width() - side) / 2.0, (image.height() - side) / 2.0, side, side);
    const QRectF ring = square.adjusted(width / 2, width / 2, -width / 2, -width / 2);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Colour, width, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    // Angles in sixteenths of a degree, counter-clockwise from three o'clock.
    constexpr int twelveOClock = 90 * 16;
    if (steps >= Steps)
        painter.drawEllipse(ring);
    else
        painter.drawArc(ring, twelveOClock - start * 360 * 16 / Steps, steps * 360 * 16 / Steps);
}

} // namespace

QImage draw(const QImage& base, std::optional<double> remaining)
{
    QImage image = canvas(base);
    // The arc runs from twelve o'clock counter-clockwise, so the empty part grows clockwise from twelve.
    const int steps = CountdownRing::step(remaining);
    if (steps > 0)
        drawArc(image, 0, steps);
    return image;
}

QImage drawWaiting(const QImage& base, int turn)
{
    QImage image = canvas(base);
    const int start = ((turn % Steps) + Steps) % Steps;
    // The quarter ends at the step `turn`: its leading edge turns clockwise.
    drawArc(image, start, Steps / 4);
    return image;
}

} // namespace kelvaro::TrayRing
