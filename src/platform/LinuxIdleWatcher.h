#pragma once

#include "core/IdleWatcher.h"

#include <QDBusConnection>

namespace kelvaro {

class TimerService;

/**
 * The idle clock of the desktop the program runs on, chosen at each watch: GNOME's idle monitor where it runs, else
 * the compositor's idle notifications in a Wayland session, else the X Sync counter (or MIT-SCREEN-SAVER) of an X11
 * session, and logind's idle hint of the own session as the last resort.
 */
class LinuxIdleWatcher : public IdleWatcher
{
public:
    LinuxIdleWatcher(TimerService& timers, QDBusConnection session, QDBusConnection system);

    std::unique_ptr<IdleWatch> watch(qint64 thresholdMs, std::function<void(bool idle)> changed) override;
    QString source() const override { return m_source; }

private:
    TimerService& m_timers;
    QDBusConnection m_session;
    QDBusConnection m_system;
    QString m_source;
};

} // namespace kelvaro
