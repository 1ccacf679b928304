#include "widgets/ConfigButtonImages.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace kelvaro::ConfigButtonImages {

QIcon image(int index)
{
    QPixmap pixmap(25, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    // Two chevrons: pointing down to unfold the settings, up to fold them in.
    for (int y : {2, 8}) {
        QPolygon chevron;
        if (index == 0)
            chevron << QPoint(6, y) << QPoint(12, y + 5) << QPoint(18, y) << QPoint(18, y + 2) << QPoint(12, y + 7)
                    << QPoint(6, y + 2);
        else
            chevron << QPoint(6, y + 5) << QPoint(12, y) << QPoint(18, y + 5) << QPoint(18, y + 7) << QPoint(12, y + 2)
                    << QPoint(6, y + 7);
        painter.drawPolygon(chevron);
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace kelvaro::ConfigButtonImages
