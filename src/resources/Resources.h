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

} // namespace kelvaro
