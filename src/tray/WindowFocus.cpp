#include "tray/WindowFocus.h"

#include <QGuiApplication>

namespace kelvaro {

bool mayTakeFocus()
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return true;
    return qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN") || QGuiApplication::focusWindow() != nullptr;
}

} // namespace kelvaro
