#include "windows/DesignFont.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace kelvaro {

QFont designFont(int pixelSize)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    return font;
}

void setUpFixedWindow(QWidget* window)
{
    window->setFont(designFont());
    if (const QScreen* screen = window->screen() ? window->screen() : QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
}

} // namespace kelvaro
