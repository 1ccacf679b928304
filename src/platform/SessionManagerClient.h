#pragma once

#include <QDBusConnection>

namespace kelvaro {

/**
 * Logs the user off through the desktop's session manager on the session bus (GNOME, KDE Plasma 6,
 * Plasma 5, Xfce), so that running programs are asked to save their work. Only session managers
 * whose name has an owner are tried, in that order, until one accepts.
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
