#pragma once

#include <QDBusConnection>

namespace kelvaro {

/**
 * Logs the user off through the desktop's session manager on the session bus (GNOME, KDE Plasma 6,
 * Plasma 5, Xfce), so that running programs are asked to save their work. The desktops named in
 * XDG_CURRENT_DESKTOP are tried in its order, each with the session managers of that desktop whose
 * name has an owner (for KDE Plasma 6 before Plasma 5), until one accepts.
 */
class SessionManagerClient
{
public:
    /** Talks to the session managers on `sessionBus` (tests pass a private bus). */
    explicit SessionManagerClient(QDBusConnection sessionBus);

    /** Asks for the end of the session without a confirmation dialog; `force` lets GNOME ignore
     *  programs that hold the log-off back. Returns false when no session manager accepted. */
    bool logout(bool force);

private:
    QDBusConnection m_bus;
};

} // namespace kelvaro
