#include "widgets/FormLook.h"

#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace kelvaro {

QFont formFont(const QString& family, int pixelHeight, QFont::Weight weight)
{
    // The windows were laid out for narrow Windows faces; Arial's metric twins fit them far better
    // than the wider default sans-serif face when the face itself is not installed.
    QFont font;
    font.setFamilies({family, QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setWeight(weight);
    return font;
}

QFont defaultFormFont()
{
    return formFont(QStringLiteral("MS Sans Serif"), 11);
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

QRect clearPlace(QRect frame, const QRect& screen, const QList<QRect>& keepClear)
{
    constexpr int gap = 8;
    frame.moveCenter(screen.center());
    const QRect centred = frame;
    for (qsizetype first = 0; first < keepClear.size(); ++first) {
        const QRect& area = keepClear[first];
        const QRect below = centred.translated(0, area.bottom() + 1 + gap - centred.top());
        const QRect above = centred.translated(0, area.top() - gap - centred.bottom() - 1);
        const QRect right = centred.translated(area.right() + 1 + gap - centred.left(), 0);
        const QRect left = centred.translated(area.left() - gap - centred.right() - 1, 0);
        for (const QRect& place : {centred, below, above, right, left}) {
            bool clear = screen.contains(place);
            for (qsizetype i = first; clear && i < keepClear.size(); ++i)
                clear = !place.intersects(keepClear[i]);
            if (clear)
                return place;
        }
    }
    return centred;
}

void placeClearOf(QWidget& window, const QList<QRect>& keepClear)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    window.move(clearPlace(window.frameGeometry(), screen->availableGeometry(), keepClear).topLeft());
}

QList<QRect> keepClearAreas(const QWidget& window)
{
    // Above all the window's buttons; the whole window when there is room beside it.
    if (!window.isVisible() || window.isMinimized())
        return {};
    QRect buttons;
    for (const QPushButton* button : window.findChildren<QPushButton*>())
        if (button->isVisible())
            buttons |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    return {window.frameGeometry(), buttons};
}

} // namespace kelvaro
