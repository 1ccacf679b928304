#pragma once

#include "core/IdleWatcher.h"

#include <QDBusConnection>

#include <functional>
#include <memory>

namespace kelvaro {

class TimerService;

/** GNOME's idle clock: org.gnome.Mutter.IdleMonitor on the session bus, with an idle watch for the
 *  threshold and a user-active watch while idle. */
class MutterIdleClock
{
public:
    /** Nothing when the session bus has no idle monitor or it refuses the watch. */
    static std::unique_ptr<IdleWatch> watch(const QDBusConnection& session, qint64 thresholdMs,
                                            std::function<void(bool idle)> changed);
};

/** logind's idle hint of the own session (system bus): the desktop marks the session idle, and the
 *  hint says since when. A timer waits out the rest of the threshold. */
class LogindIdleClock
{
public:
    /** Nothing when the own session cannot be found or has no idle hint. */
    static std::unique_ptr<IdleWatch> watch(const QDBusConnection& system, TimerService& timers, qint64 thresholdMs,
                                            std::function<void(bool idle)> changed);
};

} // namespace kelvaro
