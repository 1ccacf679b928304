#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>
#include <memory>

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

    enum class Result {
        Accepted, ///< a session manager ends the session
        Refused,  ///< every session manager of the desktop that runs refused or failed
        None,     ///< no session manager of the desktop runs
    };

    /** Asks for the end of the session without a confirmation dialog; `force` lets GNOME ignore
     *  programs that hold the log-off back. `done` hears the result later. */
    void logout(bool force, std::function<void(Result)> done);

private:
    struct Attempt;
    void tryNext(std::shared_ptr<Attempt> attempt);

    QDBusConnection m_bus;
    QObject m_calls; // the context of the calls under way: their answers end with the client
};

} // namespace kelvaro
