#include "core/CountdownRing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kelvaro::CountdownRing {

int step(std::optional<double> remaining)
{
    if (!remaining)
        return -1;
    // NaN counts as nothing left.
    const double fraction = std::isnan(*remaining) ? 0.0 : std::clamp(*remaining, 0.0, 1.0);
    // Rounded up, so the ring only vanishes when the time is really up.
    return static_cast<int>(std::ceil(fraction * Steps - 1e-9));
}

QImage draw(const QImage& base, std::optional<double> remaining)
{
    QImage image = base.isNull() ? QImage(32, 32, QImage::Format_ARGB32_Premultiplied)
                                 : base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (base.isNull())
        image.fill(Qt::transparent);
    const int steps = step(remaining);
    if (steps <= 0)
        return image;

    const int side = std::min(image.width(), image.height());
    const qreal width = std::max<qreal>(2.0, side / 10.0);
    const QRectF square((image.width() - side) / 2.0, (image.height() - side) / 2.0, side, side);
    const QRectF ring = square.adjusted(width / 2, width / 2, -width / 2, -width / 2);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Colour, width, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    // Angles in sixteenths of a degree, counter-clockwise from three o'clock: the arc runs from
    // twelve o'clock counter-clockwise, so the empty part grows clockwise from twelve.
    constexpr int twelveOClock = 90 * 16;
    const int span = steps * 360 * 16 / Steps;
    if (steps == Steps)
        painter.drawEllipse(ring);
    else
        painter.drawArc(ring, twelveOClock, span);
    return image;
}

} // namespace kelvaro::CountdownRing
