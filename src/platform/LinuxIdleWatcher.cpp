#include "platform/LinuxIdleWatcher.h"

#include "platform/DBusIdleClocks.h"
#include "platform/WaylandIdleClock.h"
#include "platform/X11IdleClock.h"

namespace kelvaro {

namespace {

/** An X11 session: there the X server sees all input. Under Wayland the X server (Xwayland) sees
 *  only the input of X clients, so its idle time means nothing. */
bool x11Session()
{
    return !WaylandIdleClock::waylandSession() && !qEnvironmentVariableIsEmpty("DISPLAY");
}

} // namespace

LinuxIdleWatcher::LinuxIdleWatcher(TimerService& timers, QDBusConnection session, QDBusConnection system)
    : m_timers(timers), m_session(std::move(session)), m_system(std::move(system))
{}

std::unique_ptr<IdleWatch> LinuxIdleWatcher::watch(qint64 thresholdMs, std::function<void(bool idle)> changed)
{
    // GNOME's own monitor first: on X11 and on Wayland it is the one that sees all input there, and
    // Mutter offers no idle protocol to Wayland clients.
    std::unique_ptr<IdleWatch> watch;
    if ((watch = MutterIdleClock::watch(m_session, thresholdMs, changed))) {
        m_source = QStringLiteral("Mutter IdleMonitor");
        return watch;
    }
    if (WaylandIdleClock::waylandSession() && (watch = WaylandIdleClock::watch(thresholdMs, changed, &m_source)))
        return watch;
    if (x11Session() && (watch = X11IdleClock::watch(m_timers, thresholdMs, changed))) {
        m_source = QStringLiteral("X11 Sync");
        return watch;
    }
    if ((watch = LogindIdleClock::watch(m_system, m_timers, thresholdMs, changed))) {
        m_source = QStringLiteral("logind IdleHint");
        return watch;
    }
    m_source.clear();
    return nullptr;
}

} // namespace kelvaro
