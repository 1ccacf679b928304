#pragma once

class QStyle;

namespace kelvaro {

/**
 * The application's style, with the arrows of tool and menu bars that do not fit read as PNG. The
 * style reads those pictures by name, and Qt then asks every image format plugin whether the file is
 * theirs, loading them all with the libraries they use (JPEG, GIF, ICO) when the first menu bar is
 * built, before the first frame. The same goes for the frame of a group box. For
 * QApplication::setStyle, which takes it over.
 */
QStyle* makeAppStyle();

} // namespace kelvaro
