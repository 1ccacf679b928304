#include "widgets/FormLook.h"

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

} // namespace kelvaro
