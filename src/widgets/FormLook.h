#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace kelvaro {

/** A font of `pixelHeight` pixels character height; an Arial-like face stands in when `family`
 *  is not installed. */
QFont formFont(const QString& family, int pixelHeight, QFont::Weight weight = QFont::Normal);

/** The font the secondary windows use unless a control says otherwise. */
QFont defaultFormFont();

/** Moves the window so that its frame is centred on the screen it is on. */
void centreOnScreen(QWidget& window);

} // namespace kelvaro
