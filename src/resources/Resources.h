#pragma once

#include <QString>

namespace kelvaro {

/**
 * Registers the pictures compiled into the program (icons under ":/icons/"). The GUI library is
 * static, so its resources are only there after this call; call it once at start, before the
 * first window, and in every test that loads a picture.
 */
void initResources();

/** The program icon: ":/icons/kelvaro-32.png" (32 x 32). */
inline QString programIconPath()
{
    return QStringLiteral(":/icons/kelvaro-32.png");
}

/** The program icon's name in the desktop's icon theme, as the installed desktop entry names it. */
inline QString programIconName()
{
    return QStringLiteral("kelvaro");
}

} // namespace kelvaro
