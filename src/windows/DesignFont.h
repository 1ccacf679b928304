#pragma once

#include <QFont>

class QWidget;

namespace kelvaro {

/** The windows' font: the desktop's sans-serif family at the pixel size their layout was made for
 *  (11 pixels), so that captions fit their fixed places whatever the desktop's text size. */
QFont designFont(int pixelSize = 11);
/** Gives `window` the design font and places it in the middle of its screen. */
void setUpFixedWindow(QWidget* window);

} // namespace kelvaro
